// Where a window the person opens belongs on several monitors: on the one they look at, which
// is the main window's while it shows, else the one under the pointer (a tray menu, a hotkey).
#pragma once

#include <windows.h>

#include "toolkit/win32/Handles.h"

namespace zelvora {

struct TMonitorInView {
    HMONITOR Monitor = nullptr;
    RECT Bounds{};
};
TMonitorInView MonitorInView();

// A window the system placed on another monitor moves to the one in view, where it lies as it
// lay on its own: the same offset from the monitor's centre.
void BringToMonitorInView(HWND window);

// While it lives, the next message box this thread shows opens on the monitor in view (the
// system places a box by its owner, which may be a hidden window on another monitor).
class TMessageBoxPlacement {
public:
    TMessageBoxPlacement();
    ~TMessageBoxPlacement();
    TMessageBoxPlacement(const TMessageBoxPlacement&) = delete;
    TMessageBoxPlacement& operator=(const TMessageBoxPlacement&) = delete;

private:
    UniqueHook hook_;
    HHOOK outer_;
};

}  // namespace zelvora
