#include "engine/win32/LowLevelHooks.h"

namespace zelvora {

namespace {

// The hooks' procedures get no context: what the hooks installed now feed.
std::atomic<ILowLevelInput*> activeInput{nullptr};

constexpr UINT WM_HOOKS_REINSTALL = WM_APP + 0x30;
constexpr UINT WM_HOOKS_MOUSE = WM_APP + 0x31;
constexpr UINT WM_HOOKS_TASK = WM_APP + 0x32;

}  // namespace

TLowLevelHooks::TLowLevelHooks(ILowLevelInput& input) : input_(input)
{
    activeInput = &input;
    std::promise<void> ready;
    std::future<void> installed = ready.get_future();
    thread_ = std::thread([this, &ready] { Run(&ready); });
    installed.wait();
}

TLowLevelHooks::~TLowLevelHooks()
{
    if (thread_.joinable()) {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    // A newer one (a second engine in a test) keeps its own.
    ILowLevelInput* mine = &input_;
    activeInput.compare_exchange_strong(mine, nullptr);
}

void TLowLevelHooks::WantMouse(bool wanted)
{
    if (mouseWanted_.exchange(wanted) != wanted) PostThreadMessageW(threadId_, WM_HOOKS_MOUSE, 0, 0);
}

void TLowLevelHooks::Reinstall()
{
    PostThreadMessageW(threadId_, WM_HOOKS_REINSTALL, 0, 0);
}

void TLowLevelHooks::Post(UINT task)
{
    PostThreadMessageW(threadId_, WM_HOOKS_TASK, task, 0);
}

void TLowLevelHooks::Run(std::promise<void>* ready)
{
    // Nothing else runs here; a key waits for this thread alone.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    MSG msg{};
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone posts
    threadId_ = GetCurrentThreadId();
    Install(true);
    ready->set_value();
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd != nullptr) continue;
        if (msg.message == WM_HOOKS_REINSTALL) Install(true);
        if (msg.message == WM_HOOKS_MOUSE) Install(false);
        if (msg.message == WM_HOOKS_TASK) input_.OnTask(static_cast<UINT>(msg.wParam));
    }
    keyboard_.reset();
    mouse_.reset();
}

void TLowLevelHooks::Install(bool keyboard)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    if (keyboard) keyboard_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, module, 0));
    // Installed again with the keyboard's: the system may have dropped both.
    mouse_.reset();
    if (mouseWanted_) mouse_.reset(SetWindowsHookExW(WH_MOUSE_LL, MouseProc, module, 0));
}

// A key or button taken still goes on to the hooks after ours (a second copy of Zelvora, which
// draws too, or another tool); only the programs never get it.
LRESULT CALLBACK TLowLevelHooks::KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    ILowLevelInput* input = activeInput.load(std::memory_order_relaxed);
    const bool taken =
        code == HC_ACTION && input && input->OnKey(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam));
    const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
    return taken ? 1 : next;
}

LRESULT CALLBACK TLowLevelHooks::MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    ILowLevelInput* input = activeInput.load(std::memory_order_relaxed);
    const bool taken = code == HC_ACTION && input &&
                       input->OnMouse(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam));
    const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
    return taken ? 1 : next;
}

}  // namespace zelvora
