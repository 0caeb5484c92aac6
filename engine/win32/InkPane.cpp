#include "engine/win32/InkPane.h"

#include "engine/win32/PieceDrawing.h"
#include "toolkit/win32/Boundary.h"

namespace zelvora {

namespace {

constexpr DWORD kPaneStyles =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;

HINSTANCE RegisterPaneClass(WNDPROC procedure)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kInkLayerClass;
    RegisterClassExW(&wc);  // a second registration of the same class fails harmlessly
    return wc.hInstance;
}

}  // namespace

std::unique_ptr<TInkPane> TInkPane::Open(const TRect& monitor, HWND owner, TColor key)
{
    std::unique_ptr<TInkPane> pane(new TInkPane(monitor));
    pane->pixels_ = std::make_unique<TPixelBuffer>(monitor.Width(), monitor.Height());
    if (!*pane->pixels_) return nullptr;
    pane->canvas_ = std::make_unique<TCanvas>(pane->pixels_->Dc());
    pane->Fill(monitor, key);
    const HINSTANCE instance = RegisterPaneClass(WindowProc);
    pane->window_.reset(CreateWindowExW(kPaneStyles, kInkLayerClass, L"", WS_POPUP, monitor.Left, monitor.Top,
                                        monitor.Width(), monitor.Height(), owner, nullptr, instance,
                                        pane.get()));
    if (!pane->window_) return nullptr;
    SetLayeredWindowAttributes(pane->window_.get(), key, 0, LWA_COLORKEY);
    ShowWindow(pane->window_.get(), SW_SHOWNOACTIVATE);
    return pane;
}

UniqueWindow TInkPane::MakeOwner()
{
    const HINSTANCE instance = RegisterPaneClass(TInkPane::WindowProc);
    return UniqueWindow(CreateWindowExW(WS_EX_TOOLWINDOW, kInkLayerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                        nullptr, instance, nullptr));
}

LRESULT CALLBACK TInkPane::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* pane = reinterpret_cast<TInkPane*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // The owner, and a pane until CreateWindowExW returns: the default answers.
    if (!pane || pane->window_.get() != window) return DefWindowProcW(window, msg, wParam, lParam);
    return Guarded(LRESULT{0}, [&] { return pane->HandleMessage(msg, wParam, lParam); });
}

LRESULT TInkPane::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        case WM_PAINT: {
            PaintScope paint(window_.get());
            const RECT& r = paint.Info().rcPaint;
            BitBlt(paint.Dc(), r.left, r.top, r.right - r.left, r.bottom - r.top, pixels_->Dc(), r.left,
                   r.top, SRCCOPY);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:  // the style already lets clicks through; this says so to everyone
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_DPICHANGED:  // the pane measures in physical pixels: nothing to scale
            return 0;
        default:
            return DefWindowProcW(window_.get(), msg, wParam, lParam);
    }
}

void TInkPane::Paint(const TMarkPiece& piece, const TRect& clip, TColor key)
{
    const TRect inside = Intersection(clip, monitor_);
    if (IsEmpty(inside) || IsEmpty(Intersection(PieceBounds(piece), inside))) return;
    if (piece.Pen.Highlighter) {
        GdiFlush();
        StampInk(piece, Rows(), inside, key);
        return;
    }
    const TPoint origin{monitor_.Left, monitor_.Top};
    canvas_->SetClipRect(
        {inside.Left - origin.X, inside.Top - origin.Y, inside.Right - origin.X, inside.Bottom - origin.Y});
    DrawPiece(*canvas_, piece, origin, piece.Pen.Color, R2_COPYPEN);
    canvas_->ResetClip();
}

void TInkPane::Fill(const TRect& area, TColor key)
{
    const TRect inside = Intersection(area, monitor_);
    if (IsEmpty(inside)) return;
    GdiFlush();
    FillPixels(Rows(), inside, PixelOf(key));
}

void TInkPane::ReplaceKey(TColor from, TColor to)
{
    GdiFlush();
    ReplacePixels(Rows(), PixelOf(from), PixelOf(to));
    SetLayeredWindowAttributes(window_.get(), to, 0, LWA_COLORKEY);
    Show(monitor_);
}

void TInkPane::Show(const TRect& area)
{
    const TRect inside = Intersection(area, monitor_);
    if (IsEmpty(inside)) return;
    GdiFlush();
    const RECT local{inside.Left - monitor_.Left, inside.Top - monitor_.Top, inside.Right - monitor_.Left,
                     inside.Bottom - monitor_.Top};
    // Painted as soon as the thread is idle, right after the tick: strokes drawn faster than
    // that share one paint (Wine scans the whole window for its colour key at every paint).
    InvalidateRect(window_.get(), &local, FALSE);
}

std::optional<std::uint32_t> TInkPane::InkAt(TPoint point, TColor key) const
{
    if (IsEmpty(Intersection(monitor_, {point.X, point.Y, point.X + 1, point.Y + 1}))) return std::nullopt;
    GdiFlush();
    const std::uint32_t pixel =
        pixels_->Bits()[static_cast<std::size_t>(point.Y - monitor_.Top) * pixels_->Width() +
                        (point.X - monitor_.Left)] &
        0xFFFFFF;
    if (pixel == PixelOf(key)) return std::nullopt;
    return pixel;
}

TPixelRows TInkPane::Rows() const
{
    return {pixels_->Bits(), pixels_->Width(), pixels_->Height(), {monitor_.Left, monitor_.Top}};
}

}  // namespace zelvora
