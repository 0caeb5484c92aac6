// The small windows of our own that are no controls: the ink layer's panes, the popups over the
// screen, the card of keys.
#pragma once

#include <windows.h>

#include "toolkit/win32/Handles.h"

namespace zelvora {

// Registers the class (a second time changes nothing); the module the class belongs to.
HINSTANCE RegisterOwnWindowClass(const wchar_t* name, WNDPROC procedure);

// A window of the class that is never shown: windows it owns have no taskbar button, also where
// the tool-window style is not enough (Wine), and are never minimised with another.
UniqueWindow HiddenOwner(const wchar_t* className, WNDPROC procedure);

}  // namespace zelvora
