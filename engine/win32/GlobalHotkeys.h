// The system-wide hotkeys (wipe, mode, undo, save screen): ids from global atoms, registration on a window.
#pragma once

#include <windows.h>

#include "base/ShortCut.h"

namespace zelvora {

// Adds the name to the global atom table and returns its value. The atom is deliberately never
// deleted: another running copy may be using the same one as its hotkey id.
ATOM AddHotkeyAtom(const char* name);

// Replaces whatever hotkey `id` had on `window` with the shortcut, one message per press (a held
// combination does not repeat where the system honours MOD_NOREPEAT). False when the system
// refuses it (taken by another program, or an invalid combination); the old registration is
// gone then.
[[nodiscard]] bool RegisterShortcutHotkey(HWND window, int id, TShortCut shortcut);

void UnregisterShortcutHotkey(HWND window, int id);

}  // namespace zelvora
