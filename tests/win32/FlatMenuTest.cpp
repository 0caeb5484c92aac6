// Menu items drawn by the flat painter into a bitmap, pixel by pixel against the working colours.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "look/MenuLayout.h"
#include "look/win32/MenuPainter.h"
#include "toolkit/win32/Bitmap.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/ImageList.h"
#include "toolkit/win32/Menus.h"

namespace zelvora {
namespace {

constexpr int kWidth = 180, kHeight = 23;

class FlatMenuItems : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = &TComponent::Create<TForm>(owner);
        form->SetBounds(0, 0, 300, 200);
        menu = &TComponent::Create<TMainMenu>(*form);
        file = AddItem(menu->Items(), "&Datei");
        painter = &TComponent::Create<TXPMenu>(*form);
        painter->Font().SetName("Tahoma");
        painter->SetFlatMenu(true);
        form->SetMenu(menu);
        form->CreateHandle();
        painter->SetActive(true);
        colours = painter->DeriveColours(picture.Canvas().Handle());
    }
    TMenuItem* AddItem(TMenuItem& parent, const std::string& caption)
    {
        auto& item = TComponent::Create<TMenuItem>(*form);
        item.SetCaption(caption);
        parent.Add(&item);
        return &item;
    }
    // Draws the item as the window system asks for it, over a background of magenta.
    void Draw(TMenuItem& item, bool selected, int height = kHeight)
    {
        picture.Canvas().SetBrushColor(0xFF00FF);
        picture.Canvas().FillRect({0, 0, kWidth, kHeight + 2});
        TEventArgs args;
        args.Sender = &item;
        args.Dc = picture.Canvas().Handle();
        args.Right = kWidth, args.Bottom = height - 1;  // the painter adds the last row
        args.State = selected ? ODS_SELECTED : 0;
        ASSERT_TRUE(item.OnDrawItem.Handler) << item.Caption() << " is not the painter's";
        item.OnDrawItem.Handler(args);
    }
    TColor At(int x, int y) { return GetPixel(picture.Canvas().Handle(), x, y); }
    int Count(TColor colour, int left = 0, int right = kWidth)
    {
        int count = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = left; x < right; ++x) count += At(x, y) == colour;
        return count;
    }
    int RightmostOf(TColor colour)
    {
        int rightmost = -1;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (At(x, y) == colour) rightmost = std::max(rightmost, x);
        return rightmost;
    }
    TColor Lightened(TColor c, int p) { return painter->LightenOn(picture.Canvas().Handle(), c, p); }

    TComponent owner{nullptr};
    TForm* form = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem* file = nullptr;
    TXPMenu* painter = nullptr;
    TBitmap picture{kWidth, kHeight + 2};
    TMenuColours colours;
};

TEST_F(FlatMenuItems, PlainSelectedAndDisabledItems)
{
    TMenuItem* item = AddItem(*file, "Minimieren");
    painter->SetActive(false);
    painter->SetActive(true);  // hooks the new item
    Draw(*item, false);
    EXPECT_EQ(At(5, 10), colours.IconColumn);
    EXPECT_EQ(At(kWidth - 3, 2), colours.MenuBackground);
    EXPECT_EQ(At(5, kHeight - 1), colours.IconColumn) << "one row more than the item";
    EXPECT_GT(Count(ColorToRGB(clMenuText)), 20) << "the caption";

    Draw(*item, true);
    EXPECT_EQ(At(5, 0), colours.IconColumn) << "the selection leaves the first row";
    EXPECT_EQ(At(5, 1), colours.SelectionBorder);
    EXPECT_EQ(At(kWidth - 2, 10), colours.SelectionBorder) << "one pixel short of the edge with a flat frame";
    EXPECT_EQ(At(kWidth - 1, 10), colours.MenuBackground);
    EXPECT_EQ(At(5, 10), colours.SelectionFill);
    EXPECT_EQ(At(kWidth - 10, 10), colours.SelectionFill);

    item->SetEnabled(false);
    Draw(*item, true);
    EXPECT_EQ(At(kWidth - 10, 10), colours.MenuBackground) << "no selection on a disabled item";
    EXPECT_GT(Count(colours.Disabled), 10) << "its text in the disabled colour";
    EXPECT_EQ(Count(ColorToRGB(clMenuText)), 0);
}

