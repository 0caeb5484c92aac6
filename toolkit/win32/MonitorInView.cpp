#include "toolkit/win32/MonitorInView.h"

#include "toolkit/win32/Application.h"
#include "toolkit/win32/Boundary.h"
#include "toolkit/win32/Form.h"

namespace zelvora {

namespace {

thread_local HHOOK placementHook = nullptr;

RECT BoundsOf(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return info.rcMonitor;
}

LRESULT CALLBACK PlaceBox(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    const HHOOK hook = placementHook;
    if (code == HCBT_ACTIVATE && hook) {
        placementHook = nullptr;  // the box only, not what it opens
        Guarded(0, [&] {
            BringToMonitorInView(reinterpret_cast<HWND>(wParam));
            return 0;
        });
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

TMonitorInView MonitorInView()
{
    HMONITOR monitor = nullptr;
    const TForm* main = Application ? Application->MainForm() : nullptr;
    if (main && main->HandleAllocated() && IsWindowVisible(main->Handle()) && !IsIconic(main->Handle()))
        monitor = MonitorFromWindow(main->Handle(), MONITOR_DEFAULTTONEAREST);
    POINT pointer{};
    if (!monitor && GetCursorPos(&pointer)) monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST);
    if (!monitor) monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    return {monitor, BoundsOf(monitor)};
}

void BringToMonitorInView(HWND window)
{
    const TMonitorInView target = MonitorInView();
    HMONITOR own = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (own == target.Monitor) return;
    const RECT from = BoundsOf(own);
    RECT now{};
    GetWindowRect(window, &now);
    const auto centre = [](LONG a, LONG b) { return (a + b) / 2; };
    const LONG dx = centre(target.Bounds.left, target.Bounds.right) - centre(from.left, from.right);
    const LONG dy = centre(target.Bounds.top, target.Bounds.bottom) - centre(from.top, from.bottom);
    constexpr UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(window, nullptr, now.left + dx, now.top + dy, 0, 0, kMoveOnly);
    // On a monitor of another DPI the window has just taken that DPI's size (WM_DPICHANGED):
    // its centre goes where the old size's centre was meant to be.
    RECT scaled{};
    GetWindowRect(window, &scaled);
    const LONG width = scaled.right - scaled.left, height = scaled.bottom - scaled.top;
    if (width == now.right - now.left && height == now.bottom - now.top) return;
    SetWindowPos(window, nullptr, centre(now.left, now.right) + dx - width / 2,
                 centre(now.top, now.bottom) + dy - height / 2, 0, 0, kMoveOnly);
}

TMessageBoxPlacement::TMessageBoxPlacement()
    : hook_(SetWindowsHookExW(WH_CBT, PlaceBox, nullptr, GetCurrentThreadId())), outer_(placementHook)
{
    placementHook = hook_.get();
}

TMessageBoxPlacement::~TMessageBoxPlacement()
{
    placementHook = outer_;
}

}  // namespace zelvora
