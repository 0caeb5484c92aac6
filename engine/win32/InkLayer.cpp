#include "engine/win32/InkLayer.h"

#include <string_view>
#include <utility>

#include "engine/win32/PieceDrawing.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/Boundary.h"
#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

namespace {

constexpr DWORD kLayerStyles =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;

// Cloaked windows (other virtual desktops, suspended apps) are visible to the window list and
// shown nowhere. The window manager's library is bound on first use.
bool IsCloaked(HWND window)
{
    using TGetAttribute = HRESULT WINAPI(HWND, DWORD, PVOID, DWORD);
    static auto* const getAttribute = SystemFunction<TGetAttribute>(L"dwmapi.dll", "DwmGetWindowAttribute");
    constexpr DWORD kCloaked = 14;  // DWMWA_CLOAKED
    DWORD cloaked = 0;
    return getAttribute && SUCCEEDED(getAttribute(window, kCloaked, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
}

std::span<const std::uint32_t> AllOf(const TPixelBuffer& buffer)
{
    return {buffer.Bits(), static_cast<std::size_t>(buffer.Width()) * buffer.Height()};
}

}  // namespace

TMarkPiece TInkLayer::Draw(TMarkPiece piece)
{
    if (!Open()) return piece;
    KeepKeyOffPen(piece.Pen.Color);
    if (piece.Pen.Highlighter) piece = Highlight(std::move(piece));
    Paint(piece, screens_);
    Show(PieceBounds(piece));
    return piece;
}

void TInkLayer::Remove(const TMark& gone)
{
    if (marks_.Marks().empty())
        Close();
    else if (window_)
        Repaint(gone.Bounds);
}

void TInkLayer::DrawAgain(const TMark& mark)
{
    if (!Open()) return;
    for (const TMarkPiece& piece : mark.Pieces) {
        KeepKeyOffPen(piece.Pen.Color);
        Paint(piece, screens_);
    }
    Show(mark.Bounds);
}

void TInkLayer::Close()
{
    window_.reset();
    owner_.reset();
    canvas_.reset();
    pixels_.reset();
}

bool TInkLayer::Open()
{
    if (window_) return true;
    if (failed_) return false;
    failed_ = true;  // until the window stands
    screens_ = VirtualScreen();
    if (!Fits(screens_)) return false;
    pixels_ = std::make_unique<TPixelBuffer>(screens_.Width(), screens_.Height());
    if (!*pixels_) {
        Close();
        return false;
    }
    canvas_ = std::make_unique<TCanvas>(pixels_->Dc());
    key_ = ChooseColourKey(0);
    FillPixels(Rows(), screens_, PixelOf(key_));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kInkLayerClass;
    RegisterClassExW(&wc);  // a second registration of the same class fails harmlessly
    owner_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kInkLayerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                 nullptr, wc.hInstance, nullptr));
    window_.reset(CreateWindowExW(kLayerStyles, kInkLayerClass, L"", WS_POPUP, screens_.Left, screens_.Top,
                                  screens_.Width(), screens_.Height(), owner_.get(), nullptr, wc.hInstance,
                                  this));
    if (!window_) {
        Close();
        return false;
    }
    SetLayeredWindowAttributes(window_.get(), key_, 0, LWA_COLORKEY);
    ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
    failed_ = false;
    return true;
}

LRESULT CALLBACK TInkLayer::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* layer = reinterpret_cast<TInkLayer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Until CreateWindowExW returns the layer does not know its window: the default answers.
    if (!layer || layer->window_.get() != window) return DefWindowProcW(window, msg, wParam, lParam);
    return Guarded(LRESULT{0}, [&] { return layer->HandleMessage(msg, wParam, lParam); });
}

LRESULT TInkLayer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
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
        case WM_DISPLAYCHANGE:
            FitScreens();
            return 0;
        case WM_DPICHANGED:  // the layer measures in physical pixels: nothing to scale
            return 0;
        default:
            return DefWindowProcW(window_.get(), msg, wParam, lParam);
    }
}

bool TInkLayer::Fits(const TRect& screens) const
{
    return static_cast<std::size_t>(screens.Width()) * static_cast<std::size_t>(screens.Height()) <=
           maxPixels_;
}

void TInkLayer::FitScreens()
{
    const TRect now = VirtualScreen();
    if (now == screens_) return;
    if (!Fits(now)) return;
    auto pixels = std::make_unique<TPixelBuffer>(now.Width(), now.Height());
    if (!*pixels) return;  // the old layer stays as it was
    canvas_.reset();
    pixels_ = std::move(pixels);
    canvas_ = std::make_unique<TCanvas>(pixels_->Dc());
    screens_ = now;
    SetWindowPos(window_.get(), HWND_TOPMOST, now.Left, now.Top, now.Width(), now.Height(), SWP_NOACTIVATE);
    Repaint(screens_);
}