TEST_F(FlatMenuItems, SeparatorStartsSevenPixelsIntoTheText)
{
    TMenuItem* separator = AddItem(*file, "-");
    painter->SetActive(false);
    painter->SetActive(true);
    Draw(*separator, false, 4);
    // R is 0..5 with the painter's extra row: the line at 0 + round(5 / 2) = 2.
    EXPECT_EQ(At(24 + 6, 2), colours.MenuBackground);
    EXPECT_EQ(At(24 + 7, 2), colours.Separator);
    EXPECT_EQ(At(kWidth - 1, 2), colours.Separator);
    EXPECT_EQ(At(24 + 20, 1), colours.MenuBackground);
}

TEST_F(FlatMenuItems, ShortCutIsPalerAndRightAligned)
{
    TMenuItem* item = AddItem(*file, "Beenden");
    item->SetShortCut(0x4058);  // Ctrl+X
    painter->SetActive(false);
    painter->SetActive(true);
    Draw(*item, false);
    const TColor paler = Darken(ColorToRGB(clMenuText), -40);
    EXPECT_GT(Count(paler, kWidth / 2), 5) << "no shortcut in the paler colour";
    // "Strg+X " with its trailing blank ends against the edge 10 pixels in.
    int rightmost = -1;
    for (int y = 0; y < kHeight; ++y)
        for (int x = kWidth / 2; x < kWidth; ++x)
            if (At(x, y) != colours.MenuBackground) rightmost = std::max(rightmost, x);
    picture.Canvas().SetFont(painter->Font());
    const int textEnd = kWidth - 10 - picture.Canvas().TextExtent(" ").cx;
    EXPECT_LT(rightmost, textEnd);
    // Within the last glyph's cell: its ink ends some pixels before its advance, by the font.
    EXPECT_GE(rightmost, textEnd - picture.Canvas().TextExtent("X").cx);
    EXPECT_EQ(Count(paler, 0, kWidth / 2), 0) << "the caption keeps the menu text colour";
}

TEST_F(FlatMenuItems, CheckedItemsTickAndRadioDot)
{
    TMenuItem* item = AddItem(*file, "Mit Windows starten");
    TMenuItem* radio = AddItem(*file, "English");
    radio->SetRadioItem(true);
    painter->SetActive(false);
    painter->SetActive(true);
    item->SetChecked(true);
    Draw(*item, false);
    const TMenuItemLayout layout = LayoutMenuItem({{0, 0, kWidth, kHeight - 1}, false, false, 24, 0});
    const TRect& k = layout.CheckBox;
    EXPECT_EQ(At(k.Left, k.Top + 1), colours.CheckFrame) << "the box's frame";
    EXPECT_EQ(At(k.Left + 1, k.Top + 1), colours.CheckFill) << "its tinted inside";
    EXPECT_EQ(At(k.Left + 1, k.Top + 5), 0x000000u) << "the tick's first segment";
    EXPECT_EQ(At(k.Right + 1, k.Top), 0x000000u) << "the long stroke reaches past the top right";

    radio->SetChecked(true);
    Draw(*radio, false);
    EXPECT_EQ(At((k.Left + k.Right) / 2, (k.Top + k.Bottom) / 2), colours.CheckFill);
    EXPECT_EQ(Count(0x000000, 0, 24), 0) << "no tick on a radio item";
    Draw(*radio, true);
    EXPECT_EQ(At((k.Left + k.Right) / 2, (k.Top + k.Bottom) / 2), colours.CheckFillSelected);

    item->SetEnabled(false);
    Draw(*item, false);
    EXPECT_EQ(At(k.Left + 1, k.Top + 5), colours.Disabled) << "a disabled tick";
}

TEST_F(FlatMenuItems, BarItemSelectionHasASteppedShadow)
{
    Draw(*file, false);
    EXPECT_EQ(At(kWidth / 2, 10), colours.MenuBarBackground) << "bar items have no icon column";
    EXPECT_EQ(At(5, 10), colours.MenuBarBackground);
    Draw(*file, true);
    const TColor c = colours.MenuBarBackground;
    EXPECT_EQ(At(0, 10), colours.SelectionBorder) << "open at the bottom, outlined at the sides";
    EXPECT_EQ(At(kWidth - 8, 10), colours.SelectionBorder);
    EXPECT_EQ(At(kWidth / 2, 10), colours.SelectionFill);
    EXPECT_EQ(At(kWidth - 1, kHeight - 1), Darken(c, 10));
    EXPECT_EQ(At(kWidth - 6, kHeight - 1), Darken(c, 100));
}

