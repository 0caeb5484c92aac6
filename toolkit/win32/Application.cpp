#include "toolkit/win32/Application.h"
#include "toolkit/win32/MonitorInView.h"

#include "toolkit/win32/Boundary.h"

#include <stdexcept>
#include <utility>

#include "base/ShortCut.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/Menus.h"
#include "toolkit/win32/TextEncoding.h"

namespace zelvora {

TApplication* Application = nullptr;

namespace {

constexpr wchar_t kApplicationWindowClass[] = L"TApplication";
constexpr wchar_t kHotkeyFieldClass[] = L"msctls_hotkey32";
// Fires once the main window's first frame is painted and the queue is empty, then for each
// further piece of the work; its own number among the application window's timers.
constexpr UINT_PTR kStartupWorkTimer = 0x5A17;
constexpr UINT kStartupWorkDelayMs = 1;

// A key with the modifiers held now, as a menu item's shortcut code.
int ShortCutOfKey(WPARAM virtualKey)
{
    int shortCut = static_cast<int>(virtualKey & 0xFF);
    if (GetKeyState(VK_SHIFT) < 0) shortCut |= scShift;
    if (GetKeyState(VK_CONTROL) < 0) shortCut |= scCtrl;
    if (GetKeyState(VK_MENU) < 0) shortCut |= scAlt;
    return shortCut;
}

LRESULT CALLBACK ApplicationWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (Application && Application->Handle() == hwnd)
        return Guarded(LRESULT{0},
                       [&] { return Application->ApplicationWindowMessage(msg, wParam, lParam); });
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

std::string ErrorDisplayText(const std::string& message)
{
    std::string text = message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text += '.';
    return text;
}

const TClassInfo& TApplication::StaticClassInfo()
{
    static const TClassInfo info("TApplication", &TComponent::StaticClassInfo(), {});
    return info;
}

TApplication::TApplication() : TComponent(nullptr)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = ApplicationWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.lpszClassName = kApplicationWindowClass;
    RegisterClassW(&wc);  // already registered is fine
    // Zero-sized and off-screen: it exists to own the taskbar button and the windows.
    window_.reset(CreateWindowExW(0, kApplicationWindowClass, L"",
                                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                                  nullptr, nullptr, instance, nullptr));
    if (!window_) throw std::runtime_error("Cannot create the application window");
    Application = this;
}

TApplication::~TApplication()
{
    while (!Components().empty()) {
        TComponent* last = Components().back();
        if (auto* form = dynamic_cast<TForm*>(last)) form->PrepareDestruction();
        delete last;
    }
    if (Application == this) Application = nullptr;
}

TForm* TApplication::MainForm() const
{
    for (TComponent* component : Components())
        if (auto* form = dynamic_cast<TForm*>(component)) return form;
    return nullptr;
}

void TApplication::SetTitle(const std::string& title)
{
    title_ = title;
    SetWindowTextW(window_.get(), WideFromAnsi(title, 0).c_str());
}

void TApplication::Run()
{
    TForm* main = MainForm();
    if (main && main->WindowState() != TWindowState::wsMinimized) {
        ShowWindow(window_.get(), SW_SHOWNORMAL);
        timeline_.Mark("application window shown");
        main->Show();
        PaintWaitingWindows();
        timeline_.Mark("first paint");
        firstFrameDone_ = true;
        MakeOtherWindowsAfterFirstFrame();
        // A timer's message comes after every other message and paint: the work starts once
        // what the person sees is up, one piece per tick, with input handled in between. Also
        // with nothing queued yet: the hold ends at the first tick.
        if (holdingStartupWork_) SetTimer(window_.get(), kStartupWorkTimer, kStartupWorkDelayMs, nullptr);
    } else {
        firstFrameDone_ = true;
        RunStartupWork();  // the tray icon is all a minimised start shows
        MakeOtherWindowsAfterFirstFrame();
        if (main) Minimize();
    }
    if (!holdingStartupWork_) timeline_.Finish();
    while (!terminated_) HandleMessage();
}

void TApplication::MakeOtherWindowsAfterFirstFrame()
{
    for (TComponent* component : Components())
        if (auto* form = dynamic_cast<TForm*>(component); form && form != MainForm())
            AfterFirstFrame([form] { form->CreateHandle(); });  // nothing for one shown meanwhile
}

void TApplication::AfterFirstFrame(std::function<void()> work)
{
    if (!holdingStartupWork_) {
        work();
        return;
    }
    startupWork_.push_back(std::move(work));
    // Queued while the first frame is up already: the timer takes it too.
    if (firstFrameDone_) SetTimer(window_.get(), kStartupWorkTimer, kStartupWorkDelayMs, nullptr);
}

void TApplication::RunStartupWork()
{
    // Outside the message loop no window procedure catches: a piece that throws is reported
    // here, as the timer's would be, and the start-up goes on.
    do
        Guarded(0, [this] {
            RunStartupWorkPiece();
            return 0;
        });
    while (holdingStartupWork_);
}

void TApplication::RunStartupWorkPiece()
{
    if (!startupWork_.empty()) {
        const std::function<void()> piece = std::move(startupWork_.front());
        startupWork_.erase(startupWork_.begin());  // taken first: a piece that throws is not run again
        piece();
    }
    if (!startupWork_.empty()) return;
    KillTimer(window_.get(), kStartupWorkTimer);
    holdingStartupWork_ = false;
    timeline_.Mark("work after the first frame");
    timeline_.Finish();
}

void TApplication::PaintWaitingWindows()
{
    // Paint messages and sent messages only: a posted command (the about window at the first
    // start) waits for the message loop, so what follows here is not held up by a modal window.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            return;
        }
        Dispatch(msg);
    }
}

