// The tray component inside the program's main window: its notifications as the shell sends
// them, the tooltip it hands the shell, minimise to tray, and nothing left behind when it goes.
#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"
#include "app/win32/MainWindow.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/ImageList.h"
#include "tray/win32/SimpleTimer.h"
#include "tray/win32/TrayIcon.h"
#include "tray/win32/TrayIconHandler.h"

namespace zelvora {
namespace {

TCoolTrayIcon& TrayOf(TApplication& app)
{
    return dynamic_cast<TCoolTrayIcon&>(*app.MainForm()->FindComponent("CoolTrayIcon"));
}

void Notify(const TCoolTrayIcon& tray, UINT mouseMessage)
{
    SendMessageW(TCoolTrayIcon::HandlerWindow(), kTrayCallbackMessage, tray.IconId(), mouseMessage);
}

TEST(TrayIconComponent, ClicksComeOnTheReleaseAndNothingReactsWhenDisabled)
{
    auto app = testing::CreateProgramWindows();
    TCoolTrayIcon& tray = TrayOf(*app);
    int clicks = 0, downs = 0;
    tray.OnClick.Handler = [&](TEventArgs& args) {
        EXPECT_EQ(args.Sender, &tray);
        ++clicks;
    };
    tray.OnMouseDown.Handler = [&](TEventArgs& args) {
        EXPECT_EQ(args.Button, 0);
        EXPECT_TRUE(args.State & tsLeft);
        ++downs;
    };
    Notify(tray, WM_LBUTTONDOWN);
    EXPECT_EQ(clicks, 0);
    Notify(tray, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1) << "at once: no double-click handler waits";
    EXPECT_EQ(downs, 1);

    tray.SetEnabled(false);
    for (UINT message :
         {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP})
        Notify(tray, message);  // the right press would open the menu and wait here
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 1);
    // An id the handler does not know reaches no icon, while this one's own id still does.
    tray.SetEnabled(true);
    SendMessageW(TCoolTrayIcon::HandlerWindow(), kTrayCallbackMessage, tray.IconId() + 1000, WM_LBUTTONDOWN);
    SendMessageW(TCoolTrayIcon::HandlerWindow(), kTrayCallbackMessage, tray.IconId() + 1000, WM_LBUTTONUP);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(clicks, 1);
    Notify(tray, WM_LBUTTONDOWN);
    Notify(tray, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 2);
}

TEST(TrayIconComponent, TheTooltipIsTheHintCutTo127CharactersOrEmpty)
{
    auto app = testing::CreateProgramWindows();
    TCoolTrayIcon& tray = TrayOf(*app);
    EXPECT_EQ(std::wstring(tray.IconData().szTip), L"Zelvora");
    EXPECT_EQ(tray.IconData().uCallbackMessage, kTrayCallbackMessage);
    EXPECT_EQ(tray.IconData().cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_NE(tray.IconData().hIcon, nullptr) << "the program's icon";
    tray.SetHint(std::string(200, 'h'));
    EXPECT_EQ(std::wstring(tray.IconData().szTip), std::wstring(127, L'h'));
    tray.SetShowHint(false);
    EXPECT_EQ(std::wstring(tray.IconData().szTip), L"");
}

TEST(TrayIconComponent, MinimisingSendsTheApplicationToTheTrayAndRestoringBringsItBack)
{
    auto app = testing::CreateProgramWindows();
    TForm& main = *app->MainForm();
    TCoolTrayIcon& tray = TrayOf(*app);
    main.Show();
    app->Minimize();
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    EXPECT_FALSE(IsWindowVisible(app->Handle())) << "the taskbar button stayed";
    EXPECT_TRUE(tray.IconVisible());
    app->Restore();
    EXPECT_TRUE(IsWindowVisible(main.Handle()));

    tray.SetMinimizeToTray(false);
    app->Minimize();
    EXPECT_TRUE(IsWindowVisible(app->Handle())) << "without minimise to tray the button stays";
    app->Restore();
}

TEST(TrayIconComponent, TheIconIndexStaysInsideItsList)
{
    auto app = testing::CreateProgramWindows();
    TCoolTrayIcon& tray = TrayOf(*app);
    TImageList images(nullptr);
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < 3; ++i) {
        UniqueGdiObject bitmap(CreateCompatibleBitmap(screen, 16, 16));
        images.Add(static_cast<HBITMAP>(bitmap.get()));
    }
    ReleaseDC(nullptr, screen);
    tray.SetIconList(&images);
    tray.SetIconIndex(5);
    EXPECT_EQ(tray.IconIndex(), 2);
    tray.SetIconIndex(1);
    EXPECT_EQ(tray.IconIndex(), 1);
    tray.SetIconList(nullptr);
    tray.SetIconIndex(1);
    EXPECT_EQ(tray.IconIndex(), 0);
}

TEST(TrayIconComponent, AHundredIconsLeaveNoWindowHookOrTimerBehind)
{
    TApplication app;
    const long windowsBefore = UniqueWindow::Live();
    const long iconsBefore = UniqueIcon::Live();
    HWND firstHandler = nullptr;
    for (int i = 0; i < 100; ++i) {
        auto* tray = new TCoolTrayIcon(&app);
        tray->SetHint("census");
        tray->SetIcon("MAINICON");
        tray->SetIconVisible(true);
        tray->SetWantEnterExitEvents(true);  // a running timer
        if (!firstHandler) firstHandler = TCoolTrayIcon::HandlerWindow();
        delete tray;
    }
    EXPECT_EQ(TCoolTrayIcon::HandlerWindow(), nullptr);
    EXPECT_EQ(TSimpleTimer::HandlerWindow(), nullptr);
    EXPECT_FALSE(IsWindow(firstHandler));
    EXPECT_EQ(UniqueWindow::Live(), windowsBefore);
    EXPECT_EQ(UniqueIcon::Live(), iconsBefore);
    // No hook of a freed icon is left on the application window: minimising still works.
    app.Minimize();
    app.Restore();
}

}  // namespace
}  // namespace zelvora
