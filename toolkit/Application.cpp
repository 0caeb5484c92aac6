#include "toolkit/Application.h"

#include <stdexcept>

#include "toolkit/Form.h"

namespace zelvora {

TApplication* Application = nullptr;

namespace {

constexpr char kApplicationWindowClass[] = "TApplication";

LRESULT CALLBACK ApplicationWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CLOSE && Application) {
        Application->Terminate();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

std::string ErrorDisplayText(const std::string& message)
{
    std::string text = message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text += '.';
    return text;
}

TApplication::TApplication() : instance_(GetModuleHandleA(nullptr))
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ApplicationWndProc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconA(instance_, "MAINICON");
    wc.lpszClassName = kApplicationWindowClass;
    RegisterClassA(&wc);  // already registered is fine
    // Zero-sized and off-screen: it exists to own the taskbar button and the forms.
    window_.reset(CreateWindowExA(0, kApplicationWindowClass, "",
                                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                                  nullptr, nullptr, instance_, nullptr));
    if (!window_) throw std::runtime_error("Cannot create the application window");
    Application = this;
}

TApplication::~TApplication()
{
    while (!forms_.empty()) forms_.pop_back();
    if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const std::string& title)
{
    title_ = title;
    SetWindowTextA(window_.get(), title.c_str());
}

void TApplication::Run()
{
    if (TForm* main = MainForm()) {
        if (main->WindowState() == TWindowState::wsMinimized) {
            Minimize();
        } else {
            ShowWindow(window_.get(), SW_SHOWNORMAL);
            main->Show();
        }
    }
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate()
{
    if (!terminated_) PostQuitMessage(0);
    terminated_ = true;
}

bool TApplication::ProcessMessage(MSG& msg)
{
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage()
{
    // One blocking call per message: the 10 ms poll makes this loop run a hundred times a second.
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
        terminated_ = true;  // WM_QUIT, or no message queue left to read
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void TApplication::Minimize()
{
    ShowWindow(window_.get(), SW_MINIMIZE);
}

void TApplication::Restore()
{
    ShowWindow(window_.get(), SW_RESTORE);
}

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) const
{
    return MessageBoxA(window_.get(), text.c_str(), caption.c_str(), flags);
}

void TApplication::ShowException(const std::string& message) const
{
    ShowMessageBox(ErrorDisplayText(message), title_, MB_OK | MB_ICONERROR);
}

}  // namespace zelvora