void TApplication::CreateFormWindows()
{
    for (TComponent* component : Components())
        if (auto* form = dynamic_cast<TForm*>(component); form && !form->HandleAllocated())
            form->CreateHandle();
}

void TApplication::Terminate()
{
    if (!terminated_) PostQuitMessage(0);
    terminated_ = true;
}

bool TApplication::IsMenuShortCut(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    wchar_t focusedClass[32] = {};
    GetClassNameW(GetFocus(), focusedClass, 32);
    if (lstrcmpiW(focusedClass, kHotkeyFieldClass) == 0) return false;
    // Our own windows only: the key came to one of this thread's windows.
    if (!msg.hwnd || !dynamic_cast<TForm*>(ControlOf(GetAncestor(msg.hwnd, GA_ROOT)))) return false;
    TForm* main = MainForm();
    TMainMenu* menu = main ? main->Menu() : nullptr;
    return menu && menu->DispatchShortCut(ShortCutOfKey(msg.wParam));
}

void TApplication::Dispatch(MSG& msg)
{
    if (IsMenuShortCut(msg)) return;
    // Keyboard input goes to the window first: key preview, default and cancel buttons, Tab.
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && msg.hwnd) {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (auto* form = dynamic_cast<TForm*>(ControlOf(root))) {
            if (form->PreviewKey(msg)) return;
            // Enter and Esc become characters for the window's key handler; the system's
            // dialog navigation would turn them into commands and swallow them.
            const bool enterOrEscape = msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE;
            if (!enterOrEscape && IsDialogMessageW(root, &msg)) return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void TApplication::ProcessMessages()
{
    // Only what was waiting when called: the 10 ms poll timer is due again whenever dispatching
    // takes long, and a loop that took every new message could run for ever.
    const DWORD called = GetTickCount();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            return;
        }
        Dispatch(msg);
        if (static_cast<LONG>(msg.time - called) > 0) return;
    }
}

void TApplication::HandleMessage()
{
    // One blocking call per message: the 10 ms poll makes this loop run a hundred times a second.
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
        terminated_ = true;  // WM_QUIT, or no message queue left to read
        return;
    }
    Dispatch(msg);
}

bool TApplication::MessageWaiting() const
{
    return HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0;
}

void TApplication::SetBusyCursor(bool busy)
{
    busy_ = busy;
    // Shown at once; the windows keep it up (or their own again) on every cursor request.
    ::SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(busy ? IDC_WAIT : IDC_ARROW)));
}

int TApplication::HookMainWindow(TMessageHook hook)
{
    hooks_.emplace_back(nextHook_, std::move(hook));
    return nextHook_++;
}

void TApplication::UnhookMainWindow(int hook)
{
    std::erase_if(hooks_, [hook](const auto& entry) { return entry.first == hook; });
}

LRESULT TApplication::ApplicationWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // A copy: a hook may add or remove hooks.
    for (const auto& [number, hook] : std::vector<std::pair<int, TMessageHook>>(hooks_)) {
        LRESULT result = 0;
        if (hook(msg, wParam, lParam, result)) return result;
    }
    if (msg == WM_CLOSE) {
        Terminate();
        return 0;
    }
    if (msg == WM_TIMER && wParam == kStartupWorkTimer) {
        RunStartupWorkPiece();
        return 0;
    }
    if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE) {
        Restore();
        return 0;
    }
    return DefWindowProcW(window_.get(), msg, wParam, lParam);
}

void TApplication::Minimize()
{
    // The windows go with the application: hidden while it is minimised.
    ShowOwnedPopups(window_.get(), FALSE);
    ShowWindow(window_.get(), SW_MINIMIZE);
}

void TApplication::Restore()
{
    ShowWindow(window_.get(), SW_RESTORE);
    ShowOwnedPopups(window_.get(), TRUE);
    // A program that started minimised has not shown its main window yet: the first restore does.
    if (TForm* main = MainForm(); main && !main->Visible()) {
        main->SetWindowState(TWindowState::wsNormal);
        main->Show();
    }
}

void TApplication::BringToFront()
{
    if (TForm* main = MainForm(); main && main->HandleAllocated()) SetForegroundWindow(main->Handle());
}

int TApplication::TextCharset() const
{
    const TForm* main = MainForm();
    return main ? main->Font().Charset() : 0;
}

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) const
{
    const TMessageBoxPlacement placement;
    const int charset = TextCharset();
    return MessageBoxW(window_.get(), WideFromAnsi(text, charset).c_str(),
                       WideFromAnsi(caption, charset).c_str(), flags);
}

int TApplication::ShowMessageBox(const std::wstring& text, UINT flags) const
{
    const TMessageBoxPlacement placement;
    return MessageBoxW(window_.get(), text.c_str(), WideFromAnsi(title_, TextCharset()).c_str(), flags);
}

void TApplication::ShowException(const std::string& message) const
{
    ShowMessageBox(ErrorDisplayText(message), title_, MB_OK | MB_ICONERROR);
}

}  // namespace zelvora
