// The four windows as their descriptions build them: sizes, every control, menus, modal loops.
#include <gtest/gtest.h>

#include <vector>

#include "ProgramWindowLayouts.h"
#include "WindowTestSupport.h"
#include "app/win32/MainWindow.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/Menus.h"

namespace zelvora {
namespace {

using testing::ChildInfo;

using Expected = testing::ControlPlace;

class ProgramWindows : public testing::ProgramWindowsSuite {
protected:
    static void CheckControls(TForm& form, const std::vector<Expected>& controls)
    {
        for (const Expected& e : controls) {
            SCOPED_TRACE(e.Name);
            auto* control = dynamic_cast<TControl*>(form.FindComponent(e.Name));
            ASSERT_NE(control, nullptr);
            ASSERT_TRUE(control->HandleAllocated() || !control->Windowed());
            const ChildInfo info = testing::DescribeControl(*control);
            EXPECT_STRCASEEQ(info.ClassName.c_str(), e.WindowClass);
            EXPECT_EQ(info.Bounds.left, e.Left);
            EXPECT_EQ(info.Bounds.top, e.Top);
            if (e.Width >= 0) {
                EXPECT_EQ(info.Bounds.right - info.Bounds.left, e.Width);
            }
            if (e.Height >= 0) {
                EXPECT_EQ(info.Bounds.bottom - info.Bounds.top, e.Height);
            }
            if (e.Text) {
                EXPECT_EQ(info.Text, e.Text);
            }
        }
    }

