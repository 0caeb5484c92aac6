#include "engine/win32/KeyHintCard.h"

#include <algorithm>
#include <utility>

#include "engine/KeyHints.h"
#include "engine/win32/OwnWindows.h"
#include "toolkit/win32/Boundary.h"
#include "toolkit/win32/ScreenDpi.h"

namespace zelvora {

bool TKeyHintCard::Open()
{
    if (window_) return true;
    owner_ = HiddenOwner(kKeyHintCardClass, WindowProc);
    window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kKeyHintCardClass,
                                  L"Zelvora", WS_POPUP | WS_BORDER, 0, 0, 0, 0, owner_.get(), nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return static_cast<bool>(window_);
}

void TKeyHintCard::Show(TPoint pointer, std::vector<std::wstring> lines)
{
    if (lines.empty() || !Open()) return;
    lines_ = std::move(lines);
    const POINT at{pointer.X, pointer.Y};
    const int dpi = DpiAtPoint(at);
    if (dpi != dpi_ || !font_) {
        dpi_ = dpi;
        font_.reset(CreateFontW(-MulDiv(11, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
    }
    padding_ = MulDiv(6, dpi, 96);
    int width = 0;
    {
        const WindowDc dc(window_.get(), GetDC(window_.get()));
        const HGDIOBJ old = SelectObject(dc.get(), font_.get());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.get(), &metrics);
        lineHeight_ = metrics.tmHeight + MulDiv(2, dpi, 96);
        for (const std::wstring& line : lines_) {
            SIZE size{};
            GetTextExtentPoint32W(dc.get(), line.c_str(), static_cast<int>(line.size()), &size);
            width = std::max<int>(width, size.cx);
        }
        SelectObject(dc.get(), old);
    }
    const int border = 2 * GetSystemMetrics(SM_CXBORDER);
    width += 2 * padding_ + border;
    const int height = static_cast<int>(lines_.size()) * lineHeight_ + 2 * padding_ + border;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    // The pointer's arrow reaches about 20 pixels right of and below its point.
    shown_ = KeyHintPlace(pointer, width, height, {work.left, work.top, work.right, work.bottom},
                          MulDiv(24, dpi, 96));
    SetWindowPos(window_.get(), HWND_TOPMOST, shown_.Left, shown_.Top, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_.get(), nullptr, TRUE);
    UpdateWindow(window_.get());
}

TRect TKeyHintCard::Hide()
{
    if (window_) ShowWindow(window_.get(), SW_HIDE);
    return std::exchange(shown_, TRect{});
}

void TKeyHintCard::Paint(HDC dc) const
{
    RECT client{};
    GetClientRect(window_.get(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    const HGDIOBJ old = SelectObject(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    int y = padding_;
    for (const std::wstring& line : lines_) {
        TextOutW(dc, padding_, y, line.c_str(), static_cast<int>(line.size()));
        y += lineHeight_;
    }
    SelectObject(dc, old);
}

LRESULT CALLBACK TKeyHintCard::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    return Guarded<LRESULT>(0, [&]() -> LRESULT {
        const auto* card = reinterpret_cast<const TKeyHintCard*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        switch (msg) {
            case WM_MOUSEACTIVATE:
                return MA_NOACTIVATE;
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT:
                if (card) {
                    PAINTSTRUCT paint{};
                    const HDC dc = BeginPaint(window, &paint);
                    card->Paint(dc);
                    EndPaint(window, &paint);
                    return 0;
                }
                break;
            default:
                break;
        }
        return DefWindowProcW(window, msg, wParam, lParam);
    });
}

}  // namespace zelvora
