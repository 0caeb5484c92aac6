// The flat look on the screen: the main window's drop-down menus (background, icon column,
// selection, separator, paler shortcut, check marks, the flat frame and its shadow) and its check
// boxes lit under the pointer, with the colours worked out from the desktop's system colours.
#include "FlatLookExpectations.h"
#include "ProgramDesktopFixture.h"
#include "driver/ZelvoraSession.h"
#include "look/MenuLayout.h"

namespace zelvora::desktop {
namespace {

// Rows (from the top of the image) where pixel x has the colour.
std::vector<int> RowsWith(const Image& image, int x, TColor colour)
{
    std::vector<int> rows;
    for (int y = 0; y < image.Height; ++y)
        if (image.At(image.Left + x, image.Top + y) == colour) rows.push_back(y);
    return rows;
}

// Columns (from the left of the image) of row y with the colour.
std::vector<int> ColumnsWith(const Image& image, int y, TColor colour)
{
    std::vector<int> columns;
    for (int x = 0; x < image.Width; ++x)
        if (image.At(image.Left + x, image.Top + y) == colour) columns.push_back(x);
    return columns;
}

int CountColour(const Image& image, TColor colour, int right)
{
    int count = 0;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < right; ++x) count += image.At(image.Left + x, image.Top + y) == colour;
    return count;
}

// Opens main menu `menu` with the keyboard; the system selects its first item.
ScreenRect DropDown(WineDesktop& desktop, int menu)
{
    OpenMenu(desktop, menu);
    if (!WaitUntil([&] { return MenuWindows(desktop).size() == 1; }, 5s))
        throw std::runtime_error("no menu dropped down");
    std::this_thread::sleep_for(300ms);  // every item drawn
    return MenuWindows(desktop).front();
}

Image GrabMenu(X11Screen& screen, const ScreenRect& menu)
{
    return screen.GrabWindowAt(menu.Left, menu.Top, menu.Width(), menu.Height());
}

// The texts right of a menu's middle in exactly the colour, top to bottom: per text (rows with
// such pixels one after another), how many of its pixels each column holds, from its first
// column with any to its last.
std::vector<std::vector<int>> InkRight(const Image& menu, TColor colour)
{
    const auto at = [&](int x, int y) { return menu.At(menu.Left + x, menu.Top + y) == colour; };
    std::vector<std::vector<int>> texts;
    for (int y = 0; y < menu.Height;) {
        const auto inked = [&](int row) {
            for (int x = menu.Width / 2; x < menu.Width; ++x)
                if (at(x, row)) return true;
            return false;
        };
        if (!inked(y)) {
            ++y;
            continue;
        }
        const int top = y;
        while (y < menu.Height && inked(y)) ++y;
        std::vector<int> counts;
        for (int x = menu.Width / 2; x < menu.Width; ++x) {
            int count = 0;
            for (int row = top; row < y; ++row) count += at(x, row);
            counts.push_back(count);
        }
        while (!counts.empty() && counts.back() == 0) counts.pop_back();
        counts.erase(counts.begin(),
                     std::find_if(counts.begin(), counts.end(), [](int n) { return n != 0; }));
        texts.push_back(std::move(counts));
    }
    return texts;
}

void CloseMenus(X11Screen& screen)
{
    for (int i = 0; i < 3; ++i) {
        screen.Tap("Escape");
        std::this_thread::sleep_for(150ms);
    }
}

TEST_F(Settings, FlatLookTheFileMenuDropsDownFlatWithItsFrameSeparatorAndPalerShortCut)
{
    ZelvoraSession zelvora(desktop_);
    const SystemLook look = ReadSystemLook(desktop_);
    const TMenuColours c = ExpectedColours(look);
    const ScreenRect menu = DropDown(desktop_, 0);  // Datei: "Minimize" selected, a separator, "Close Strg+X"
    const Image shot = GrabMenu(screen_, menu);
    WritePng(shot, desktop_.WorkDir() + "/file-menu.png");
    const int w = shot.Width, h = shot.Height;
    const auto at = [&](int x, int y) { return shot.At(shot.Left + x, shot.Top + y); };

    // The flat frame: a one-pixel border, a two-pixel shadow at right and bottom, light corners.
    EXPECT_EQ(at(0, h / 2), c.FrameBorder);
    EXPECT_EQ(at(w - 3, h / 2), c.FrameBorder);
    EXPECT_EQ(at(w - 1, h / 2), c.FrameShadow);
    EXPECT_EQ(at(w - 2, h / 2), c.FrameShadow);
    EXPECT_EQ(at(w / 2, h - 1), c.FrameShadow);
    EXPECT_EQ(at(w - 1, 0), look.BtnFace) << "the corners beyond the shadow";
    EXPECT_EQ(at(0, h - 1), look.BtnFace);

    // The selection of the first item: filled, with a one-pixel border in the highlight colour.
    const std::vector<int> filled = RowsWith(shot, w / 2, c.SelectionFill);
    ASSERT_FALSE(filled.empty()) << "no selected item";
    EXPECT_EQ(at(w / 2, filled.front() - 1), c.SelectionBorder);
    EXPECT_EQ(at(w / 2, filled.back() + 1), c.SelectionBorder);
    const std::vector<int> border = ColumnsWith(shot, filled.front() + 3, c.SelectionBorder);
    ASSERT_GE(border.size(), 2u);
    const int itemRight = border.back() + 2;  // one pixel short of the edge with the flat frame

    // Below it: the separator line starts 7 pixels past the icon column.
    const std::vector<int> separatorRows = RowsWith(shot, w / 2, c.Separator);
    ASSERT_EQ(separatorRows.size(), 1u) << "one separator line";
    const int separatorY = separatorRows.front();
    const std::vector<int> icon = ColumnsWith(shot, separatorY, c.IconColumn);
    const std::vector<int> line = ColumnsWith(shot, separatorY, c.Separator);
    ASSERT_FALSE(icon.empty());
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.front() - (icon.back() + 1), 7) << "the line begins 7 pixels into the text area";
    EXPECT_EQ(icon.back() + 1 - (border.front()), 24) << "the icon column is IconWidth wide";

