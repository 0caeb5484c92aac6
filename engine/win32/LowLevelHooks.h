// The system's low-level keyboard and mouse hooks, on a thread of their own: the system drops a
// hook that answers late, and this thread does nothing else, so the marking loop may be busy.
// The keyboard hook stays for the object's life; the mouse hook only while it is wanted (every
// move of the pointer would otherwise pass through the process).
#pragma once

#include <windows.h>

#include <atomic>
#include <future>
#include <thread>

#include "toolkit/win32/Handles.h"

namespace zelvora {

class ILowLevelInput {
public:
    // True swallows the key or the button: no program gets it.
    virtual bool OnKey(WPARAM message, const KBDLLHOOKSTRUCT& key) noexcept = 0;
    virtual bool OnMouse(WPARAM message, const MSLLHOOKSTRUCT& mouse) noexcept = 0;
    // A task posted with Post, run on the hooks' thread between two hook calls.
    virtual void OnTask(UINT task) noexcept = 0;

protected:
    ~ILowLevelInput() = default;
};

class TLowLevelHooks {
public:
    // Returns once the keyboard hook is installed (or could not be). One at a time: a low-level
    // hook procedure gets no context.
    explicit TLowLevelHooks(ILowLevelInput& input);
    ~TLowLevelHooks();
    TLowLevelHooks(const TLowLevelHooks&) = delete;
    TLowLevelHooks& operator=(const TLowLevelHooks&) = delete;

    // From any thread; the hook comes or goes on the hooks' thread, soon after.
    void WantMouse(bool wanted);
    // The system dropped a hook (keys it should have seen reached the programs): hook again.
    void Reinstall();
    void Post(UINT task);

private:
    void Run(std::promise<void>* ready);
    void Install(bool keyboard);
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

    ILowLevelInput& input_;
    UniqueHook keyboard_;
    UniqueHook mouse_;
    std::atomic<bool> mouseWanted_{false};
    DWORD threadId_ = 0;
    std::thread thread_;
};

}  // namespace zelvora
