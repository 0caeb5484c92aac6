#include "toolkit/win32/Application.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "toolkit/win32/Button.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/MessageDialog.h"

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
    // The update check's failure: the French text gets its full stop here, the English keeps its own.
    EXPECT_EQ(ErrorDisplayText("Pas de connexion avec le serveur"), "Pas de connexion avec le serveur.");
    EXPECT_EQ(ErrorDisplayText("Can't connect to the server."), "Can't connect to the server.");
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

// The visible message box of this thread, if one is up.
HWND VisibleMessageBox()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM out) -> BOOL {
            char className[32] = {};
            GetClassNameA(hwnd, className, sizeof className);
            if (std::string(className) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
            *reinterpret_cast<HWND*>(out) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string WindowText(HWND hwnd)
{
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

struct SeenBox {
    std::string Caption, Text, Yes, No, Ok;
};
SeenBox seen;

// Runs inside the box's own loop: reads the box, then answers No where it can, else OK.
void CALLBACK ReadAndAnswerMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = VisibleMessageBox();
    if (!box) return;
    seen = {WindowText(box), WindowText(GetDlgItem(box, 0xFFFF)), WindowText(GetDlgItem(box, IDYES)),
            WindowText(GetDlgItem(box, IDNO)), WindowText(GetDlgItem(box, IDOK))};
    PostMessageA(box, WM_COMMAND, GetDlgItem(box, IDNO) ? IDNO : IDOK, 0);
}

TEST(ErrorDisplay, AnExceptionInAHandlerIsShownWithTheApplicationTitle)
{
    RegisterComponentClass<TButton>();
    TApplication app;
    app.SetTitle("Zelvora");
    auto& form = app.CreateForm<TSampleForm>();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadAndAnswerMessageBox);
    for (const auto& [thrown, shown] :
         {std::pair<std::string, std::string>{"Ende erreicht.", "Ende erreicht."},
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
        EXPECT_TRUE(second.HandleAllocated());
        EXPECT_TRUE(IsWindow(mainWindow));
    }
    EXPECT_FALSE(IsWindow(mainWindow));
    EXPECT_EQ(Application, nullptr);
}

TEST(Application, HeldStartUpWorkFollowsTheMainWindowsFirstPaintOrComesFirstInAMinimisedStart)
{
    RegisterComponentClass<TButton>();
    for (const bool minimised : {false, true}) {
        SCOPED_TRACE(minimised ? "minimised" : "shown");
        MSG left;
        while (PeekMessageA(&left, nullptr, 0, 0, PM_REMOVE)) {
        }  // an earlier loop's quit message
        TApplication app;
        app.HoldStartupWork();
        auto& form = app.CreateForm<TSampleForm>();
        auto& other = app.CreateForm<TSampleForm>();
        if (minimised) form.SetWindowState(TWindowState::wsMinimized);
        int runs = 0;
        bool shown = false, waitingPaint = true;
        app.AfterFirstFrame([&] {
            ++runs;
            shown = IsWindowVisible(form.Handle()) != FALSE;
            waitingPaint = GetUpdateRect(form.Handle(), nullptr, FALSE) != FALSE;
        });
        // Closed once the other window has its system window too.
        SetTimer(form.Handle(), reinterpret_cast<UINT_PTR>(&other), 10,
                 [](HWND hwnd, UINT, UINT_PTR other, DWORD) {
                     if (reinterpret_cast<TForm*>(other)->HandleAllocated())
                         PostMessageA(hwnd, WM_CLOSE, 0, 0);
                 });
        EXPECT_EQ(runs, 0) << "held until Run";
        app.Run();
        EXPECT_EQ(runs, 1);
        EXPECT_TRUE(other.HandleAllocated()) << "the other windows' system windows follow";
        EXPECT_EQ(shown, !minimised) << "a minimised start shows no window before the work";
        EXPECT_FALSE(waitingPaint && !minimised) << "the work waited for the first paint";
        int later = 0;
        app.AfterFirstFrame([&] { ++later; });
        EXPECT_EQ(later, 1) << "after the start-up, work is done at once";
    }
}

// Presses OK on this thread's message boxes from inside their modal loops, keeping their texts.
std::string answeredBoxes;
void CALLBACK AnswerMessageBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            char name[16] = {}, text[256] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
            GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
            answeredBoxes += std::string(text) + "\n";
            PostMessageA(window, WM_COMMAND, IDOK, 0);
            return TRUE;
        },
        0);
}

