#include "engine/win32/DrawingKeyHook.h"

#include <algorithm>
#include <future>

#include "engine/win32/TextField.h"

namespace zelvora {

namespace {

// The hooks' procedures get no context: the hook of the hold in progress.
TDrawingKeyHook* activeHook = nullptr;

constexpr UINT WM_REINSTALL_HOOKS = WM_APP + 0x30;

long long Microseconds()
{
    static const long long frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1'000'000 / frequency;
}

// Notes how long a hook procedure took.
class TProcTimer {
public:
    explicit TProcTimer(std::atomic<long long>& longest) : longest_(longest), start_(Microseconds()) {}
    ~TProcTimer()
    {
        const long long took = Microseconds() - start_;
        long long seen = longest_.load();
        while (took > seen && !longest_.compare_exchange_weak(seen, took)) {
        }
    }
    TProcTimer(const TProcTimer&) = delete;
    TProcTimer& operator=(const TProcTimer&) = delete;

private:
    std::atomic<long long>& longest_;
    long long start_;
};

UINT ButtonOf(WPARAM message)
{
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return MK_LBUTTON;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return MK_RBUTTON;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return MK_MBUTTON;
        default:
            return 0;
    }
}

}  // namespace

TDrawingKeyHook::TDrawingKeyHook(THookInput& input) : input_(input)
{
    activeHook = this;
    std::promise<void> ready;
    std::future<void> installed = ready.get_future();
    thread_ = std::thread([this, &ready] { Run(&ready); });
    installed.wait();
}

TDrawingKeyHook::~TDrawingKeyHook()
{
    if (thread_.joinable()) {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    activeHook = nullptr;
}

void TDrawingKeyHook::Reinstall()
{
    PostThreadMessageW(threadId_, WM_REINSTALL_HOOKS, 0, 0);
}

void TDrawingKeyHook::Run(std::promise<void>* ready)
{
    // Nothing else runs here; a key waits for this thread alone.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    MSG msg{};
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone posts
    threadId_ = GetCurrentThreadId();
    Install();
    ready->set_value();
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == nullptr && msg.message == WM_REINSTALL_HOOKS) Install();
    }
    keyboard_.reset();
    mouse_.reset();
}

void TDrawingKeyHook::Install()
{
    keyboard_.reset();
    mouse_.reset();
    const HINSTANCE module = GetModuleHandleW(nullptr);
    keyboard_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, module, 0));
    mouse_.reset(SetWindowsHookExW(WH_MOUSE_LL, MouseProc, module, 0));
}

LRESULT CALLBACK TDrawingKeyHook::KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HC_ACTION && activeHook) {
        TProcTimer timer(activeHook->input_.LongestProcMicros);
        if (activeHook->OnKey(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam))) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TDrawingKeyHook::MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HC_ACTION && activeHook) {
        TProcTimer timer(activeHook->input_.LongestProcMicros);
        if (activeHook->OnMouse(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam))) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TDrawingKeyHook::OnKey(WPARAM message, const KBDLLHOOKSTRUCT& key)
{
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    const int virtualKey = static_cast<int>(key.vkCode);

    HWND field = nullptr;
    TKeyVerdict verdict = TKeyVerdict::Pass;
    {
        const std::lock_guard lock(input_.Lock);
        if (up) {
            input_.Keys.KeyUp(virtualKey);
            return false;
        }
        verdict = input_.Keys.KeyDown(virtualKey);
        field = input_.Field;
    }
    if (verdict == TKeyVerdict::Type && field) TypeIntoField(field, key);
    return verdict != TKeyVerdict::Pass;
}

void TDrawingKeyHook::TypeIntoField(HWND field, const KBDLLHOOKSTRUCT& key)
{
    if (key.vkCode == VK_RETURN || key.vkCode == VK_ESCAPE || key.vkCode == VK_BACK) {
        PostMessageW(field, WM_KEYDOWN, key.vkCode, 0);
        return;
    }
    // The hook swallows what it types: the modifiers come from what it saw, not from a thread.
    BYTE state[256] = {};
    {
        const std::lock_guard lock(input_.Lock);
        for (int vk = 0; vk < 256; ++vk)
            if (input_.Keys.IsDown(vk)) state[vk] = 0x80;
    }
    const auto either = [&](int generic, int left, int right) {
        if (state[left] || state[right]) state[generic] = 0x80;
    };
    either(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
    either(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
    either(VK_MENU, VK_LMENU, VK_RMENU);
    if (GetKeyState(VK_CAPITAL) & 1) state[VK_CAPITAL] |= 1;
    const HWND front = GetForegroundWindow();
    const HKL layout = GetKeyboardLayout(front ? GetWindowThreadProcessId(front, nullptr) : 0);
    // A dead key answers -1 and is kept in this thread's state for the next key.
    wchar_t text[8] = {};
    const int length = ToUnicodeEx(key.vkCode, key.scanCode, state, text, 8, 0, layout);
    for (int i = 0; i < length; ++i) PostMessageW(field, WM_CHAR, text[i], 0);
}

bool TDrawingKeyHook::OnMouse(WPARAM message, const MSLLHOOKSTRUCT& mouse)
{
    std::unique_lock lock(input_.Lock);
    if (message == WM_MOUSEMOVE) {
        // Where the pointer will be: per-monitor aware screen points, negative ones too.
        input_.Trail.Note({mouse.pt.x, mouse.pt.y}, mouse.time);
        return false;
    }
    if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) {
        if (!input_.Keys.Holding()) return false;
        if (message == WM_MOUSEWHEEL) input_.Keys.Wheel(static_cast<short>(HIWORD(mouse.mouseData)));
        return true;  // the window beneath never scrolls while the pen is down
    }
    const UINT button = ButtonOf(message);
    if (!button) return false;
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    if (!down) {
        const bool ours = (swallowedButtons_ & button) != 0;
        swallowedButtons_ &= ~button;
        return ours;
    }
    const HWND field = input_.Field;
    const RECT area = input_.FieldArea;
    lock.unlock();
    if (!field) return false;
    if (PtInRect(&area, mouse.pt)) {
        // The field's see-through pixels would hand the click to the window beneath.
        swallowedButtons_ |= button;
        return true;
    }
    PostMessageW(field, WM_FIELD_CLICKED_OUTSIDE, 0, 0);
    return false;
}

}  // namespace zelvora
