// Save screen from a key or a menu: the queue of pictures, and what the person is told of each
// (a notification from the tray where it went, a message box what failed).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/win32/ScreenSnapshot.h"

namespace zelvora {

class TCoolTrayIcon;

class TScreenSaves {
public:
    // `text` gives a named message in the window's language, 8-bit in `charset()`'s code page;
    // `beforeCopy` brings the screen up to date (the ink layer paints when the thread is idle)
    // and hides what is not to be saved; true when it hid something, which the windows beneath
    // repaint before the copy. `afterCopy` shows it again. While `drawing()` says a hold is on,
    // a failure is told in a notification: a message box would take the keyboard mid-stroke.
    TScreenSaves(HWND window, UINT doneMessage, TCoolTrayIcon& tray,
                 std::function<std::string(const char*)> text, std::function<int()> charset,
                 std::function<bool()> beforeCopy, std::function<void()> afterCopy,
                 std::function<bool()> drawing);
    ~TScreenSaves();
    TScreenSaves(const TScreenSaves&) = delete;
    TScreenSaves& operator=(const TScreenSaves&) = delete;

    // From a key: the screen is copied at once, the picture written meanwhile.
    void Save();
    // From a menu: once no menu shows any more.
    void SaveAfterMenu();
    // At exit, while the windows are there.
    void WriteAll();
    // What a click on the tray's notification opens.
    const std::wstring& LastPicture() const { return last_; }
    // The done message and the menu timer; true when the message was one of these.
    bool HandleMessage(UINT msg, WPARAM wParam);

private:
    void Report(const TSnapshot& snapshot);
    void WaitForMenuToGo();

    HWND window_;
    UINT doneMessage_;
    TCoolTrayIcon& tray_;
    std::function<std::string(const char*)> text_;
    std::function<int()> charset_;
    std::function<bool()> beforeCopy_;
    std::function<void()> afterCopy_;
    std::function<bool()> drawing_;
    bool hidden_ = false;
    std::unique_ptr<TSnapshotQueue> queue_;  // made on the first save
    std::wstring last_;
    int menuWaitTicks_ = 0, menuGoneTicks_ = 0;
};

}  // namespace zelvora
