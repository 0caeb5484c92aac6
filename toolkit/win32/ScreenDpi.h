// The dots per inch of the screens: each monitor may have its own, and the program, aware of
// that, sees every screen in its physical pixels.
#pragma once

#include <windows.h>

namespace zelvora {

// The DPI of the monitor nearest to a screen point (the pointer, a window's place).
int DpiAtPoint(POINT point);
// The DPI the system had when the user signed in: the main monitor's then. Cheaper than asking
// the monitor (no library to load), and right unless its scale changed since.
int SystemDpi();
// The DPI the window is shown at, which is its monitor's.
int DpiOfWindow(HWND window);
// AdjustWindowRectEx with the frame and menu metrics of `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

}  // namespace zelvora
