#include "engine/win32/OwnWindows.h"

namespace zelvora {

HINSTANCE RegisterOwnWindowClass(const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = name;
    RegisterClassExW(&wc);  // a second registration of the same class fails harmlessly
    return wc.hInstance;
}

UniqueWindow HiddenOwner(const wchar_t* className, WNDPROC procedure)
{
    const HINSTANCE instance = RegisterOwnWindowClass(className, procedure);
    return UniqueWindow(CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                        nullptr, instance, nullptr));
}

}  // namespace zelvora