void TInkLayer::StayOnTop()
{
    // Every fifth tick is soon enough and keeps the idle cost near the screen's. Wine raises a
    // clicked window in its X stacking a moment after the activation: once more 200 ms later
    // catches that.
    constexpr int kTicksPerCheck = 5, kChecksToRaiseAgain = 4;
    if (!window_ || ++ticks_ % kTicksPerCheck != 0) return;
    const HWND front = GetForegroundWindow();
    bool covered = std::exchange(foreground_, front) != front;
    if (covered) {
        checksToRaiseAgain_ = kChecksToRaiseAgain;
        raisedOver_ = nullptr;
    } else if (checksToRaiseAgain_ > 0) {
        covered = --checksToRaiseAgain_ == 0;
    }
    HWND above = nullptr;
    for (HWND window = GetWindow(window_.get(), GW_HWNDPREV); window && !above;
         window = GetWindow(window, GW_HWNDPREV))
        if (Covers(window)) above = window;
    // The window raised over last time came back above by itself: it keeps itself on top, and
    // stays there until the foreground changes.
    if (above && above == raisedOver_) return;
    if (!covered && !above) return;
    Raise();
    if (above) raisedOver_ = above;
}

bool TInkLayer::Covers(HWND window)
{
    // Menus come and go above everything: raising the layer over one would end it.
    if (!IsWindowVisible(window)) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) return false;
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    const std::wstring_view name(className);
    return name != L"#32768" && name != kInkLayerClass && !IsCloaked(window);
}

void TInkLayer::Raise()
{
    // Below the active window and back on top: a real change of order, which the system carries
    // out even where it believes the layer is on top already.
    constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    const HWND below = foreground_ && foreground_ != window_.get() ? foreground_ : HWND_BOTTOM;
    SetWindowPos(window_.get(), below, 0, 0, 0, 0, kOrderOnly);
    SetWindowPos(window_.get(), HWND_TOPMOST, 0, 0, 0, 0, kOrderOnly);
}

void TInkLayer::KeepKeyOffPen(TColor pen)
{
    if ((pen & 0xFFFFFF) != key_) return;
    const TColor key = ChooseColourKey(pen);
    GdiFlush();
    ReplacePixels(Rows(), PixelOf(key_), PixelOf(key));
    key_ = key;
    SetLayeredWindowAttributes(window_.get(), key_, 0, LWA_COLORKEY);
    Show(screens_);
}

TMarkPiece TInkLayer::Highlight(TMarkPiece piece)
{
    const TRect area = Intersection(PieceBounds(piece), screens_);
    if (IsEmpty(area)) return piece;
    // What the screen shows there now, and the piece's own shape in white on black.
    TPixelBuffer screen(area.Width(), area.Height()), shape(area.Width(), area.Height());
    if (!screen || !shape) return piece;
    {
        const WindowDc screenDc(nullptr, GetDC(nullptr));
        BitBlt(screen.Dc(), 0, 0, area.Width(), area.Height(), screenDc.get(), area.Left, area.Top, SRCCOPY);
        TCanvas shapeCanvas(shape.Dc());
        DrawPiece(shapeCanvas, piece, {area.Left, area.Top}, RgbOf(255, 255, 255), R2_COPYPEN);
    }
    GdiFlush();
    KeepHighlighterGround(piece, AllOf(screen), AllOf(shape), area);
    return piece;
}

void TInkLayer::Repaint(const TRect& area)
{
    const TRect inside = Intersection(area, screens_);
    if (IsEmpty(inside)) return;
    GdiFlush();
    FillPixels(Rows(), inside, PixelOf(key_));
    for (const TMark& mark : marks_.Marks()) {
        if (IsEmpty(Intersection(mark.Bounds, inside))) continue;
        for (const TMarkPiece& piece : mark.Pieces)
            if (!IsEmpty(Intersection(PieceBounds(piece), inside))) Paint(piece, inside);
    }
    Show(inside);
}

void TInkLayer::Paint(const TMarkPiece& piece, const TRect& clip)
{
    if (piece.Pen.Highlighter) {
        GdiFlush();
        StampInk(piece, Rows(), clip, key_);
        return;
    }
    const TPoint origin{screens_.Left, screens_.Top};
    canvas_->SetClipRect(
        {clip.Left - origin.X, clip.Top - origin.Y, clip.Right - origin.X, clip.Bottom - origin.Y});
    DrawPiece(*canvas_, piece, origin, piece.Pen.Color, R2_COPYPEN);
    canvas_->ResetClip();
}

void TInkLayer::Show(const TRect& area)
{
    const TRect inside = Intersection(area, screens_);
    if (IsEmpty(inside) || !window_) return;
    GdiFlush();
    const RECT local{inside.Left - screens_.Left, inside.Top - screens_.Top, inside.Right - screens_.Left,
                     inside.Bottom - screens_.Top};
    // Painted as soon as the thread is idle, right after the tick: strokes drawn faster than
    // that share one paint (Wine scans the whole layer for its colour key at every paint).
    InvalidateRect(window_.get(), &local, FALSE);
}

std::optional<std::uint32_t> TInkLayer::InkAt(TPoint point) const
{
    if (!pixels_ || IsEmpty(Intersection(screens_, {point.X, point.Y, point.X + 1, point.Y + 1})))
        return std::nullopt;
    GdiFlush();
    const std::uint32_t pixel =
        pixels_->Bits()[static_cast<std::size_t>(point.Y - screens_.Top) * pixels_->Width() +
                        (point.X - screens_.Left)] &
        0xFFFFFF;
    if (pixel == PixelOf(key_)) return std::nullopt;
    return pixel;
}

TPixelRows TInkLayer::Rows() const
{
    return {pixels_->Bits(), pixels_->Width(), pixels_->Height(), {screens_.Left, screens_.Top}};
}

}  // namespace zelvora
