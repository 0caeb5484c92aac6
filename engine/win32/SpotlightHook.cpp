#include "engine/win32/SpotlightHook.h"

namespace zelvora {

namespace {

// The hooks' procedures get no context: the spotlight's hook while it is on.
std::atomic<TSpotlightHook*> activeHook{nullptr};

}  // namespace

TSpotlightHook::TSpotlightHook()
{
    activeHook = this;
    std::promise<void> ready;
    std::future<void> installed = ready.get_future();
    thread_ = std::thread([this, &ready] { Run(&ready); });
    installed.wait();
}

TSpotlightHook::~TSpotlightHook()
{
    activeHook = nullptr;
    if (thread_.joinable()) {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
}

int TSpotlightHook::TakeWheelSteps()
{
    // Whole notches; a fine wheel's part of one waits for the rest.
    int delta = wheelDelta_.load();
    while (!wheelDelta_.compare_exchange_weak(delta, delta % WHEEL_DELTA)) {
    }
    return delta / WHEEL_DELTA;
}

void TSpotlightHook::Run(std::promise<void>* ready)
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    MSG msg{};
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone posts
    threadId_ = GetCurrentThreadId();
    const HINSTANCE module = GetModuleHandleW(nullptr);
    keyboard_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, module, 0));
    mouse_.reset(SetWindowsHookExW(WH_MOUSE_LL, MouseProc, module, 0));
    ready->set_value();
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    }
    keyboard_.reset();
    mouse_.reset();
}

LRESULT CALLBACK TSpotlightHook::KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    TSpotlightHook* hook = activeHook;
    const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && hook && key.vkCode == VK_ESCAPE) {
        // Its release is swallowed too: the window beneath never sees half a key.
        if (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN) hook->escape_ = true;
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TSpotlightHook::MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    TSpotlightHook* hook = activeHook;
    if (code == HC_ACTION && hook && wParam == WM_MOUSEWHEEL && hook->takeWheel_ &&
        (GetAsyncKeyState(VK_CONTROL) & 0x8000)) {
        const auto& mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        hook->wheelDelta_ += static_cast<short>(HIWORD(mouse.mouseData));
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace zelvora