TEST(Application, WorkQueuedOnceTheFirstFrameIsUpRunsAndAPieceThatThrowsInAMinimisedStartIsReported)
{
    RegisterComponentClass<TButton>();
    const UINT_PTR answering = SetTimer(nullptr, 0, 50, AnswerMessageBoxes);
    for (const bool minimised : {false, true}) {
        SCOPED_TRACE(minimised ? "minimised" : "shown");
        answeredBoxes.clear();
        MSG left;
        while (PeekMessageA(&left, nullptr, 0, 0, PM_REMOVE)) {
        }
        TApplication app;
        app.HoldStartupWork();
        auto& form = app.CreateForm<TSampleForm>();  // no other window: nothing is queued for them
        static int runs;
        runs = 0;
        if (minimised) {
            form.SetWindowState(TWindowState::wsMinimized);
            app.AfterFirstFrame([] { throw std::runtime_error("a piece that throws"); });
            app.AfterFirstFrame([] { ++runs; });
        } else {
            static TApplication* running;
            running = &app;
            SetTimer(form.Handle(), 1, 30, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
                KillTimer(hwnd, id);
                running->AfterFirstFrame([] { ++runs; });
            });
        }
        SetTimer(form.Handle(), 2, 1000,
                 [](HWND hwnd, UINT, UINT_PTR, DWORD) { PostMessageA(hwnd, WM_CLOSE, 0, 0); });
        app.Run();
        EXPECT_EQ(runs, 1) << "the work never ran";
        if (minimised) {
            EXPECT_NE(answeredBoxes.find("a piece that throws"), std::string::npos) << answeredBoxes;
        }
    }
    KillTimer(nullptr, answering);
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

TEST(Application, AModalLoopLeftByAnExceptionGivesTheOtherWindowsBack)
{
    RegisterComponentClass<TButton>();
    TApplication app;
    auto& main = app.CreateForm<TSampleForm>();
    auto& dialog = app.CreateForm<TSampleForm>();
    main.Show();
    app.CreateFormWindows();
    // A key handler that throws while the window is modal: the exception leaves the modal loop.
    dialog.SetKeyPreview(true);
    dialog.OnKeyPress.Handler = [](TEventArgs&) { throw std::runtime_error("handler failed"); };
    dialog.Show();
    dialog.Hide();
    PostMessageA(dialog.Handle(), WM_CHAR, 'x', 0);
    EXPECT_THROW(dialog.ShowModal(), std::runtime_error);
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    EXPECT_FALSE(dialog.Modal());
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    // And it can be modal again.
    dialog.OnKeyPress.Handler = nullptr;
    dialog.SetModalResult(TModalResult::mrNone);
    PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog.ShowModal(), TModalResult::mrCancel);
}

TEST(MessageDialogs, CarryTheToolkitsGermanTitlesAndButtons)
{
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadAndAnswerMessageBox);
    seen = {};
    EXPECT_EQ(MessageDlg("Jetzt suchen?", TMsgDlgType::mtConfirmation, nullptr), IDNO);
    EXPECT_EQ(seen.Caption, "Best\xE4tigung");
    EXPECT_EQ(seen.Text, "Jetzt suchen?");
    EXPECT_EQ(seen.Yes, "&Ja");
    EXPECT_EQ(seen.No, "&Nein");
    seen = {};
    EXPECT_EQ(MessageDlg("Kein Update.", TMsgDlgType::mtInformation, nullptr), IDOK);
    EXPECT_EQ(seen.Caption, "Informationen");
    EXPECT_EQ(seen.Ok, "OK");
    KillTimer(nullptr, timer);
}

}  // namespace
}  // namespace zelvora
