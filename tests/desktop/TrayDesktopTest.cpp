// The icon in the notification area: there from start to exit, minimise to tray, restore with
// a click, the menu on the right button, and back after the shell restarts.
#include <filesystem>

#include "FlatLookExpectations.h"
#include "ProgramDesktopFixture.h"

namespace zelvora::desktop {
namespace {

class TrayIcon : public Settings {
protected:
    // The session parks the main window low, where it would cover the notification area.
    void KeepTheTaskbarFree() { desktop_.Probe({"move", "TfrmZelvora", "600", "440"}); }
    // Presses the right button on the icon (found by its colours, or where it was seen), as a
    // person does to open its menu; released later.
    Point PressRightOnIcon(std::optional<Point> at = std::nullopt)
    {
        desktop_.FocusDesktop();
        const auto icon = at ? at : FindTrayIcon(screen_);
        EXPECT_TRUE(icon) << "no icon";
        if (!icon) return {};
        screen_.MovePointer(icon->X, icon->Y);
        std::this_thread::sleep_for(100ms);
        screen_.Button(3, true);
        return *icon;
    }
    // Opens the menu and clicks its item 0 to 4 ("Wiederherstellen", "Bildschirm speichern",
    // "Pause", "Lizenz...", "Beenden"; separators before the last two). With every window of ours
    // hidden, Wine gives the menu no keys: it is used with the pointer, as a person mostly does
    // anyway. A press the notification area let pass while the menu before was going is made
    // again, as a person would.
    void ChooseFromTrayMenu(int item, std::optional<Point> at = std::nullopt)
    {
        ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("#32768") == 0; }, 5s)) << "a menu stays";
        bool opened = false;
        for (int press = 0; press < 2 && !opened; ++press) {
            PressRightOnIcon(at);
            opened = WaitUntil([&] { return desktop_.WindowCount("#32768") == 1; }, 5s);
            if (!opened) screen_.Button(3, false);
        }
        ASSERT_TRUE(opened) << "no menu";
        screen_.Button(3, false);
        const auto menu = desktop_.WindowRect("#32768");
        ASSERT_TRUE(menu);
        ClickMenuItem(*menu, item);
    }
    void ClickMenuItem(const ScreenRect& menu, int item)
    {
        // Rows of the 115-pixel menu: 20-pixel items, 5-pixel separators.
        static constexpr int kItemCentre[] = {12, 32, 52, 77, 102};
        const int y = menu.Top + menu.Height() * kItemCentre[item] / 115;
        screen_.MovePointer(menu.Left + 30, y);
        std::this_thread::sleep_for(200ms);
        screen_.Click(menu.Left + 30, y);
        WaitUntil([&] { return desktop_.WindowCount("#32768") == 0; }, 5s);
    }
    void MinimiseWithTheButton()
    {
        desktop_.FocusDesktop();
        const CommandResult button = desktop_.Probe({"hit", "TfrmZelvora", "8"});  // HTMINBUTTON
        int x = 0, y = 0;
        ASSERT_EQ(std::sscanf(button.Output.c_str(), "%d %d", &x, &y), 2) << button.Output;
        screen_.Click(x, y);
    }
    bool InTheTray()
    {
        // The window goes first; the taskbar loses its button and paints again a moment later.
        return WaitUntil(
            [&] {
                return !Shows("TfrmZelvora") && !Shows("TApplication") && FindTrayIcon(screen_).has_value();
            },
            10s, 100ms);
    }
};

TEST_F(TrayIcon, IsThereFromStartToExitAndGoneAfter)
{
    EXPECT_TRUE(WaitForTrayIcon(false)) << "an icon before the start";
    ZelvoraSession zelvora(desktop_);
    KeepTheTaskbarFree();
    EXPECT_TRUE(WaitForTrayIcon());
    ASSERT_TRUE(zelvora.Close());
    EXPECT_TRUE(WaitForTrayIcon(false)) << "the icon outlived the program";
}

TEST_F(TrayIcon, MinimisingLeavesOnlyTheIconAndAClickBringsTheWindowBackToTheFront)
{
    ZelvoraSession zelvora(desktop_);
    KeepTheTaskbarFree();
    ASSERT_TRUE(WaitForTrayIcon());
    MinimiseWithTheButton();
    EXPECT_TRUE(InTheTray()) << "the minimise button";
    ClickTrayIcon();
    EXPECT_TRUE(WaitForWindow("TfrmZelvora"));
    EXPECT_TRUE(WaitUntil([&] { return desktop_.Probe({"foreground"}).Output == "TfrmZelvora\n"; }, 5s))
        << "not in front: " << desktop_.Probe({"foreground"}).Output;

    ChooseMenu(desktop_, 0, {0});  // Datei > Minimieren
    EXPECT_TRUE(InTheTray()) << "the menu command";
    ClickTrayIcon();
    EXPECT_TRUE(WaitForWindow("TfrmZelvora"));
}

