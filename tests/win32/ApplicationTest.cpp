#include "toolkit/Application.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"
#include "toolkit/StdCtrls.h"

namespace zelvora {
namespace {

TEST(ErrorDisplay, AddsAFullStopOnlyAfterCharactersSortingAfterIt)
{
    EXPECT_EQ(ErrorDisplayText("Cannot open"), "Cannot open.");
    EXPECT_EQ(ErrorDisplayText("Done."), "Done.");
    EXPECT_EQ(ErrorDisplayText("Really?"), "Really?.");  // "?" sorts after "."
    EXPECT_EQ(ErrorDisplayText("Stop!"), "Stop!");       // "!" sorts before "."
    EXPECT_EQ(ErrorDisplayText("Gr\xFC\xDF"), "Gr\xFC\xDF.");
    EXPECT_EQ(ErrorDisplayText(""), "");
}

// A window whose button's handler throws whatever the test asks for.
class TSampleForm : public TForm {
public:
    explicit TSampleForm(TComponent* owner) : TForm(owner)
    {
        PublishMethod("BoomClick", [this](TEventArgs&) { throw std::runtime_error(message); });
        InitializeFromText(R"(object frmSample: TSampleForm
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = 'Sample'
  ClientWidth = 200
  ClientHeight = 80
  object btnBoom: TButton
    Left = 10
    Top = 10
    Width = 80
    Height = 25
    Caption = 'Boom'
    OnClick = BoomClick
  end
end
)");
    }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info("TSampleForm", &TForm::StaticClassInfo(), {});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    HWND Button() const { return Field<TButton>("btnBoom").Handle(); }
    std::string message;
};

struct SeenBox {
    std::string Caption, Text;
    bool ErrorIcon = false;
};
SeenBox seen;

// Runs inside the message box's own loop: reads the box and presses OK.
void CALLBACK ReadAndCloseMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM) -> BOOL {
            char className[32] = {};
            GetClassNameA(hwnd, className, sizeof className);
            if (std::string(className) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
            char text[512] = {};
            GetWindowTextA(hwnd, text, sizeof text);
            seen.Caption = text;
            GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);
            seen.Text = text;
            seen.ErrorIcon = GetDlgItem(hwnd, 0x14) != nullptr;  // the box's icon control
            PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
            return FALSE;
        },
        0);
}

TEST(ErrorDisplay, AnExceptionInAHandlerIsShownWithTheApplicationTitle)
{
    RegisterComponentClass<TButton>();
    TApplication app;
    app.SetTitle("Zelvora");
    auto& form = app.CreateForm<TSampleForm>();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadAndCloseMessageBox);
    for (const auto& [thrown, shown] : {std::pair<std::string, std::string>{"Ende erreicht.", "Ende erreicht."},
                                        {"Datei fehlt", "Datei fehlt."}}) {
        seen = {};
        form.message = thrown;
        SendMessageA(form.Button(), BM_CLICK, 0, 0);  // returns once the box was closed
        EXPECT_EQ(seen.Caption, "Zelvora");
        EXPECT_EQ(seen.Text, shown);
    }
    KillTimer(nullptr, timer);
}

TEST(Application, FirstWindowIsTheMainWindowAndClosingItEndsTheLoop)
{
    RegisterComponentClass<TButton>();
    HWND mainWindow = nullptr;
    {
        TApplication app;
        EXPECT_EQ(Application, &app);
        auto& first = app.CreateForm<TSampleForm>();
        auto& second = app.CreateForm<TSampleForm>();
        EXPECT_EQ(app.MainForm(), &first);
        EXPECT_NE(app.MainForm(), &second);
        EXPECT_EQ(GetWindow(first.Handle(), GW_OWNER), app.Handle());
        mainWindow = first.Handle();
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        app.Run();
        EXPECT_TRUE(app.Terminated());
        EXPECT_TRUE(IsWindow(mainWindow));
    }
    EXPECT_FALSE(IsWindow(mainWindow));
    EXPECT_EQ(Application, nullptr);
}

TEST(Application, MinimisingHidesTheWindowsAndTellsTheHooks)
{
    RegisterComponentClass<TButton>();
    TApplication app;
    auto& form = app.CreateForm<TSampleForm>();
    int minimisedSeen = 0;
    app.HookMainWindow([&](UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
        if (msg == WM_SIZE && wParam == SIZE_MINIMIZED) ++minimisedSeen;
        return false;
    });
    form.Show();
    app.Minimize();
    app.ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(IsIconic(app.Handle()));
    EXPECT_EQ(minimisedSeen, 1);
    app.Restore();
    app.ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(IsIconic(app.Handle()));
}

struct SeenDialog {
    std::string Caption, Yes, No, Ok;
};
SeenDialog dialog;

void CALLBACK ReadAndAnswerDialog(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM) -> BOOL {
            char className[32] = {};
            GetClassNameA(hwnd, className, sizeof className);
            if (std::string(className) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
            char text[128] = {};
            GetWindowTextA(hwnd, text, sizeof text);
            dialog.Caption = text;
            text[0] = 0;
            GetDlgItemTextA(hwnd, IDYES, text, sizeof text);
            dialog.Yes = text;
            text[0] = 0;
            GetDlgItemTextA(hwnd, IDNO, text, sizeof text);
            dialog.No = text;
            text[0] = 0;
            GetDlgItemTextA(hwnd, IDOK, text, sizeof text);
            dialog.Ok = text;
            PostMessageA(hwnd, WM_COMMAND, GetDlgItem(hwnd, IDNO) ? IDNO : IDOK, 0);
            return FALSE;
        },
        0);
}

TEST(MessageDialogs, CarryTheToolkitsGermanTitlesAndButtons)
{
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadAndAnswerDialog);
    dialog = {};
    EXPECT_EQ(MessageDlg("Jetzt suchen?", TMsgDlgType::mtConfirmation, nullptr), IDNO);
    EXPECT_EQ(dialog.Caption, "Best\xE4tigung");
    EXPECT_EQ(dialog.Yes, "&Ja");
    EXPECT_EQ(dialog.No, "&Nein");
    dialog = {};
    EXPECT_EQ(MessageDlg("Kein Update.", TMsgDlgType::mtInformation, nullptr), IDOK);
    EXPECT_EQ(dialog.Caption, "Informationen");
    EXPECT_EQ(dialog.Ok, "OK");
    KillTimer(nullptr, timer);
}

}  // namespace
}  // namespace zelvora