    // The last item: background and icon column, the caption in the menu text colour and the
    // shortcut right-aligned 10 pixels from the edge in a paler colour.
    const int rowY = (separatorY + h) / 2;
    EXPECT_EQ(at(border.front() + 10, rowY), c.IconColumn);
    EXPECT_EQ(at(itemRight - 5, rowY), c.MenuBackground);
    const TColor paler = Darker(look.MenuText, -40);
    int shortCutRight = -1, paleInk = 0, captionInk = 0;
    for (int y = separatorY + 2; y < h - 3; ++y)
        for (int x = border.front() + 24; x < itemRight - 1; ++x) {
            const TColor pixel = at(x, y);
            if (x > w / 2 && pixel != c.MenuBackground) shortCutRight = std::max(shortCutRight, x);
            paleInk += x > w / 2 && pixel == paler;
            captionInk += x < w / 2 && pixel == look.MenuText;
        }
    EXPECT_GT(paleInk, 5) << "the shortcut in the paler colour";
    EXPECT_GT(captionInk, 10) << "the caption in the menu text colour";
    // DrawText puts "Strg+X " (with its trailing blank, 2 to 4 pixels here) against the edge 10 pixels in.
    EXPECT_LT(shortCutRight, itemRight - 10 - 1);
    EXPECT_GE(shortCutRight, itemRight - 10 - 7);

    // The pointer over the last item selects it: its row takes the fill, the first item's gives it up.
    screen_.MovePointer(menu.Left + w / 2, menu.Top + rowY);
    EXPECT_TRUE(WaitUntil(
        [&] {
            const Image now = GrabMenu(screen_, menu);
            return now.At(now.Left + itemRight - 6, now.Top + rowY) == c.SelectionFill &&
                   now.At(now.Left + itemRight - 6, now.Top + filled.front()) == c.MenuBackground;
        },
        3s))
        << "no selection under the pointer";
    CloseMenus(screen_);
}

