#include "engine/win32/DrawingKeyHook.h"

namespace zelvora {

namespace {

// The hooks' procedures get no context: the hook of the hold in progress.
TDrawingKeyHook* activeHook = nullptr;

}  // namespace

TDrawingKeyHook::TDrawingKeyHook(TDrawingKeys& keys, TPointerTrail& trail) : keys_(keys), trail_(trail)
{
    activeHook = this;
    const HINSTANCE module = GetModuleHandleW(nullptr);
    keyboard_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, module, 0));
    mouse_.reset(SetWindowsHookExW(WH_MOUSE_LL, MouseProc, module, 0));
}

TDrawingKeyHook::~TDrawingKeyHook()
{
    keyboard_.reset();
    mouse_.reset();
    activeHook = nullptr;
}

LRESULT CALLBACK TDrawingKeyHook::KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HC_ACTION && activeHook) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
        const int virtualKey = static_cast<int>(key.vkCode);
        TDrawingKeys& keys = activeHook->keys_;
        if (up ? keys.KeyUp(virtualKey) : keys.KeyDown(virtualKey)) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TDrawingKeyHook::MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code != HC_ACTION || !activeHook) return CallNextHookEx(nullptr, code, wParam, lParam);
    const auto& mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (wParam == WM_MOUSEMOVE) {
        // Where the pointer will be: per-monitor aware screen points, negative ones too.
        activeHook->trail_.Note({mouse.pt.x, mouse.pt.y}, mouse.time);
    } else if (wParam == WM_MOUSEWHEEL || wParam == WM_MOUSEHWHEEL) {
        if (wParam == WM_MOUSEWHEEL) activeHook->keys_.Wheel(static_cast<short>(HIWORD(mouse.mouseData)));
        return 1;  // the window beneath never scrolls while the pen is down
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace zelvora
