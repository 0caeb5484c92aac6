#include "engine/win32/ColourKeyedPopup.h"

#include "engine/MarkInk.h"
#include "engine/win32/OwnWindows.h"
#include "engine/win32/PieceDrawing.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/Boundary.h"
#include "toolkit/win32/PixelBuffer.h"

namespace zelvora {

bool TColourKeyedPopup::Open()
{
    if (window_) return true;
    const DWORD styles =
        WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
    owner_ = HiddenOwner(kColourKeyedPopupClass, WindowProc);
    window_.reset(CreateWindowExW(styles, kColourKeyedPopupClass, L"Zelvora", WS_POPUP, 0, 0, 0, 0,
                                  owner_.get(), nullptr, GetModuleHandleW(nullptr), this));
    return static_cast<bool>(window_);
}

void TColourKeyedPopup::Show(const TMarkPiece& piece, const TRect& area, std::optional<int> caretX)
{
    if (!Open()) return;
    if (!IsWindowVisible(window_.get())) shown_.clear();
    KeepGround(area);
    piece_ = piece;
    area_ = area;
    caretX_ = caretX;
    const TColor key = ChooseColourKey(piece.Pen.Color);
    if (key != key_ || !IsWindowVisible(window_.get()))
        SetLayeredWindowAttributes(window_.get(), key, 0, LWA_COLORKEY);
    key_ = key;
    SetWindowPos(window_.get(), HWND_TOPMOST, area.Left, area.Top, area.Width(), area.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_.get(), nullptr, FALSE);
    // The preview follows the pointer within the tick that moved it.
    UpdateWindow(window_.get());
}

void TColourKeyedPopup::KeepGround(const TRect& area)
{
    const int width = area.Width(), height = area.Height();
    std::vector<std::uint32_t> ground(static_cast<std::size_t>(std::max(width, 0)) * std::max(height, 0),
                                      0xFFFFFF);
    TPixelBuffer screen(width, height);
    if (screen) CopyGround(screen.Dc(), area);
    const std::uint32_t key = PixelOf(key_);
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            const std::size_t at = static_cast<std::size_t>(y - area.Top) * width + (x - area.Left);
            const bool wasShown = !shown_.empty() && x >= shownArea_.Left && x < shownArea_.Right &&
                                  y >= shownArea_.Top && y < shownArea_.Bottom;
            const std::size_t before =
                wasShown ? static_cast<std::size_t>(y - shownArea_.Top) * shownArea_.Width() +
                               (x - shownArea_.Left)
                         : 0;
            // Where our own ink showed, the screen copy may hold it: the ground found before stays.
            if (wasShown && (shown_[before] & 0xFFFFFF) != key)
                ground[at] = ground_[before];
            else if (screen)
                ground[at] = screen.Bits()[at] & 0xFFFFFF;
        }
    ground_ = std::move(ground);
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
    TPixelBuffer pixels(width, height);
    if (!pixels || ground_.size() != static_cast<std::size_t>(width) * height) return;
    const TPixelRows rows{pixels.Bits(), width, height, {area_.Left, area_.Top}};
    const TPixelRows ground{ground_.data(), width, height, {area_.Left, area_.Top}};
    FillPixels(rows, area_, PixelOf(key_));
    // Laid as the kept mark will be: the highlighter over the screen it was found on.
    TMarkInk ink(0, piece_.Pen);
    ink.Lay(PieceCoverage(piece_, area_), {rows, TInkPixels::Keyed, PixelOf(key_), &ground}, area_);
    if (caretX_) {
        const TRect& text = piece_.Frame.Bounds;
        FillPixels(rows, {*caretX_, text.Top, *caretX_ + 2, text.Bottom}, PixelOf(piece_.Pen.Color));
    }
    shown_.assign(pixels.Bits(), pixels.Bits() + ground_.size());
    shownArea_ = area_;
    BitBlt(dc, 0, 0, width, height, pixels.Dc(), 0, 0, SRCCOPY);
}

}  // namespace zelvora
