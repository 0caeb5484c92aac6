#include "tray/win32/TrayIconHandler.h"

#include "tray/win32/TrayIcon.h"

namespace zelvora {

LRESULT CALLBACK TTrayIconHandler::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (msg) {
        case kTrayCallbackMessage:
            // wParam is the icon's id; the low word of lParam the mouse message (not a point: the
            // pointer is read with GetCursorPos).
            if (TCoolTrayIcon* icon = Instance() ? Instance()->Find(static_cast<UINT>(wParam)) : nullptr) {
                try {
                    icon->HandleNotification(static_cast<unsigned>(lParam & 0xFFFF));
                } catch (const std::exception& error) {
                    icon->ReportError(error.what());
                } catch (...) {
                    icon->ReportError("Unknown error");
                }
            }
            return 0;
        // Nobody closes this window from outside, and it never holds up the end of a session.
        case WM_DESTROY:
        case WM_CLOSE:
        case WM_QUERYENDSESSION:
        case WM_QUIT:
        case WM_ENDSESSION:
            return 1;
        default:
            return DefWindowProcW(hwnd, msg, wParam,
                                  lParam);  // WM_NCDESTROY too: its default frees the window's data
    }
}

}  // namespace zelvora
