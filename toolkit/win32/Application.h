// The application object: title, the hidden window that owns the taskbar button, the windows
// it owns, and the message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/StartupTimeline.h"

namespace zelvora {

class TForm;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    HWND Handle() const { return window_.get(); }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // The first window created is the main window. Windows are freed last first.
    template <typename Form>
    Form& CreateForm()
    {
        return *new Form(this);
    }
    TForm* MainForm() const;

    // Shows the main window, or minimises the application when the main window's state is
    // minimised, then dispatches messages until Terminate.
    void Run();
    // Creates the system windows of every window that has none yet. Run makes them after the
    // main window's first frame: the person waits for the main window only.
    void CreateFormWindows();
    // Work a window needs done at start-up but not for its first frame (the tray icon and its
    // library, the other windows' system windows): once HoldStartupWork was called, it waits
    // until Run has painted the main window and the program is idle, and is then done a piece
    // at a time with the messages in between; in a start that shows no window it is done when
    // Run begins. Without the hold it is done at once.
    void HoldStartupWork() { holdingStartupWork_ = true; }
    void AfterFirstFrame(std::function<void()> work);
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();
    // Waits for one message and dispatches it.
    void HandleMessage();
    // A message (timer, input, paint, sent message) waits for this thread.
    bool MessageWaiting() const;
    void Minimize();
    void Restore();
    TStartupTimeline& Timeline() { return timeline_; }
    void BringToFront();

    // Sees every message of the application window first; true means handled. The tray icon
    // hooks the application's minimising this way.
    using TMessageHook = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
    // Returns the hook's number for UnhookMainWindow; a hook must go before what it calls into.
    int HookMainWindow(TMessageHook hook);
    void UnhookMainWindow(int hook);
    LRESULT ApplicationWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // The charset of the main window's font: the code page the program's texts are in now.
    int TextCharset() const;
    // Texts in the main window's charset reach the box as Unicode.
    int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) const;
    // A text already in Unicode, under the program's title.
    int ShowMessageBox(const std::wstring& text, UINT flags) const;
    // The hourglass over all the program's windows while it waits, or the windows' own cursors.
    void SetBusyCursor(bool busy);
    bool BusyCursor() const { return busy_; }
    // The default error display: title, error icon, and a full stop where the text lacks one.
    void ShowException(const std::string& message) const;

private:
    void Dispatch(MSG& msg);
    // A key that is a menu item's shortcut clicks that item, whichever of our windows has the
    // keyboard, unless a hotkey field wants the key for itself.
    bool IsMenuShortCut(const MSG& msg);
    // Paints every window of this thread that waits for it.
    void PaintWaitingWindows();
    void MakeOtherWindowsAfterFirstFrame();
    void RunStartupWork();
    void RunStartupWorkPiece();
    bool busy_ = false;
    bool holdingStartupWork_ = false;
    bool firstFrameDone_ = false;
    std::vector<std::function<void()>> startupWork_;

    TStartupTimeline timeline_;
    UniqueWindow window_;
    std::vector<std::pair<int, TMessageHook>> hooks_;
    int nextHook_ = 1;
    std::string title_;
    bool terminated_ = false;
};

// Text the error display shows for a message.
std::string ErrorDisplayText(const std::string& message);

// The one application object of the process; set while a TApplication lives.
extern TApplication* Application;

}  // namespace zelvora
