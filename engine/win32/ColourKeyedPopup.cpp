#include "engine/win32/ColourKeyedPopup.h"

#include "engine/win32/PieceDrawing.h"
#include "toolkit/win32/Boundary.h"

namespace zelvora {

namespace {

// The highlighter's preview lets the screen through: it cannot mix with what lies beneath.
constexpr BYTE kHighlighterOpacity = 140;

}  // namespace

bool TColourKeyedPopup::Open()
{
    if (window_) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = kColourKeyedPopupClass;
    RegisterClassExW(&wc);  // a second registration of the same class fails harmlessly
    const DWORD styles =
        WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
    owner_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kColourKeyedPopupClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                 nullptr, wc.hInstance, nullptr));
    window_.reset(CreateWindowExW(styles, kColourKeyedPopupClass, L"Zelvora", WS_POPUP, 0, 0, 0, 0,
                                  owner_.get(), nullptr, wc.hInstance, this));
    return static_cast<bool>(window_);
}

void TColourKeyedPopup::Show(const TMarkPiece& piece, const TRect& area, bool caret)
{
    if (!Open()) return;
    piece_ = piece;
    area_ = area;
    caret_ = caret;
    const TColor key = ChooseColourKey(piece.Pen.Color);
    const BYTE opacity = piece.Pen.Highlighter ? kHighlighterOpacity : 255;
    if (key != key_ || opacity != opacity_ || !IsWindowVisible(window_.get()))
        SetLayeredWindowAttributes(window_.get(), key, opacity, LWA_COLORKEY | LWA_ALPHA);
    key_ = key;
    opacity_ = opacity;
    SetWindowPos(window_.get(), HWND_TOPMOST, area.Left, area.Top, area.Width(), area.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_.get(), nullptr, FALSE);
    // The preview follows the pointer within the tick that moved it.
    UpdateWindow(window_.get());
}

void TColourKeyedPopup::Hide()
{
    if (window_) ShowWindow(window_.get(), SW_HIDE);
}

LRESULT CALLBACK TColourKeyedPopup::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* popup = reinterpret_cast<TColourKeyedPopup*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!popup || popup->window_.get() != window) return DefWindowProcW(window, msg, wParam, lParam);
    return Guarded(LRESULT{0}, [&] { return popup->HandleMessage(msg, wParam, lParam); });
}

LRESULT TColourKeyedPopup::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (OnMessage && OnMessage(msg, wParam, lParam)) return 0;
    switch (msg) {
        case WM_PAINT: {
            PaintScope paint(window_.get());
            Paint(paint.Dc());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            break;
    }
    return DefWindowProcW(window_.get(), msg, wParam, lParam);
}

void TColourKeyedPopup::Paint(HDC dc)
{
    // Drawn off screen first: a text field repaints on every letter.
    const int width = area_.Width(), height = area_.Height();
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!memory || !bitmap) return;
    const HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    {
        TCanvas canvas(memory.get());
        canvas.SetBrushStyle(TBrushStyle::bsSolid);
        canvas.SetBrushColor(key_);
        canvas.FillRect({0, 0, width, height});
        const TPoint origin{area_.Left, area_.Top};
        DrawPiece(canvas, piece_, origin, piece_.Pen.Color, R2_COPYPEN);
        if (caret_) {
            const TRect& text = piece_.Frame.Bounds;
            canvas.SetBrushColor(piece_.Pen.Color);
            canvas.FillRect({text.Right - origin.X + 1, text.Top - origin.Y, text.Right - origin.X + 3,
                             text.Bottom - origin.Y});
        }
    }
    BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
    SelectObject(memory.get(), old);
}

}  // namespace zelvora
