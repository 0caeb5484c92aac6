// While the spotlight is on, Esc ends it and Ctrl+wheel sizes its circle: low-level hooks on a
// thread of their own (the system drops a hook that answers late), which only note the two and
// swallow them, so neither reaches the window beneath. Made when the spotlight comes, gone with it.
#pragma once

#include <windows.h>

#include <atomic>
#include <future>
#include <thread>

#include "toolkit/win32/Handles.h"

namespace zelvora {

class TSpotlightHook {
public:
    // Returns once the hooks are installed (or could not be). One at a time: a low-level hook
    // procedure gets no context.
    TSpotlightHook();
    ~TSpotlightHook();
    TSpotlightHook(const TSpotlightHook&) = delete;
    TSpotlightHook& operator=(const TSpotlightHook&) = delete;

    // Ctrl+wheel is taken only while the circle follows the pointer.
    void TakeWheel(bool take) { takeWheel_ = take; }
    // What came since the last call: Esc pressed; wheel steps with Ctrl (up positive).
    bool TakeEscape() { return escape_.exchange(false); }
    int TakeWheelSteps();

private:
    void Run(std::promise<void>* ready);
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

    std::atomic<bool> takeWheel_{false};
    std::atomic<bool> escape_{false};
    std::atomic<int> wheelDelta_{0};
    UniqueHook keyboard_;
    UniqueHook mouse_;
    DWORD threadId_ = 0;
    std::thread thread_;
};

}  // namespace zelvora
