// The four windows as their descriptions build them: sizes, every control, menus, modal loops.
#include <gtest/gtest.h>

#include <vector>

#include "WindowTestSupport.h"
#include "app/win32/MainWindow.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/Menus.h"

namespace zelvora {
namespace {

using testing::ChildInfo;

struct Expected {
    const char* Name;
    const char* WindowClass;
    int Left, Top, Width, Height;  // -1: whatever the control needs
    const char* Text;              // nullptr: not checked
};

class ProgramWindows : public ::testing::Test {
protected:
    // German: the windows as their descriptions show them.
    static void SetUpTestSuite() { app = testing::CreateProgramWindows({{"Lang", 1}}).release(); }
    static void TearDownTestSuite()
    {
        delete app;
        app = nullptr;
    }

    static TForm& Window(const char* name)
    {
        auto* form = dynamic_cast<TForm*>(app->FindComponent(name));
        if (!form) throw std::runtime_error(std::string("no window ") + name);
        return *form;
    }

    static void CheckControls(TForm& form, const std::vector<Expected>& controls)
    {
        for (const Expected& e : controls) {
            SCOPED_TRACE(e.Name);
            auto* control = dynamic_cast<TControl*>(form.FindComponent(e.Name));
            ASSERT_NE(control, nullptr);
            ASSERT_TRUE(control->HandleAllocated());
            const ChildInfo info = testing::DescribeWindow(control->Handle());
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

    static TApplication* app;
};

TApplication* ProgramWindows::app = nullptr;

TEST_F(ProgramWindows, MainWindowHasEveryControlInPlace)
{
    TForm& main = Window("frmZelvora");
    EXPECT_EQ(app->MainForm(), &main);
    const SIZE client = testing::ClientSize(main.Handle());
    EXPECT_EQ(client.cx, 417);
    EXPECT_EQ(client.cy, 241);
    EXPECT_EQ(main.Caption(), "Zelvora");
    const LONG style = GetWindowLongA(main.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(GetWindow(main.Handle(), GW_OWNER), app->Handle());
    CheckControls(main,
                  {
                      {"Panel1", "TPanel", 0, 0, 417, 48, ""},
                      {"ImageHeader", "TImage", 0, 0, 417, 48, nullptr},
                      {"pnlDraw", "TAdvPanel", 5, 48, 205, 85, nullptr},
                      {"lblPaint", "Static", 5, 25, 195, 55, nullptr},  // inside the band and the border
                      {"pnlMode", "TAdvPanel", 5, 140, 205, 97, nullptr},
                      {"rbtnFreeHand", "Button", 12, 25, 185, 17, "Freihand"},
                      {"rbtnControl", "Button", 12, 44, 185, 17, "Steuerelemente"},
                      {"lblMode", "Static", 6, 65, 191, 24, nullptr},
                      {"pnlPen", "TAdvPanel", 217, 48, 196, 189, nullptr},
                      {"TrackBar", "msctls_trackbar32", 8, 28, 121, 33, nullptr},
                      {"Panel2", "TPanel", 133, 28, 41, 41, ""},
                      {"Shape2", "TShape", 15, 15, 10, 10, nullptr},  // the pen preview at size 10
                      {"Shape3", "TShape", 0, 0, 41, 41, nullptr},
                      {"lblSize", "Static", 16, 60, 109, 13, "10 px"},
                      {"Line1", "TLine", 4, 72, 183, 9, nullptr},
                      {"Label3", "Static", 4, 88, 189, 13, "Klicken um Farbe zu w\xE4hlen"},
                      {"Shape", "TShape", 78, 106, 40, 20, nullptr},
                      {"Shape1", "TShape", 80, 108, 37, 17, nullptr},
                      {"Line2", "TLine", 6, 135, 183, 6, nullptr},
                      {"cbTransparent", "Button", 8, 144, 137, 17, "Transparenz"},
                      {"cbFloodFill", "Button", 8, 160, 137, 17,
                       "Fl\xE4"
                       "che f\xFCllend"},
                  });
    ShowAndPhotograph(main, "frmZelvora");
}

TEST_F(ProgramWindows, HotkeyEditorAboutAndTermsWindowsHaveTheirControls)
{
    TForm& editor = Window("frmEditHotkey");
    EXPECT_EQ(testing::ClientSize(editor.Handle()).cx, 262);
    EXPECT_EQ(testing::ClientSize(editor.Handle()).cy, 191);
    EXPECT_EQ(editor.Caption(), "Tastenkombinationen \xE4ndern");
    CheckControls(editor, {
                              {"Panel1", "TPanel", 0, 0, 262, 42, ""},
                              {"ImageHeader", "TImage", 0, 0, 262, 42, nullptr},
                              {"Label2", "Static", 8, 65, -1, -1, "Zeichnen:"},
                              {"Label3", "Static", 8, 95, -1, -1, "L\xF6schen:"},
                              {"Label4", "Static", 8, 125, -1, -1, "Modus:"},
                              {"edtDraw", "msctls_hotkey32", 78, 62, 176, 19, nullptr},
                              {"edtDelete", "msctls_hotkey32", 78, 92, 176, 19, nullptr},
                              {"edtMode", "msctls_hotkey32", 78, 122, 176, 19, nullptr},
                              {"btnOk", "Button", 48, 160, 81, 25, "OK"},
                              {"btnCancel", "Button", 133, 160, 81, 25, "Cancel"},
                          });
    ShowAndPhotograph(editor, "frmEditHotkey");

    TForm& about = Window("frmAbout");
    EXPECT_EQ(testing::ClientSize(about.Handle()).cx, 291);
    EXPECT_EQ(testing::ClientSize(about.Handle()).cy, 214);
    EXPECT_EQ(about.Caption(),
              "Info \xFC"
              "ber Zelvora");
    CheckControls(about, {
                             {"Panel2", "TPanel", 0, 0, 291, 42, ""},
                             {"ImageHeader", "TImage", 0, 0, 291, 42, nullptr},
                             {"Panel1", "TPanel", 3, 48, 286, 138, ""},
                             {"lblVersion", "Static", 6, 10, 270, 13, "Version:"},
                             {"lblMaker", "Static", 4, 30, 277, 15, nullptr},
                             {"OKButton", "Button", 106, 192, 75, 19, "Ok"},
                         });
    ShowAndPhotograph(about, "frmAbout");

    TForm& terms = Window("frmLicense");
    EXPECT_EQ(testing::ClientSize(terms.Handle()).cx, 407);
    EXPECT_EQ(testing::ClientSize(terms.Handle()).cy, 308);
    EXPECT_EQ(terms.Caption(), "Zelvora Lizenz");
    CheckControls(terms, {
                             {"Panel1", "TPanel", 0, 0, 407, 41, ""},
                             {"ImageHeader", "TImage", 0, 0, 407, 41, nullptr},
                             {"Panel3", "TPanel", 0, 41, 407, 226, ""},
                             {"Memo", "Edit", 0, 0, 407, 226, nullptr},
                             {"Panel2", "TPanel", 0, 267, 407, 41, ""},
                             {"btnClose", "Button", 164, 8, 75, 25, "Schliessen"},
                         });
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
    EXPECT_EQ(
        MenuItems(action),
        (std::vector<std::string>{"Zeichnung l\xF6schen", "-", "Mit Windows starten", "Minimieren beim Start",
                                  "-", "Tastenkombinationen \xE4ndern...", "-", "Sprache"}));
    HMENU languages = GetSubMenu(action, 7);
    EXPECT_EQ(MenuItems(languages),
              (std::vector<std::string>{"English", "Deutsch", "Francais", "Rom\xE2na"}));
    for (UINT i = 0; i < 4; ++i) {
        const MENUITEMINFOA info = MenuInfo(languages, i);
        EXPECT_TRUE(info.fType & MFT_RADIOCHECK) << i;
        // German is the stored language here.
        EXPECT_EQ((info.fState & MFS_CHECKED) != 0, i == 1) << i;
    }
    EXPECT_EQ(MenuItems(GetSubMenu(bar, 2)),
              (std::vector<std::string>{"Website besuchen...", "-", "Lizenz...", "-", "Online Update...", "-",
                                        "Info..."}));
    auto& popup = dynamic_cast<TPopupMenu&>(*Window("frmZelvora").FindComponent("PopupMenu"));
    EXPECT_EQ(MenuItems(popup.Handle()),
              (std::vector<std::string>{"Wiederherstellen", "-", "Lizenz...", "-", "Beenden"}));
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
    if (!keyWatch || !keyWatch->Dialog->Modal() || ++keyWatch->Ticks != 3) return;
    HWND focus = GetFocus();
    char name[64] = {};
    GetClassNameA(focus, name, sizeof name);
    keyWatch->FocusedClass = name;
    PostMessageA(focus, WM_KEYDOWN, keyWatch->Key, 0);
}

TEST_F(ProgramWindows, ShownWindowsPutTheKeyboardOnTheirFirstControlAndReturnPressesTheDefaultButton)
{
    Window("frmZelvora").Show();
    const std::pair<const char*, const char*> firstControls[] = {
        {"frmAbout", "Button"},
        {"frmLicense", "Button"},
        {"frmEditHotkey", "msctls_hotkey32"}};  // "Schliessen" comes before the text
    for (const auto& [name, firstClass] : firstControls) {
        SCOPED_TRACE(name);
        KeyWatch watch{&Window(name), VK_RETURN, "", 0};
        keyWatch = &watch;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, PressKeyWhereTheFocusIs);
        const TModalResult result = watch.Dialog->ShowModal();
        KillTimer(nullptr, timer);
        keyWatch = nullptr;
        EXPECT_STRCASEEQ(watch.FocusedClass.c_str(), firstClass);
        EXPECT_NE(result, TModalResult::mrNone);
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
    EXPECT_EQ(names, (std::vector<std::string>{"edtDraw", "edtDelete", "edtMode", "btnOk", "btnCancel"}));
    editor.Hide();

    // Of the two radio buttons only the checked one is a stop.
    names.clear();
    for (TControl* control : Window("frmZelvora").TabOrder()) names.push_back(control->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"rbtnFreeHand", "TrackBar", "cbTransparent", "cbFloodFill"}));
}

}  // namespace
}  // namespace zelvora
