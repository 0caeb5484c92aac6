#include "toolkit/Form.h"

#include <exception>
#include <stdexcept>
#include <vector>

#include "toolkit/Application.h"

namespace zelvora {

namespace {

DWORD StyleFor(TFormBorderStyle border)
{
    switch (border) {
    case TFormBorderStyle::bsDialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    case TFormBorderStyle::bsSingle: break;
    }
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
}

void RegisterFormClass(HINSTANCE instance, const std::string& className, int backgroundSysColor, WNDPROC proc)
{
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundSysColor + 1));
    wc.lpszClassName = className.c_str();
    RegisterClassA(&wc);
}

}  // namespace

TForm::TForm(TApplication& application, const TFormParams& params) : application_(application)
{
    RegisterFormClass(application.Instance(), params.ClassName, params.BackgroundSysColor, StaticWndProc);
    const DWORD style = StyleFor(params.BorderStyle);
    const DWORD exStyle = params.BorderStyle == TFormBorderStyle::bsDialog ? WS_EX_DLGMODALFRAME : 0;
    RECT frame{0, 0, params.ClientWidth, params.ClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    // Owned by the application window, so the form has no taskbar button of its own.
    HWND hwnd = CreateWindowExA(exStyle, params.ClassName.c_str(), params.Caption.c_str(), style, left, top,
                                width, height, application.Handle(), nullptr, application.Instance(), this);
    if (!hwnd) throw std::runtime_error("Cannot create window " + params.ClassName);
    window_.reset(hwnd);  // normally bound already at WM_NCCREATE
}

TForm::~TForm()
{
    if (HWND hwnd = window_.get()) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
}

void TForm::SetCaption(const std::string& caption)
{
    SetWindowTextA(Handle(), caption.c_str());
}

std::string TForm::Caption() const
{
    std::vector<char> buffer(static_cast<std::size_t>(GetWindowTextLengthA(Handle())) + 1);
    const int length = GetWindowTextA(Handle(), buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

void TForm::Show()
{
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CLOSE && application_.MainForm() == this) {
        application_.Terminate();
        return 0;
    }
    return DefaultHandler(msg, wParam, lParam);
}

LRESULT TForm::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(Handle(), msg, wParam, lParam);
}

LRESULT CALLBACK TForm::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* form = static_cast<TForm*>(create->lpCreateParams);
        form->window_.reset(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcA(hwnd, msg, wParam, lParam);
    try {
        return form->WndProc(msg, wParam, lParam);
    } catch (const std::exception& error) {
        form->application_.ShowException(error.what());
    } catch (...) {
        form->application_.ShowException("Unknown error");
    }
    return 0;
}

}  // namespace zelvora