    static void ShowAndPhotograph(TForm& form, const char* name)
    {
        form.Show();
        testing::PumpUntil(*app, [&] { return IsWindowVisible(form.Handle()) != FALSE; });
        UpdateWindow(form.Handle());
        app->ProcessMessages();
        EXPECT_TRUE(testing::SaveScreenshot(form.Handle(), name));
        form.Hide();
    }
};

TEST_F(ProgramWindows, MainWindowHasEveryControlInPlace)
{
    TForm& main = Window("frmZelvora");
    EXPECT_EQ(app->MainForm(), &main);
    const SIZE client = testing::ClientSize(main.Handle());
    EXPECT_EQ(client.cx, testing::kMainWindowLayout.ClientWidth);
    EXPECT_EQ(client.cy, testing::kMainWindowLayout.ClientHeight);
    EXPECT_EQ(main.Caption(), "Zelvora");
    const LONG style = GetWindowLongA(main.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(GetWindow(main.Handle(), GW_OWNER), app->Handle());
    CheckControls(main, testing::kMainWindowLayout.Controls);
    ShowAndPhotograph(main, "frmZelvora");
}

TEST_F(ProgramWindows, HotkeyEditorAboutAndTermsWindowsHaveTheirControls)
{
    TForm& editor = Window("frmEditHotkey");
    EXPECT_EQ(testing::ClientSize(editor.Handle()).cx, testing::kHotkeyWindowLayout.ClientWidth);
    EXPECT_EQ(testing::ClientSize(editor.Handle()).cy, testing::kHotkeyWindowLayout.ClientHeight);
    EXPECT_EQ(editor.Caption(), "Tastenkombinationen \xE4ndern");
    CheckControls(editor, testing::kHotkeyWindowLayout.Controls);
    ShowAndPhotograph(editor, "frmEditHotkey");

    TForm& about = Window("frmAbout");
    EXPECT_EQ(testing::ClientSize(about.Handle()).cx, testing::kAboutWindowLayout.ClientWidth);
    EXPECT_EQ(testing::ClientSize(about.Handle()).cy, testing::kAboutWindowLayout.ClientHeight);
    EXPECT_EQ(about.Caption(),
              "Info \xFC"
              "ber Zelvora");
    CheckControls(about, testing::kAboutWindowLayout.Controls);
    ShowAndPhotograph(about, "frmAbout");

    TForm& terms = Window("frmLicense");
    EXPECT_EQ(testing::ClientSize(terms.Handle()).cx, testing::kTermsWindowLayout.ClientWidth);
    EXPECT_EQ(testing::ClientSize(terms.Handle()).cy, testing::kTermsWindowLayout.ClientHeight);
    EXPECT_EQ(terms.Caption(), "Zelvora Lizenz");
    CheckControls(terms, testing::kTermsWindowLayout.Controls);
    const LONG memoStyle =
        GetWindowLongA(dynamic_cast<TControl&>(*terms.FindComponent("Memo")).Handle(), GWL_STYLE);
    EXPECT_TRUE(memoStyle & ES_READONLY);
    EXPECT_TRUE(memoStyle & WS_VSCROLL);
    EXPECT_FALSE(memoStyle & ES_WANTRETURN);
    ShowAndPhotograph(terms, "frmLicense");
}

TEST_F(ProgramWindows, SecondaryWindowsShowTheMainWindowsHeaderPicture)
{
    for (const char* name : {"frmAbout", "frmLicense", "frmEditHotkey"}) {
        auto* image = dynamic_cast<TImage*>(Window(name).FindComponent("ImageHeader"));
        ASSERT_NE(image, nullptr) << name;
        BITMAP info{};
        ASSERT_TRUE(image->Bitmap()) << name;
        GetObjectA(image->Bitmap(), sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 535) << name;
        EXPECT_EQ(info.bmHeight, 48) << name;
        EXPECT_EQ(info.bmBitsPixel, 24) << name;
    }
}

std::string MenuText(HMENU menu, UINT position)
{
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

MENUITEMINFOA MenuInfo(HMENU menu, UINT position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info;
}

// "-" for a separator, the text otherwise.
std::vector<std::string> MenuItems(HMENU menu)
{
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        items.push_back((MenuInfo(menu, static_cast<UINT>(i)).fType & MFT_SEPARATOR)
                            ? "-"
                            : MenuText(menu, static_cast<UINT>(i)));
    return items;
}

TEST_F(ProgramWindows, MainMenuHasTheItemsSeparatorsAndShortcutText)
{
    HMENU bar = GetMenu(Window("frmZelvora").Handle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(MenuItems(bar), (std::vector<std::string>{"Datei", "Aktion", "Hilfe"}));
    EXPECT_EQ(MenuItems(GetSubMenu(bar, 0)),
              (std::vector<std::string>{"Minimieren", "-", "Beenden\tStrg+X"}));
    HMENU action = GetSubMenu(bar, 1);
    EXPECT_EQ(MenuItems(action),
              (std::vector<std::string>{"Zeichnung l\xF6schen\tAlt+2", "Letzte Markierung entfernen\tAlt+4",
                                        "Markierungen behalten", "Markierungen verschwinden",
                                        "Bildschirm speichern\tAlt+5", "Modus wechseln\tAlt+3", "-",
                                        "Mit Windows starten", "Minimieren beim Start", "-",
                                        "Tastenkombinationen \xE4ndern...", "-", "Sprache"}));
    // Radio items, only the one at `checked` checked.
    const auto expectRadioItems = [](HMENU menu, const std::vector<std::string>& texts, UINT checked) {
        EXPECT_EQ(MenuItems(menu), texts);
        for (UINT i = 0; i < texts.size(); ++i) {
            const MENUITEMINFOA info = MenuInfo(menu, i);
            EXPECT_TRUE(info.fType & MFT_RADIOCHECK) << texts[i];
            EXPECT_EQ((info.fState & MFS_CHECKED) != 0, i == checked) << texts[i];
        }
    };
    // Never is the default.
    expectRadioItems(GetSubMenu(action, 3), {"Nie", "nach 2 Sekunden", "nach 5 Sekunden", "nach 15 Sekunden"},
                     0);
    // German is the stored language here.
    expectRadioItems(GetSubMenu(action, 12), {"English", "Deutsch", "Francais", "Rom\xE2na"}, 1);
    EXPECT_EQ(MenuItems(GetSubMenu(bar, 2)),
              (std::vector<std::string>{"Website besuchen...", "-", "Lizenz...", "-", "Online Update...", "-",
                                        "Tasten beim Zeichnen...", "Info..."}));
    auto& popup = dynamic_cast<TPopupMenu&>(*Window("frmZelvora").FindComponent("PopupMenu"));
    EXPECT_EQ(MenuItems(popup.Handle()),
              (std::vector<std::string>{"Wiederherstellen", "Bildschirm speichern\tAlt+5", "Pause\tAlt+0",
                                        "-", "Lizenz...", "-", "Beenden"}));
    EXPECT_FALSE(MenuInfo(popup.Handle(), 0).fState & MFS_DEFAULT) << "the tray menu has no default item";
}

struct ModalWatch {
    TForm* Main = nullptr;
    TForm* Dialog = nullptr;
    bool MainDisabledWhileModal = false;
    int Ticks = 0;
};
ModalWatch* modalWatch = nullptr;

// Stands in for the user while a modal loop runs: a thread timer, dispatched by that loop.
void CALLBACK PressEscapeInModalLoop(HWND, UINT, UINT_PTR, DWORD)
{
    if (!modalWatch || !modalWatch->Dialog->Modal()) return;
    if (++modalWatch->Ticks < 3) return;
    modalWatch->MainDisabledWhileModal = !IsWindowEnabled(modalWatch->Main->Handle());
    PostMessageA(modalWatch->Dialog->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(modalWatch->Dialog->Handle(), WM_CHAR, VK_ESCAPE, 0);
}

TEST_F(ProgramWindows, ModalWindowsRunTheirOwnLoopAndCloseOnEscape)
{
    Window("frmZelvora").Show();
    for (const char* name : {"frmAbout", "frmLicense", "frmEditHotkey"}) {
        SCOPED_TRACE(name);
        ModalWatch watch{&Window("frmZelvora"), &Window(name)};
        modalWatch = &watch;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, PressEscapeInModalLoop);
        const TModalResult result = watch.Dialog->ShowModal();
        KillTimer(nullptr, timer);
        modalWatch = nullptr;
        EXPECT_EQ(result, TModalResult::mrCancel);
        EXPECT_GE(watch.Ticks, 3);  // thread timers keep firing inside the modal loop
        EXPECT_TRUE(watch.MainDisabledWhileModal);
        EXPECT_FALSE(IsWindowVisible(watch.Dialog->Handle()));
        EXPECT_TRUE(IsWindowEnabled(watch.Main->Handle()));
    }
}

struct KeyWatch {
    TForm* Dialog = nullptr;
    WPARAM Key = 0;
    std::string FocusedClass;
    int Ticks = 0;
};
KeyWatch* keyWatch = nullptr;

// Presses a key where the keyboard is once the modal window is up.
void CALLBACK PressKeyWhereTheFocusIs(HWND, UINT, UINT_PTR, DWORD)
{
    if (!keyWatch || !keyWatch->Dialog->Modal()) return;
    if (++keyWatch->Ticks == 50)
        keyWatch->Dialog->SetModalResult(TModalResult::mrAbort);  // the key did nothing
    if (keyWatch->Ticks != 3) return;
    HWND focus = GetFocus();
    char name[64] = {};
    GetClassNameA(focus, name, sizeof name);
    keyWatch->FocusedClass = name;
    PostMessageA(focus, WM_KEYDOWN, keyWatch->Key, 0);
}

TEST_F(ProgramWindows, ShownWindowsPutTheKeyboardOnTheirFirstControlAndReturnPressesTheDefaultButton)
{
    Window("frmZelvora").Show();
    struct Case {
        const char* Name;
        const char* FirstClass;
        TModalResult Pressed;  // what the default button gives
    };
    const Case cases[] = {
        {"frmAbout", "Button", TModalResult::mrOk},
        {"frmLicense", "Button", TModalResult::mrCancel},  // "Schliessen" closes; it comes before the text
        {"frmEditHotkey", "msctls_hotkey32", TModalResult::mrOk}};
    for (const auto& [name, firstClass, pressed] : cases) {
        SCOPED_TRACE(name);
        KeyWatch watch{&Window(name), VK_RETURN, "", 0};
        keyWatch = &watch;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, PressKeyWhereTheFocusIs);
        const TModalResult result = watch.Dialog->ShowModal();
        KillTimer(nullptr, timer);
        keyWatch = nullptr;
        EXPECT_STRCASEEQ(watch.FocusedClass.c_str(), firstClass);
        EXPECT_EQ(result, pressed);
        EXPECT_FALSE(IsWindowVisible(watch.Dialog->Handle()));
    }
}

TEST_F(ProgramWindows, TabFollowsTheOrderOfCreationNotTheStacking)
{
    auto& editor = Window("frmEditHotkey");
    std::vector<std::string> names;
    for (TControl* control : editor.TabOrder()) names.push_back(control->Name());
    EXPECT_EQ(names, (std::vector<std::string>{}));  // hidden: nothing to visit
    editor.Show();
    testing::PumpUntil(*app, [&] { return IsWindowVisible(editor.Handle()) != FALSE; });
    for (TControl* control : editor.TabOrder()) names.push_back(control->Name());
    EXPECT_EQ(names,
              (std::vector<std::string>{"edtDraw", "edtDelete", "edtMode", "edtUndo", "edtSnapshot",
                                        "edtLaser", "edtSpotlight", "edtPause", "btnOk", "btnCancel"}));
    editor.Hide();

    // Of the two radio buttons only the checked one is a stop.
    names.clear();
    for (TControl* control : Window("frmZelvora").TabOrder()) names.push_back(control->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"rbtnFreeHand", "TrackBar", "cbTransparent", "cbFloodFill"}));
}

}  // namespace
}  // namespace zelvora