TEST_F(Settings, FlatLookCheckedItemsShowATickInAFramedBoxAndARadioDot)
{
    desktop_.SetRegistryValue(kRunKey, "Zelvora", "REG_SZ", "\"C:\\\\Zelvora.exe\"");
    ZelvoraSession zelvora(desktop_);
    const TMenuColours c = ExpectedColours(ReadSystemLook(desktop_));
    const ScreenRect action = DropDown(desktop_, 1);  // Aktion, with "start with Windows" checked
    const Image shot = GrabMenu(screen_, action);
    WritePng(shot, desktop_.WorkDir() + "/action-menu.png");
    EXPECT_GE(CountColour(shot, c.CheckFrame, 30), 4 * 8) << "the check box's frame";
    EXPECT_GE(CountColour(shot, 0x000000, 30), 8) << "the black tick";
    EXPECT_GE(CountColour(shot, c.CheckFill, 30), 20) << "the box's tinted fill";

    // Aktion > Sprache: the checked language is a filled circle.
    for (const char* key : {"Up", "Right"}) {
        screen_.Tap(key);
        std::this_thread::sleep_for(250ms);
    }
    ASSERT_TRUE(WaitUntil([&] { return MenuWindows(desktop_).size() == 2; }, 5s)) << "no language menu";
    std::this_thread::sleep_for(300ms);
    std::vector<ScreenRect> menus = MenuWindows(desktop_);
    const ScreenRect languages = menus.front().Left > menus.back().Left ? menus.front() : menus.back();
    const Image sub = GrabMenu(screen_, languages);
    WritePng(sub, desktop_.WorkDir() + "/language-menu.png");
    EXPECT_GE(CountColour(sub, c.SelectionBorder, 30), 10) << "the circle's outline";
    EXPECT_GE(CountColour(sub, c.CheckFill, 30) + CountColour(sub, c.CheckFillSelected, 30), 20)
        << "the circle's fill";
    EXPECT_EQ(CountColour(sub, 0x000000, 30), 0) << "no tick for a radio item";
    CloseMenus(screen_);
    desktop_.DeleteRegistryValue(kRunKey, "Zelvora");
}

TEST_F(Settings, FlatLookCheckBoxesAreFlatAndLightUnderThePointer)
{
    ZelvoraSession zelvora(desktop_);
    const SystemLook look = ReadSystemLook(desktop_);
    const TMenuColours c = ExpectedColours(look);
    desktop_.FocusDesktop();
    const CommandResult found = desktop_.Probe({"rect", "TfrmZelvora", "Button", "Flood fill"});
    ScreenRect r;
    std::istringstream in(found.Output);
    ASSERT_TRUE(in >> r.Left >> r.Top >> r.Right >> r.Bottom) << found.Output;
    const TRect box = CheckMarkBox({0, 0, r.Width(), r.Height()}, look.ThumbWidth, false, false);
    const int x = r.Left + box.Right - 4, y = r.Top + box.Top + 3;  // inside the mark, clear of a tick

    screen_.MovePointer(r.Right + 60, r.Bottom + 60);
    EXPECT_TRUE(WaitUntil([&] { return screen_.Pixel(x, y) == look.Window; }, 3s)) << "a plain white box";
    EXPECT_EQ(screen_.Pixel(r.Left + box.Left + 2, y), look.BtnShadow) << "its grey frame";
    screen_.MovePointer(r.Left + 40, r.CentreY());
    EXPECT_TRUE(WaitUntil([&] { return screen_.Pixel(x, y) == c.SelectionFill; }, 3s))
        << "lit under the pointer";
    EXPECT_EQ(screen_.Pixel(r.Left + box.Left + 2, y), c.SelectionBorder);
    screen_.MovePointer(r.Right + 60, r.Bottom + 60);
    EXPECT_TRUE(WaitUntil([&] { return screen_.Pixel(x, y) == look.Window; }, 3s)) << "plain again when left";

    // A radio button of the mode panel: a flat ring that takes the tinted fill under the pointer.
    const CommandResult radioFound = desktop_.Probe({"rect", "TfrmZelvora", "Button", "Visual controls"});
    ScreenRect q;
    std::istringstream radioIn(radioFound.Output);
    ASSERT_TRUE(radioIn >> q.Left >> q.Top >> q.Right >> q.Bottom) << radioFound.Output;
    const TRect ring = CheckMarkBox({0, 0, q.Width(), q.Height()}, look.ThumbWidth, false, true);
    // Inside the ring, left of its centre.
    const int ringX = q.Left + ring.Left + 5, ringY = q.Top + (ring.Top + ring.Bottom) / 2;
    EXPECT_TRUE(WaitUntil([&] { return screen_.Pixel(ringX, ringY) == look.Window; }, 3s)) << "a plain ring";
    screen_.MovePointer(q.Left + 40, q.CentreY());
    EXPECT_TRUE(WaitUntil([&] { return screen_.Pixel(ringX, ringY) == c.SelectionFill; }, 3s))
        << "lit under the pointer";
    screen_.MovePointer(q.Right + 60, q.Bottom + 60);
}

