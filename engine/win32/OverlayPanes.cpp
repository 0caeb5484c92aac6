#include "engine/win32/OverlayPanes.h"

#include "engine/PointerPictures.h"
#include "engine/win32/ScreenCapture.h"

namespace zelvora {

namespace {

// Keyed panes show what is not this colour; a picture's pixel of it is nudged off.
constexpr TColor kOverlayKey = 0x00FE01FF;

constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

}  // namespace

TPixelRows TOverlayPanes::TPane::Rows()
{
    if (Picture.empty()) return Window->Pixels();
    const TRect& monitor = Window->Monitor();
    return {Picture.data(), monitor.Width(), monitor.Height(), {monitor.Left, monitor.Top}};
}

bool TOverlayPanes::Paint(const TRect& area, const TPainter& paint)
{
    if (!owner_) {
        owner_ = TInkPane::MakeOwner();
        if (!owner_) return false;
        alpha_ = InkWithAlpha();
        monitors_ = MonitorRects();
    }
    bool whole = true;
    for (const TRect& monitor : monitors_) {
        const TRect inside = Intersection(area, monitor);
        if (IsEmpty(inside)) continue;
        TPane* pane = PaneOf(monitor);
        if (!pane) {
            whole = false;
            continue;
        }
        const TPixelRows picture = pane->Rows();
        paint(picture, inside);
        if (!pane->Picture.empty())
            KeyPremultiplied(picture, pane->Window->Pixels(), inside, PixelOf(kOverlayKey));
        pane->Window->Show(inside);
    }
    return whole;
}

void TOverlayPanes::Clear(const TRect& area)
{
    for (TPane& pane : panes_) {
        const TRect inside = Intersection(area, pane.Window->Monitor());
        if (IsEmpty(inside)) continue;
        FillPixels(pane.Rows(), inside, 0);
        if (!pane.Picture.empty()) FillPixels(pane.Window->Pixels(), inside, PixelOf(kOverlayKey));
        pane.Window->Show(inside);
    }
}

TOverlayPanes::TPane* TOverlayPanes::PaneOf(const TRect& monitor)
{
    for (TPane& pane : panes_)
        if (pane.Window->Monitor() == monitor) return &pane;
    TPane pane{TInkPane::Open(monitor, owner_.get(), kOverlayKey, alpha_), {}};
    if (!pane.Window) return nullptr;
    if (!alpha_) pane.Picture.assign(static_cast<std::size_t>(monitor.Width()) * monitor.Height(), 0);
    pane.Window->SetOpacity(opacity_, kOverlayKey);
    panes_.push_back(std::move(pane));
    return &panes_.back();
}

void TOverlayPanes::SetOpacity(std::uint8_t opacity)
{
    if (opacity == opacity_) return;
    opacity_ = opacity;
    for (TPane& pane : panes_) {
        pane.Window->SetOpacity(opacity, kOverlayKey);
        // The alpha path takes a new opacity with its next picture: a pixel's worth is enough.
        const TRect& monitor = pane.Window->Monitor();
        pane.Window->Show({monitor.Left, monitor.Top, monitor.Left + 1, monitor.Top + 1});
    }
}

TRect TOverlayPanes::Area() const
{
    TRect area;
    for (const TPane& pane : panes_) area = Union(area, pane.Window->Monitor());
    return area;
}

void TOverlayPanes::Close()
{
    panes_.clear();
    owner_.reset();
}

void TOverlayPanes::Hide(bool hidden)
{
    for (const TPane& pane : panes_) ShowWindow(pane.Window->Handle(), hidden ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void TOverlayPanes::Raise()
{
    for (const TPane& pane : panes_)
        SetWindowPos(pane.Window->Handle(), HWND_TOPMOST, 0, 0, 0, 0, kOrderOnly);
}

void TOverlayPanes::FitScreens()
{
    const std::vector<TRect> now = MonitorRects();
    if (now == monitors_) return;
    Close();
}

bool TOverlayWindow::Paint(const TRect& area, const TOverlayPanes::TPainter& paint)
{
    if (IsEmpty(area)) return true;
    if (!owner_) {
        owner_ = TInkPane::MakeOwner();
        if (!owner_) return false;
        alpha_ = InkWithAlpha();
    }
    if (pane_ && (pane_->Monitor().Width() != area.Width() || pane_->Monitor().Height() != area.Height()))
        pane_.reset();
    if (pane_) {
        pane_->MoveTo({area.Left, area.Top});
    } else {
        pane_ = TInkPane::Open(area, owner_.get(), kOverlayKey, alpha_);
        if (!pane_) return false;
        if (!alpha_) picture_.assign(static_cast<std::size_t>(area.Width()) * area.Height(), 0);
    }
    const TPixelRows picture =
        alpha_ ? pane_->Pixels()
               : TPixelRows{picture_.data(), area.Width(), area.Height(), {area.Left, area.Top}};
    FillPixels(picture, area, 0);
    paint(picture, area);
    if (!alpha_) KeyPremultiplied(picture, pane_->Pixels(), area, PixelOf(kOverlayKey));
    pane_->Show(area);
    return true;
}

void TOverlayWindow::Close()
{
    pane_.reset();
    owner_.reset();
}

void TOverlayWindow::Hide(bool hidden)
{
    if (pane_) ShowWindow(pane_->Handle(), hidden ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void TOverlayWindow::Raise()
{
    if (pane_) SetWindowPos(pane_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, kOrderOnly);
}

}  // namespace zelvora
