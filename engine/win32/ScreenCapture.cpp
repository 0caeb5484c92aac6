#include "engine/win32/ScreenCapture.h"

#include <stdexcept>

#include "toolkit/win32/Handles.h"

namespace zelvora {

TRect VirtualScreen()
{
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::vector<TRect> MonitorRects()
{
    std::vector<TRect> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM list) noexcept -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (!GetMonitorInfoW(monitor, &info)) return TRUE;
            const RECT& r = info.rcMonitor;
            auto& found = *reinterpret_cast<std::vector<TRect>*>(list);
            try {
                const TRect rect{r.left, r.top, r.right, r.bottom};
                if (info.dwFlags & MONITORINFOF_PRIMARY)
                    found.insert(found.begin(), rect);
                else
                    found.push_back(rect);
            } catch (...) {
                return FALSE;  // no memory: the monitors found so far
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

void CopyGround(HDC dc, const TRect& area, HDC screen)
{
    WindowDc own;
    if (!screen) {
        own = WindowDc(nullptr, GetDC(nullptr));
        screen = own.get();
    }
    BitBlt(dc, 0, 0, area.Width(), area.Height(), screen, area.Left, area.Top, SRCCOPY);
    GdiFlush();
}

TScreenCopy CopyScreen()
{
    TScreenCopy copy{VirtualScreen(), nullptr};
    copy.Pixels = std::make_unique<TPixelBuffer>(copy.Bounds.Width(), copy.Bounds.Height());
    if (!*copy.Pixels) throw std::runtime_error("no memory for the screen's pixels");
    HDC screen = GetDC(nullptr);
    if (!screen) throw std::runtime_error("GetDC");
    // CAPTUREBLT: layered windows are composed into the screen only when asked for.
    const bool copied = BitBlt(copy.Pixels->Dc(), 0, 0, copy.Bounds.Width(), copy.Bounds.Height(), screen,
                               copy.Bounds.Left, copy.Bounds.Top, SRCCOPY | CAPTUREBLT) != FALSE;
    ReleaseDC(nullptr, screen);
    if (!copied) throw std::runtime_error("BitBlt");
    // A corner of the virtual screen that no monitor shows has no pixels of its own: black, not
    // whatever the copy found there.
    const UniqueRegion unshown(CreateRectRgn(0, 0, copy.Bounds.Width(), copy.Bounds.Height()));
    for (const TRect& monitor : MonitorRects()) {
        const UniqueRegion shown(CreateRectRgn(monitor.Left - copy.Bounds.Left, monitor.Top - copy.Bounds.Top,
                                               monitor.Right - copy.Bounds.Left,
                                               monitor.Bottom - copy.Bounds.Top));
        CombineRgn(unshown.get(), unshown.get(), shown.get(), RGN_DIFF);
    }
    FillRgn(copy.Pixels->Dc(), unshown.get(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    GdiFlush();
    return copy;
}

}  // namespace zelvora
