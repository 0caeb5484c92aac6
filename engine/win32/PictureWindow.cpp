#include "engine/win32/PictureWindow.h"

#include "engine/PointerPictures.h"
#include "engine/win32/OwnWindows.h"
#include "engine/win32/PieceDrawing.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/Boundary.h"
#include "toolkit/win32/SystemLibrary.h"

#include <vector>

namespace zelvora {

namespace {

constexpr DWORD kPaneStyles =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;

}  // namespace

bool InkWithAlpha()
{
    wchar_t forced[4] = {};
    if (GetEnvironmentVariableW(L"ZELVORA_INK_ALPHA", forced, 4) == 1) return forced[0] == L'1';
    using TIsComposed = HRESULT WINAPI(BOOL*);
    static auto* const isComposed = SystemFunction<TIsComposed>(L"dwmapi.dll", "DwmIsCompositionEnabled");
    BOOL composed = FALSE;
    return isComposed && SUCCEEDED(isComposed(&composed)) && composed;
}

std::unique_ptr<TPictureWindow> TPictureWindow::Open(const TRect& monitor, HWND owner, TColor key, bool alpha)
{
    std::unique_ptr<TPictureWindow> pane(
        new TPictureWindow(monitor, alpha ? TInkPixels::Premultiplied : TInkPixels::Keyed));
    pane->key_ = key;
    pane->pixels_ = std::make_unique<TPixelBuffer>(monitor.Width(), monitor.Height());
    if (!*pane->pixels_) return nullptr;
    pane->Fill(monitor, key);
    const HINSTANCE instance = RegisterOwnWindowClass(kInkLayerClass, WindowProc);
    pane->window_.reset(CreateWindowExW(kPaneStyles, kInkLayerClass, L"", WS_POPUP, monitor.Left, monitor.Top,
                                        monitor.Width(), monitor.Height(), owner, nullptr, instance,
                                        pane.get()));
    if (!pane->window_) return nullptr;
    if (alpha)
        pane->Show(monitor);
    else
        SetLayeredWindowAttributes(pane->window_.get(), key, 0, LWA_COLORKEY);
    ShowWindow(pane->window_.get(), SW_SHOWNOACTIVATE);
    return pane;
}

UniqueWindow TPictureWindow::MakeOwner()
{
    return HiddenOwner(kInkLayerClass, TPictureWindow::WindowProc);
}

LRESULT CALLBACK TPictureWindow::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* pane = reinterpret_cast<TPictureWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // The owner, and a pane until CreateWindowExW returns: the default answers.
    if (!pane || pane->window_.get() != window) return DefWindowProcW(window, msg, wParam, lParam);
    return Guarded(LRESULT{0}, [&] { return pane->HandleMessage(msg, wParam, lParam); });
}

LRESULT TPictureWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        case WM_PAINT: {
            PaintScope paint(window_.get());
            const RECT& r = paint.Info().rcPaint;
            BitBlt(paint.Dc(), r.left, r.top, r.right - r.left, r.bottom - r.top, pixels_->Dc(), r.left,
                   r.top, SRCCOPY);
            cleared_ = {};  // the whole update region is painted
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

void TPictureWindow::KeepGround(const TRect& area, TColor key)
{
    const TRect inside = Intersection(area, monitor_);
    if (Alpha() || IsEmpty(inside)) return;
    if (ground_.empty())
        ground_.assign(static_cast<std::size_t>(monitor_.Width()) * monitor_.Height(), 0xFFFFFF);
    TPixelBuffer screen(inside.Width(), inside.Height());
    if (!screen) return;
    // The screen as the pane last showed it: where the pane is clear, the windows beneath.
    // Ink cleared since the last paint still shows there: painted first, or it would be taken for
    // the ground. Elsewhere the screen already shows the pane as its pixels are (a paint on every
    // piece would cost Wine a scan of the whole window each time).
    if (!IsEmpty(Intersection(inside, cleared_))) UpdateWindow(window_.get());
    CopyGround(screen.Dc(), inside);
    const std::uint32_t keyPixel = PixelOf(key);
    for (int y = inside.Top; y < inside.Bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y - monitor_.Top) * monitor_.Width() - monitor_.Left;
        const std::uint32_t* seen =
            screen.Bits() + static_cast<std::size_t>(y - inside.Top) * inside.Width() - inside.Left;
        const bool stays = y >= groundStays_.Top && y < groundStays_.Bottom;
        for (int x = inside.Left; x < inside.Right; ++x)
            if ((pixels_->Bits()[row + x] & 0xFFFFFF) == keyPixel &&
                !(stays && x >= groundStays_.Left && x < groundStays_.Right))
                ground_[row + x] = seen[x] & 0xFFFFFF;
    }
}

void TPictureWindow::Paint(const TMarkPiece& piece, const TRect& clip, TColor key, TMarkInk& ink)
{
    const TRect inside = Intersection(Intersection(clip, monitor_), PieceBounds(piece));
    if (IsEmpty(inside)) return;
    if (piece.Kind == TMarkPiece::TKind::Board) {  // opaque, edge to edge: no ink to mix
        GdiFlush();
        FillPixels(Rows(), inside, PixelOf(piece.Pen.Color) | (Alpha() ? 0xFF000000u : 0u));
        return;
    }
    const TCoverage coverage = PieceCoverage(piece, inside);
    std::vector<std::uint32_t> kept;
    TPixelRows ground;
    if (piece.Pen.Highlighter) {
        kept = KeptGround(piece, coverage.Area());
        ground = {kept.data(),
                  coverage.Area().Width(),
                  coverage.Area().Height(),
                  {coverage.Area().Left, coverage.Area().Top}};
    } else if (!ground_.empty()) {
        ground = {ground_.data(), monitor_.Width(), monitor_.Height(), {monitor_.Left, monitor_.Top}};
    }
    GdiFlush();
    ink.Lay(coverage, {Rows(), kind_, PixelOf(key), ground.Bits ? &ground : nullptr}, inside);
}