TEST_F(FlatMenuItems, RightToLeftMenusMirrorTheIconColumn)
{
    TMenuItem* item = AddItem(*file, "Minimieren");
    menu->SetRightToLeft(true);
    painter->SetActive(false);
    painter->SetActive(true);
    Draw(*item, false);
    EXPECT_EQ(At(kWidth - 5, 10), colours.IconColumn);
    EXPECT_EQ(At(5, 10), colours.MenuBackground);
}

TEST_F(FlatMenuItems, PicturesAreDimmedGreyedOrLifted)
{
    TImageList& images = TComponent::Create<TImageList>(*form);
    {
        // Not selected into any DC while the list copies it.
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
        HGDIOBJ old = SelectObject(dc, bitmap);
        // A red square on lime, the colour of its bottom-left pixel that stays transparent.
        const RECT all{0, 0, 16, 16}, square{2, 2, 14, 14};
        HBRUSH lime = CreateSolidBrush(0x00FF00), red = CreateSolidBrush(0x0000C0);
        FillRect(dc, &all, lime);
        FillRect(dc, &square, red);
        DeleteObject(lime);
        DeleteObject(red);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        images.Add(bitmap);
        DeleteObject(bitmap);
    }
    ASSERT_EQ(images.Count(), 1);
    menu->SetImages(&images);
    TMenuItem* item = AddItem(*file, "Bild");
    item->SetImageIndex(0);
    painter->SetActive(false);
    painter->SetActive(true);
    // A 16-pixel picture sits at (24 - 16) / 2 - 1 = 3 in the column, 3 down.
    Draw(*item, false);
    EXPECT_EQ(At(3 + 8, 3 + 8), Lightened(0x0000C0, 30)) << "dimmed by DimLevel";
    item->SetEnabled(false);
    Draw(*item, false);
    EXPECT_EQ(At(3 + 8, 3 + 8), Lightened(GrayOf(0x0000C0, 10), 40)) << "greyed";
    item->SetEnabled(true);
    Draw(*item, true);
    EXPECT_EQ(At(2 + 1, 2 + 1), colours.SelectionFill) << "lime stays transparent";
    EXPECT_EQ(At(2 + 2, 2 + 2), 0x0000C0u) << "lifted one pixel, undimmed";
    EXPECT_EQ(At(2 + 15, 2 + 15), Darken(colours.SelectionFill, 50)) << "its shadow two pixels off";
}

TEST_F(FlatMenuItems, MeasuringLeavesRoomForColumnShortCutAndAmpersand)
{
    TMenuItem* item = AddItem(*file, "&Beenden");
    painter->SetActive(false);
    painter->SetActive(true);
    TCanvas& canvas = picture.Canvas();
    canvas.SetFont(painter->Font());
    const int text = canvas.TextExtent("&Beenden").cx - canvas.TextExtent("&").cx;
    TEventArgs args;
    args.Sender = item;
    item->OnMeasureItem.Handler(args);
    EXPECT_EQ(args.Width, text + 5 + 24);
    const int line = canvas.TextExtent("W").cy;
    EXPECT_EQ(args.Height,
              line + (line * 3 + 2) / 4 - ((line * 3) % 4 == 2 && (line * 3 / 4) % 2 == 0 ? 1 : 0));

    TMenuItem* separator = AddItem(*file, "-");
    painter->SetActive(false);
    painter->SetActive(true);
    args = {};
    args.Sender = separator;
    args.Height = 19;
    separator->OnMeasureItem.Handler(args);
    EXPECT_EQ(args.Height, 4);

    args = {};
    args.Sender = file;
    file->OnMeasureItem.Handler(args);
    EXPECT_EQ(args.Width, canvas.TextExtent("&Datei").cx - canvas.TextExtent("&").cx + 5 + 8)
        << "bar items on NT";
}

