#include "tray/TrayIconHandler.h"

#include "tray/CoolTrayIcon.h"

namespace zelvora {

TTrayIconHandler& TTrayIconHandler::Acquire()
{
    if (!instance_) instance_ = new TTrayIconHandler;
    ++references_;
    return *instance_;
}

void TTrayIconHandler::Release()
{
    if (references_ > 0 && --references_ == 0) {
        delete instance_;
        instance_ = nullptr;
    }
}

TTrayIconHandler::TTrayIconHandler()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TTrayIconHandler";
    RegisterClassW(&wc);  // already registered is fine
    window_.reset(CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance,
                                  nullptr));
}

UINT TTrayIconHandler::Add(TCoolTrayIcon* icon)
{
    const UINT id = nextId_++;
    icons_[id] = icon;
    return id;
}

void TTrayIconHandler::Remove(UINT id)
{
    icons_.erase(id);
}

LRESULT CALLBACK TTrayIconHandler::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case kTrayCallbackMessage:
        if (instance_) {
            const auto found = instance_->icons_.find(static_cast<UINT>(wParam));
            if (found != instance_->icons_.end()) {
                try {
                    found->second->HandleNotification(static_cast<unsigned>(LOWORD(lParam)));
                } catch (const std::exception& error) {
                    found->second->ReportError(error.what());
                }
            }
        }
        return 0;
    // Nobody closes this window from outside, and it never holds up the end of a session.
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION: return 1;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);  // WM_NCDESTROY too: its default frees the window's data
    }
}

}  // namespace zelvora
