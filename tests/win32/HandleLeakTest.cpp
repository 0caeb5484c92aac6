// Opening and closing windows many times must give back every window, GDI object and menu.
#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "dialogs/win32/AboutWindow.h"
#include "dialogs/win32/HotkeyWindow.h"
#include "dialogs/win32/TermsWindow.h"
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
};

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
        app->ProcessMessages();
    }
    const Census after;
    EXPECT_EQ(after.Windows, before.Windows);
    EXPECT_EQ(after.GdiObjects, before.GdiObjects);
    EXPECT_EQ(after.MemoryDcs, before.MemoryDcs);
    EXPECT_EQ(after.Menus, before.Menus);
    EXPECT_EQ(after.OurWindows, before.OurWindows);
}

}  // namespace
}  // namespace zelvora
