#include "engine/win32/DrawingKeyHook.h"

namespace zelvora {

namespace {

// The hooks' procedures get no context: the keys of the hold in progress.
TDrawingKeys* hookedKeys = nullptr;

}  // namespace

TDrawingKeyHook::TDrawingKeyHook(TDrawingKeys& keys)
{
    hookedKeys = &keys;
    const HINSTANCE module = GetModuleHandleW(nullptr);
    keyboard_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, module, 0));
    mouse_.reset(SetWindowsHookExW(WH_MOUSE_LL, MouseProc, module, 0));
}

TDrawingKeyHook::~TDrawingKeyHook()
{
    keyboard_.reset();
    mouse_.reset();
    hookedKeys = nullptr;
}

LRESULT CALLBACK TDrawingKeyHook::KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HC_ACTION && hookedKeys) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
        const int virtualKey = static_cast<int>(key.vkCode);
        if (up ? hookedKeys->KeyUp(virtualKey) : hookedKeys->KeyDown(virtualKey)) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TDrawingKeyHook::MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HC_ACTION && hookedKeys && (wParam == WM_MOUSEWHEEL || wParam == WM_MOUSEHWHEEL)) {
        const auto& mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (wParam == WM_MOUSEWHEEL) hookedKeys->Wheel(static_cast<short>(HIWORD(mouse.mouseData)));
        return 1;  // the window beneath never scrolls while the pen is down
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace zelvora