TEST_F(Settings, FlatLookAboutOkButtonLightsAndShowsAPressedEdgeWhileHeld)
{
    ZelvoraSession zelvora(desktop_);
    const SystemLook look = ReadSystemLook(desktop_);
    ChooseMenu(desktop_, 2, {4});  // Help > About
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("TfrmAbout") == 1; }, 10s));
    desktop_.FocusDesktop();
    std::this_thread::sleep_for(300ms);
    const CommandResult found = desktop_.Probe({"rect", "TfrmAbout", "Button"});  // its one button
    ScreenRect r;
    std::istringstream in(found.Output);
    ASSERT_TRUE(in >> r.Left >> r.Top >> r.Right >> r.Bottom) << found.Output;
    const int faceX = r.Left + 8, faceY = r.Top + 3, midY = r.CentreY();
    const TColor hotBorder = Lighter(look.Highlight, 60);

    // The button has the keyboard, which lights it as the pointer does.
    screen_.MovePointer(r.CentreX(), midY);
    EXPECT_TRUE(WaitUntil([&] { return screen_.Pixel(faceX, faceY) == Lighter(look.BtnFace, 40); }, 3s))
        << "a lit face";
    EXPECT_EQ(screen_.Pixel(r.Right - 1, midY), Darker(hotBorder, 50)) << "the edge at the right";
    screen_.Button(1, true);
    EXPECT_TRUE(WaitUntil([&] { return screen_.Pixel(r.Left, midY) == Darker(hotBorder, 50); }, 3s))
        << "pressed: the edge moves to the left";
    EXPECT_NE(screen_.Pixel(r.Right - 1, midY), Darker(hotBorder, 50));
    screen_.Button(1, false);
    EXPECT_TRUE(WaitUntil([&] { return desktop_.WindowCount("TfrmAbout") == 0; }, 5s))
        << "the click closes it";
}

TEST_F(Settings, FlatLookTheActionMenuShowsEachCommandsShortcutAndFollowsTheEditor)
{
    ZelvoraSession zelvora(desktop_);
    const SystemLook look = ReadSystemLook(desktop_);
    const TMenuColours c = ExpectedColours(look);
    const TColor paler = Darker(look.MenuText, -40);
    const auto inkOf = [&](const char* text) {
        std::vector<int> columns;
        std::istringstream in(
            desktop_.Probe({"text-columns", text, std::to_string(paler), std::to_string(c.MenuBackground)})
                .Output);
        for (int count = 0; in >> count;) columns.push_back(count);
        return columns;
    };
    const auto shortcutsShown = [&] {
        const Image shot = GrabMenu(screen_, DropDown(desktop_, 1));
        CloseMenus(screen_);
        return InkRight(shot, paler);
    };
    const std::vector<int> alt2 = inkOf("Alt+2"), alt3 = inkOf("Alt+3"), alt4 = inkOf("Alt+4"),
                           alt5 = inkOf("Alt+5"), altQ = inkOf("Alt+Q");
    ASSERT_FALSE(alt2.empty());
    ASSERT_NE(alt2, altQ);

    // Zeichnung löschen, Letzte Markierung entfernen, Bildschirm speichern, Modus wechseln; no
    // other item has a shortcut.
    using Texts = std::vector<std::vector<int>>;
    EXPECT_EQ(shortcutsShown(), (Texts{alt2, alt4, alt5, alt3}));

    OpenEditor();
    Type({"Tab", "q", "Return"});  // the wipe row
    ASSERT_TRUE(WaitForWindow("TfrmEditHotkey", false));
    EXPECT_EQ(shortcutsShown(), (Texts{altQ, alt4, alt5, alt3})) << "the wipe's new shortcut";
}

}  // namespace
}  // namespace zelvora::desktop
