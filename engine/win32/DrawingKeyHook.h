// While the paint shortcut is held the keyboard and the wheel are Zelvora's: low-level hooks on a
// thread of their own that do no more than hand each key to TDrawingKeys and swallow what it
// claims, note each pointer position in the trail, and type into an open text field. The system
// drops a hook that answers late; this thread does nothing else, so the marking loop may be busy.
// Made when the chord goes down and gone once nothing needs it, so nothing is hooked while
// nobody draws.
#pragma once

#include <windows.h>

#include <atomic>
#include <future>
#include <mutex>
#include <thread>

#include "engine/DrawingKeys.h"
#include "engine/PointerTrail.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

// What the hooks note for the marking loop, which reads it under `Lock`. Nothing calls the
// system while holding it: a call may wait for the hook, which would wait for the lock.
struct THookInput {
    std::mutex Lock;
    TDrawingKeys Keys{0};
    TPointerTrail Trail;
    // The open text field: the keys typed go to it as WM_CHAR (Enter, Esc and Backspace as
    // WM_KEYDOWN), a click inside it reaches nothing, a click outside is told.
    HWND Field = nullptr;
    RECT FieldArea{};
    // The longest any hook procedure took, in microseconds.
    std::atomic<long long> LongestProcMicros{0};
};

class TDrawingKeyHook {
public:
    // Returns once the hooks are installed (or could not be). One hook at a time: a low-level
    // hook procedure gets no context.
    explicit TDrawingKeyHook(THookInput& input);
    ~TDrawingKeyHook();
    TDrawingKeyHook(const TDrawingKeyHook&) = delete;
    TDrawingKeyHook& operator=(const TDrawingKeyHook&) = delete;

    // The system dropped a hook (keys it should have seen reach the programs): hook again.
    void Reinstall();

private:
    void Run(std::promise<void>* ready);
    void Install();
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    bool OnKey(WPARAM message, const KBDLLHOOKSTRUCT& key);
    bool OnMouse(WPARAM message, const MSLLHOOKSTRUCT& mouse);
    // The key as the foreground window's keyboard layout types it, dead keys included.
    void TypeIntoField(HWND field, const KBDLLHOOKSTRUCT& key);

    THookInput& input_;
    UniqueHook keyboard_;
    UniqueHook mouse_;
    // Buttons whose press went down inside the text field: their release is swallowed too.
    UINT swallowedButtons_ = 0;
    DWORD threadId_ = 0;
    std::thread thread_;
};

}  // namespace zelvora
