// Opening and closing windows many times (their controls styled flat, their menus drawn flat)
// must give back every window, GDI object and menu.
#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "app/win32/MainWindow.h"
#include "dialogs/win32/AboutWindow.h"
#include "dialogs/win32/HotkeyWindow.h"
#include "dialogs/win32/TermsWindow.h"
#include "toolkit/win32/Bitmap.h"
#include "toolkit/win32/Menus.h"

namespace zelvora {
namespace {

int CountThreadWindows()
{
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM counter) -> BOOL {
            int& n = *reinterpret_cast<int*>(counter);
            ++n;
            EnumChildWindows(
                hwnd, [](HWND, LPARAM c) -> BOOL { return ++*reinterpret_cast<int*>(c), TRUE; }, counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

struct Census {
    int Windows = CountThreadWindows();
    long GdiObjects = UniqueGdiObject::Live();
    long MemoryDcs = UniqueMemoryDc::Live();
    long Menus = UniqueMenu::Live();
    long OurWindows = UniqueWindow::Live();
    // The system's own count of what the process holds; Wine answers 0 (then only ours count).
    DWORD SystemGdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    DWORD SystemUser = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
};

// Has every item of the main menu drawn and measured by the flat painter, as the system asks.
void DrawMainMenu(TForm& main)
{
    TBitmap canvas(200, 24);
    const auto drawAll = [&canvas](auto&& self, TMenuItem& parent) -> void {
        for (TMenuItem* item : parent.Items()) {
            TEventArgs args;
            args.Sender = item;
            args.Dc = canvas.Canvas().Handle();
            args.Right = 200, args.Bottom = 22;
            args.State = ODS_SELECTED;
            if (item->OnMeasureItem.Handler) item->OnMeasureItem.Handler(args);
            if (item->OnDrawItem.Handler) item->OnDrawItem.Handler(args);
            self(self, *item);
        }
    };
    drawAll(drawAll, dynamic_cast<TMainMenu&>(*main.FindComponent("MainMenu")).Items());
}

// Strokes and control frames on the screen, then a wipe: the engine's whole drawing cycle.
void DrawMarks(TfrmZelvora& main)
{
    TMarkingEngine& engine = main.Engine();
    for (int i = 0; i < 20; ++i) {
        engine.MovePenTo(100 + i, 100);
        engine.DrawLineTo(300, 120 + i);
        engine.FrameWindowAt(main.Left() + 20, main.Top() + 60);
    }
    engine.WipeMarks();
}

template <typename Form>
void OpenAndClose(TApplication& app)
{
    auto* form = new Form(&app);
    form->Show();
    app.ProcessMessages();
    form->Hide();
    form->PrepareDestruction();
    delete form;
}

TEST(HandleLeaks, OpeningAndClosingWindowsAHundredTimesGivesEverythingBack)
{
    auto app = testing::CreateProgramWindows();
    TForm& main = *app->MainForm();
    main.Show();
    app->ProcessMessages();
    const Census before;
    EXPECT_GT(before.Windows, 40);
    EXPECT_GT(before.GdiObjects, 10);
    for (int i = 0; i < 100; ++i) {
        OpenAndClose<TfrmAbout>(*app);
        OpenAndClose<TfrmLicense>(*app);
        OpenAndClose<TfrmEditHotkey>(*app);
        main.Hide();
        main.Show();
        DrawMainMenu(main);
        DrawMarks(dynamic_cast<TfrmZelvora&>(main));
        app->ProcessMessages();
    }
    const Census after;
    EXPECT_EQ(after.Windows, before.Windows);
    EXPECT_EQ(after.GdiObjects, before.GdiObjects);
    EXPECT_EQ(after.MemoryDcs, before.MemoryDcs);
    EXPECT_EQ(after.Menus, before.Menus);
    EXPECT_EQ(after.OurWindows, before.OurWindows);
    EXPECT_EQ(after.SystemGdi, before.SystemGdi);
    EXPECT_EQ(after.SystemUser, before.SystemUser);
}

}  // namespace
}  // namespace zelvora