TEST_F(TrayIcon, TheRightPressOpensTheMenuAtThePointerAndEachItemWorks)
{
    ZelvoraSession zelvora(desktop_);
    KeepTheTaskbarFree();
    ASSERT_TRUE(WaitForTrayIcon());
    MinimiseWithTheButton();
    ASSERT_TRUE(InTheTray());

    const Point pointer = PressRightOnIcon();
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("#32768") == 1; }, 5s)) << "no menu on the press";
    const auto menu = desktop_.WindowRect("#32768");
    ASSERT_TRUE(menu);
    // At the pointer, pushed above the taskbar and inside the screen.
    EXPECT_LE(menu->Left - 3, pointer.X);
    EXPECT_GE(menu->Right + 3, pointer.X);
    EXPECT_LE(std::abs(menu->Bottom - pointer.Y), 16);
    // Drawn flat, as the main window's menus: light background, darker icon column, flat frame.
    std::this_thread::sleep_for(300ms);
    const TMenuColours flat = ExpectedColours(ReadSystemLook(desktop_));
    const Image shot = screen_.GrabWindowAt(menu->Left, menu->Top, menu->Width(), menu->Height());
    WritePng(shot, desktop_.WorkDir() + "/tray-menu.png");
    const int midY = shot.Top + shot.Height / 2;
    EXPECT_EQ(shot.At(shot.Left, midY), flat.FrameBorder);
    EXPECT_EQ(shot.At(shot.Left + shot.Width - 1, midY), flat.FrameShadow);
    EXPECT_EQ(shot.At(shot.Left + 10, midY), flat.IconColumn);
    EXPECT_EQ(shot.At(shot.Left + shot.Width - 8, midY), flat.MenuBackground);
    screen_.Button(3, false);
    ClickMenuItem(*menu, 0);
    EXPECT_EQ(desktop_.WindowCount("#32768"), 0);
    EXPECT_TRUE(WaitForWindow("TfrmZelvora")) << "Wiederherstellen";
    MinimiseWithTheButton();
    ASSERT_TRUE(InTheTray());

    namespace fs = std::filesystem;
    const fs::path pictures = fs::path(desktop_.PicturesDir()) / "Zelvora";
    fs::remove_all(pictures);
    ChooseFromTrayMenu(1);  // Bildschirm speichern
    EXPECT_TRUE(WaitUntil([&] { return FinishedPictures(desktop_.PicturesDir()).size() == 1; }, 10s))
        << "Bildschirm speichern";
    // Its balloon lies over the icon and takes a press: a person waits until it has gone.
    EXPECT_TRUE(WaitUntil([&] { return desktop_.Probe({"tooltips"}).Output.empty(); }, 40s, 500ms));
    const auto paused = [&] { return desktop_.Probe({"ask", "TfrmZelvora", "1028", "13"}).Output == "1\n"; };
    // Paused, the icon loses its colours; the item again brings them back.
    const std::optional<Point> icon = FindTrayIcon(screen_);
    ChooseFromTrayMenu(2);  // Pause
    EXPECT_TRUE(WaitUntil(paused, 5s)) << "Pause";
    EXPECT_TRUE(WaitUntil([&] { return !FindTrayIcon(screen_); }, 5s)) << "the icon does not show the pause";
    ChooseFromTrayMenu(2, icon);
    EXPECT_TRUE(WaitUntil([&] { return !paused(); }, 5s)) << "Pause again";
    EXPECT_TRUE(WaitUntil([&] { return FindTrayIcon(screen_).has_value(); }, 5s)) << "the icon stayed grey";
    // The icon's tip, shown while the pointer rested on it, goes before the next press.
    screen_.MovePointer(300, 300);
    EXPECT_TRUE(WaitUntil([&] { return desktop_.Probe({"tooltips"}).Output.empty(); }, 40s, 500ms));
    ChooseFromTrayMenu(3);  // Lizenz...
    ASSERT_TRUE(WaitForWindow("TfrmLicense")) << "Lizenz...";
    ClickTitleBar("TfrmLicense");
    Type({"Escape"});
    ASSERT_TRUE(WaitForWindow("TfrmLicense", false));
    ChooseFromTrayMenu(4);  // Beenden
    EXPECT_TRUE(zelvora.WaitForExit()) << "Beenden";
    EXPECT_EQ(desktop_.Settings().size(), 20u) << "an orderly exit";
}

TEST_F(TrayIcon, ComesBackWhenTheShellRestarts)
{
    ZelvoraSession zelvora(desktop_);
    KeepTheTaskbarFree();
    ASSERT_TRUE(WaitForTrayIcon());
    // What a restarting shell does: it forgets the icons, then announces itself.
    ASSERT_EQ(desktop_.Probe({"tray-delete", "TTrayIconHandler", "1"}).ExitCode, 0);
    ASSERT_TRUE(WaitForTrayIcon(false));
    desktop_.Probe({"taskbar-created"});
    EXPECT_TRUE(WaitForTrayIcon()) << "the icon did not come back";
}

}  // namespace
}  // namespace zelvora::desktop
