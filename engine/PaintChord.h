// The "held" test of the paint shortcut, run on every poll tick.
#pragma once

#include "base/ShortCut.h"

namespace zelvora {

// Raw result of an asynchronous key-state query (GetAsyncKeyState): any non-zero value counts as
// down, which includes "pressed since the previous query".
using KeyStateQuery = short (*)(int virtualKey, void* context);

inline constexpr int vkShift = 0x10;
inline constexpr int vkControl = 0x11;
inline constexpr int vkMenu = 0x12;

// Queries Ctrl, Alt, Shift, then the key, in that order: the order matters because each query
// consumes the "pressed since" bit. Held only with exactly the shortcut's modifiers.
bool IsChordHeld(TShortCut shortcut, KeyStateQuery query, void* context);

}  // namespace zelvora
