#include "toolkit/win32/ScreenDpi.h"

#include "base/DpiScaling.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

namespace {

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

using GetDpiForMonitorFunction = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
using GetDpiForWindowFunction = UINT WINAPI(HWND);
using GetDpiForSystemFunction = UINT WINAPI();
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);

// Systems before 8.1 have one DPI for every screen, the screen device's, fixed for the session:
// read once, not at every stroke.
int ScreenDeviceDpi()
{
    static const int dpi = [] {
        WindowDc screen(nullptr, GetDC(nullptr));
        const int found = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
        return found > 0 ? found : kDesignDpi;
    }();
    return dpi;
}

int MonitorDpi(HMONITOR monitor)
{
    static auto* const getDpiForMonitor =
        SystemFunction<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
    UINT dpiX = 0, dpiY = 0;
    if (monitor && getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY)) &&
        dpiY > 0)
        return static_cast<int>(dpiY);
    return ScreenDeviceDpi();
}

}  // namespace

int DpiAtPoint(POINT point)
{
    return MonitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

int SystemDpi()
{
    static auto* const getDpiForSystem =
        SystemFunction<GetDpiForSystemFunction>(L"user32.dll", "GetDpiForSystem");
    if (getDpiForSystem)
        if (const UINT dpi = getDpiForSystem(); dpi > 0) return static_cast<int>(dpi);
    return ScreenDeviceDpi();
}

int DpiOfWindow(HWND window)
{
    static auto* const getDpiForWindow =
        SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && window)
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
    return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi)
{
    static auto* const adjustForDpi =
        SystemFunction<AdjustWindowRectExForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (adjustForDpi && adjustForDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, menu, exStyle);
}

}  // namespace zelvora
