// While the paint shortcut is held the keyboard and the wheel are Zelvora's: low-level hooks that
// do no more than hand each key to TDrawingKeys and swallow what it claims, and note each pointer
// position on the way in the trail. Made when the chord goes down and gone when it goes up, so
// nothing is hooked while nobody draws.
#pragma once

#include <windows.h>

#include "engine/DrawingKeys.h"
#include "engine/PointerTrail.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

class TDrawingKeyHook {
public:
    // The keys go to `keys`, the pointer's moves to `trail`, until the hook goes. One hook at a
    // time: a low-level hook procedure gets no context.
    TDrawingKeyHook(TDrawingKeys& keys, TPointerTrail& trail);
    ~TDrawingKeyHook();
    TDrawingKeyHook(const TDrawingKeyHook&) = delete;
    TDrawingKeyHook& operator=(const TDrawingKeyHook&) = delete;

private:
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

    TDrawingKeys& keys_;
    TPointerTrail& trail_;
    UniqueHook keyboard_;
    UniqueHook mouse_;
};

}  // namespace zelvora