void TPictureWindow::Fill(const TRect& area, TColor key, bool groundStays)
{
    const TRect inside = Intersection(area, monitor_);
    if (IsEmpty(inside)) return;
    GdiFlush();
    FillPixels(Rows(), inside, Alpha() ? 0 : PixelOf(key));
    if (Alpha()) return;
    if (groundStays && !ground_.empty())
        groundStays_ = Union(groundStays_, inside);
    else
        cleared_ = Union(cleared_, inside);
}

void TPictureWindow::ReplaceKey(TColor from, TColor to)
{
    if (Alpha()) return;
    GdiFlush();
    ReplacePixels(Rows(), PixelOf(from), PixelOf(to));
    key_ = to;
    SetLayeredWindowAttributes(window_.get(), to, 0, LWA_COLORKEY);
    Show(monitor_);
}

void TPictureWindow::Show(const TRect& area)
{
    const TRect inside = Intersection(area, monitor_);
    if (IsEmpty(inside)) return;
    GdiFlush();
    const RECT local{inside.Left - monitor_.Left, inside.Top - monitor_.Top, inside.Right - monitor_.Left,
                     inside.Bottom - monitor_.Top};
    if (Alpha()) {
        // Only the changed rectangle goes to the window.
        POINT at{monitor_.Left, monitor_.Top}, source{0, 0};
        SIZE size{monitor_.Width(), monitor_.Height()};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity_, AC_SRC_ALPHA};
        UPDATELAYEREDWINDOWINFO info{};
        info.cbSize = sizeof info;
        info.pptDst = &at;
        info.psize = &size;
        info.hdcSrc = pixels_->Dc();
        info.pptSrc = &source;
        info.pblend = &blend;
        info.dwFlags = ULW_ALPHA;
        info.prcDirty = &local;
        UpdateLayeredWindowIndirect(window_.get(), &info);
        return;
    }
    // Painted as soon as the thread is idle, right after the tick: strokes drawn faster than
    // that share one paint (Wine scans the whole window for its colour key at every paint).
    InvalidateRect(window_.get(), &local, FALSE);
}

void TPictureWindow::MoveTo(TPoint topLeft)
{
    monitor_ = {topLeft.X, topLeft.Y, topLeft.X + monitor_.Width(), topLeft.Y + monitor_.Height()};
    // The alpha path moves with its next picture, in the same call.
    if (!Alpha())
        SetWindowPos(window_.get(), nullptr, topLeft.X, topLeft.Y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

TPixelRows TPictureWindow::Picture()
{
    if (Alpha()) return Pixels();
    if (picture_.empty()) picture_.assign(static_cast<std::size_t>(monitor_.Width()) * monitor_.Height(), 0);
    return {picture_.data(), monitor_.Width(), monitor_.Height(), {monitor_.Left, monitor_.Top}};
}

void TPictureWindow::ShowPicture(const TRect& area)
{
    if (!Alpha()) KeyPremultiplied(Picture(), Pixels(), area, PixelOf(key_));
    Show(area);
}

TPixelRows TPictureWindow::Pixels() const
{
    GdiFlush();
    return Rows();
}

void TPictureWindow::ShowSolid(TColor colour, UniqueRegion shape)
{
    if (!solid_) {
        solid_ = true;
        GdiFlush();
        FillPixels(Rows(), monitor_, PixelOf(colour));
        SetLayeredWindowAttributes(window_.get(), 0, opacity_, LWA_ALPHA);
        InvalidateRect(window_.get(), nullptr, FALSE);
    }
    // The window owns the region from here on. Its pixels are one colour: what the shape newly
    // takes in shows from the window's own surface, with no repaint of the whole.
    if (SetWindowRgn(window_.get(), shape.get(), FALSE)) static_cast<void>(shape.release());
}

void TPictureWindow::SetOpacity(std::uint8_t opacity, TColor key)
{
    if (opacity == opacity_) return;
    opacity_ = opacity;
    if (solid_)
        SetLayeredWindowAttributes(window_.get(), 0, opacity, LWA_ALPHA);
    else if (!Alpha())
        SetLayeredWindowAttributes(window_.get(), key, opacity,
                                   LWA_COLORKEY | (opacity < 255 ? LWA_ALPHA : 0));
}

std::optional<std::uint32_t> TPictureWindow::InkAt(TPoint point, TColor key) const
{
    if (IsEmpty(Intersection(monitor_, {point.X, point.Y, point.X + 1, point.Y + 1}))) return std::nullopt;
    GdiFlush();
    const std::uint32_t pixel =
        pixels_->Bits()[static_cast<std::size_t>(point.Y - monitor_.Top) * pixels_->Width() +
                        (point.X - monitor_.Left)] &
        (Alpha() ? 0xFFFFFFFF : 0xFFFFFF);
    if (Alpha() ? pixel >> 24 == 0 : pixel == PixelOf(key)) return std::nullopt;
    return pixel & 0xFFFFFF;
}

TPixelRows TPictureWindow::Rows() const
{
    return {pixels_->Bits(), pixels_->Width(), pixels_->Height(), {monitor_.Left, monitor_.Top}};
}

}  // namespace zelvora