TEST_F(FlatMenuItems, HookingFollowsTagsOwnerDrawAndLaterItems)
{
    TMenuItem* kept = AddItem(*file, "Eigen");
    kept->SetTag(kPainterKeepOut);
    TMenuItem* custom = AddItem(*file, "Selbst gezeichnet");
    bool ownDrawn = false;
    custom->OnDrawItem.Handler = [&](TEventArgs&) { ownDrawn = true; };
    TMenuItem* plain = AddItem(*file, "Minimieren");
    painter->SetActive(false);
    painter->SetActive(true);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_FALSE(kept->OnDrawItem.Handler) << "tag 999 is left alone";
    custom->OnDrawItem.Fire(custom);
    EXPECT_TRUE(ownDrawn) << "an item's own drawing stays";
    EXPECT_TRUE(plain->OnDrawItem.Handler);

    TMenuItem* later = AddItem(*file, "Später");
    EXPECT_FALSE(later->OnDrawItem.Handler);
    Draw(*plain, false);
    EXPECT_TRUE(later->OnDrawItem.Handler) << "taken over once a sibling is drawn";

    painter->SetOverrideOwnerDraw(true);
    painter->SetActive(false);
    EXPECT_FALSE(menu->OwnerDraw());
    EXPECT_FALSE(plain->OnDrawItem.Handler) << "the painter's handlers are cleared";
    EXPECT_TRUE(custom->OnDrawItem.Handler) << "but not the item's own";
    painter->SetActive(true);
    ownDrawn = false;
    Draw(*custom, false);
    EXPECT_FALSE(ownDrawn) << "OverrideOwnerDraw takes over items with their own drawing";

    painter->SetActive(false);
    menu->SetTag(kPainterKeepOut);
    painter->SetActive(true);
    EXPECT_FALSE(menu->OwnerDraw()) << "a main menu with tag 999 keeps the system's look";
}

TEST_F(FlatMenuItems, FreeingThePainterGivesTheItemsBack)
{
    TMenuItem* plain = AddItem(*file, "Minimieren");
    painter->SetActive(false);
    painter->SetActive(true);
    ASSERT_TRUE(plain->OnDrawItem.Handler);
    delete painter;
    painter = nullptr;
    EXPECT_FALSE(plain->OnDrawItem.Handler);
    EXPECT_FALSE(plain->OnMeasureItem.Handler);
}

TEST_F(FlatMenuItems, TheBarsColourCoversTheWholeBarNotOnlyItsItems)
{
    painter->SetUseSystemColors(false);
    painter->SetMenuBarColor(0x2040E0);
    form->Show();
    MENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetMenuBarInfo(form->Handle(), OBJID_MENU, 0, &bar));
    RECT item{};
    ASSERT_TRUE(GetMenuItemRect(form->Handle(), GetMenu(form->Handle()), 0, &item));
    ASSERT_LT(item.right + 20, bar.rcBar.right) << "room beside the one item";
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    WindowDc screen(nullptr, GetDC(nullptr));
    const int y = (bar.rcBar.top + bar.rcBar.bottom) / 2;
    EXPECT_EQ(GetPixel(screen.get(), item.right - 3, y), 0x2040E0) << "under the item";
    EXPECT_EQ(GetPixel(screen.get(), bar.rcBar.right - 10, y), 0x2040E0) << "beside the items";
    painter->SetActive(false);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_NE(GetPixel(screen.get(), bar.rcBar.right - 10, y), 0x2040E0) << "given back, the system's colour";
}

TEST(FlatMenuDefaults, ThePainterStartsWithTheSystemMenuFontAndDocumentedDefaults)
{
    TComponent owner(nullptr);
    TXPMenu& painter = TComponent::Create<TXPMenu>(owner);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_EQ(painter.Font().Height(), metrics.lfMenuFont.lfHeight);
    EXPECT_EQ(painter.Font().Color(), clMenuText);
    EXPECT_EQ(painter.DimLevel(), 30);
    EXPECT_EQ(painter.GrayLevel(), 10);
    EXPECT_EQ(painter.IconWidth(), 24);
    EXPECT_EQ(painter.SelectFontColor(), clMenuText);
    EXPECT_EQ(painter.DisabledColor(), clInactiveCaption);
    EXPECT_TRUE(painter.DrawSelect());
    EXPECT_TRUE(painter.UseSystemColors());
    EXPECT_FALSE(painter.FlatMenu());
    EXPECT_FALSE(painter.AutoDetect());
    EXPECT_FALSE(painter.Active());
    EXPECT_EQ(painter.XPContainers(), 0x03FFu);
    EXPECT_EQ(painter.XPControls(), 0xFFFFu);
}

}  // namespace
}  // namespace zelvora
