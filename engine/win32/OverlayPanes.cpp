#include "engine/win32/OverlayPanes.h"

#include "engine/win32/ScreenCapture.h"

namespace zelvora {

namespace {

constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

}  // namespace

bool TOverlayPanes::Prepare()
{
    if (panes_.Prepared()) return true;
    alpha_ = InkWithAlpha();
    return panes_.Prepare();
}

bool TOverlayPanes::ShowOnly(HRGN shown)
{
    if (!Prepare()) return false;
    bool whole = true;
    for (const TRect& monitor : panes_.Monitors()) {
        TPictureWindow* pane = PaneOf(monitor);
        if (!pane) {
            whole = false;
            continue;
        }
        UniqueRegion part(CreateRectRgn(monitor.Left, monitor.Top, monitor.Right, monitor.Bottom));
        if (!part) continue;
        CombineRgn(part.get(), part.get(), shown, RGN_AND);
        OffsetRgn(part.get(), -monitor.Left, -monitor.Top);
        pane->ShowSolid(0, std::move(part));
    }
    return whole;
}

bool TOverlayPanes::Paint(const TRect& area, const TPainter& paint)
{
    if (!Prepare()) return false;
    bool whole = true;
    for (const TRect& monitor : panes_.Monitors()) {
        const TRect inside = Intersection(area, monitor);
        if (IsEmpty(inside)) continue;
        TPictureWindow* pane = PaneOf(monitor);
        if (!pane) {
            whole = false;
            continue;
        }
        paint(pane->Picture(), inside);
        pane->ShowPicture(inside);
    }
    return whole;
}

void TOverlayPanes::Clear(const TRect& area)
{
    for (const auto& pane : panes_) {
        const TRect inside = Intersection(area, pane->Monitor());
        if (IsEmpty(inside)) continue;
        FillPixels(pane->Picture(), inside, 0);
        pane->ShowPicture(inside);
    }
}

TPictureWindow* TOverlayPanes::PaneOf(const TRect& monitor)
{
    if (TPictureWindow* pane = panes_.Find(monitor)) return pane;
    std::unique_ptr<TPictureWindow> pane = TPictureWindow::Open(monitor, panes_.Owner(), kOverlayKey, alpha_);
    if (!pane) return nullptr;
    pane->SetOpacity(opacity_, kOverlayKey);
    return panes_.Add(std::move(pane));
}

void TOverlayPanes::SetOpacity(std::uint8_t opacity)
{
    if (opacity == opacity_) return;
    opacity_ = opacity;
    for (const auto& pane : panes_) {
        pane->SetOpacity(opacity, kOverlayKey);
        // The alpha path takes a new opacity with its next picture: a pixel's worth is enough.
        const TRect& monitor = pane->Monitor();
        pane->Show({monitor.Left, monitor.Top, monitor.Left + 1, monitor.Top + 1});
    }
}

void TOverlayPanes::FitScreens()
{
    if (MonitorRects() != panes_.Monitors()) Close();
}

bool TOverlayWindow::Prepare()
{
    if (owner_) return true;
    owner_ = TPictureWindow::MakeOwner();
    alpha_ = InkWithAlpha();
    return static_cast<bool>(owner_);
}

bool TOverlayWindow::OpenOver(const TRect& area, bool keep)
{
    std::unique_ptr<TPictureWindow> pane = TPictureWindow::Open(area, owner_.get(), kOverlayKey, alpha_);
    if (!pane) return false;
    pane->SetOpacity(opacity_, kOverlayKey);
    const TPixelRows rows = pane->Picture();
    if (keep && pane_) {
        const TPixelRows old = pane_->Picture();
        const TRect both = Intersection(old.Area(), area);
        for (int y = both.Top; y < both.Bottom; ++y)
            std::copy_n(old.Bits + static_cast<std::size_t>(y - old.Origin.Y) * old.Width +
                            (both.Left - old.Origin.X),
                        both.Width(),
                        rows.Bits + static_cast<std::size_t>(y - rows.Origin.Y) * rows.Width +
                            (both.Left - rows.Origin.X));
    }
    pane_ = std::move(pane);  // the old window goes after the new one shows
    return true;
}

bool TOverlayWindow::Paint(const TRect& area, const TOverlayPanes::TPainter& paint)
{
    if (IsEmpty(area)) return true;
    if (!Prepare()) return false;
    if (pane_ && (pane_->Monitor().Width() != area.Width() || pane_->Monitor().Height() != area.Height()))
        pane_.reset();
    if (pane_) {
        pane_->MoveTo({area.Left, area.Top});
    } else if (!OpenOver(area, false)) {
        return false;
    }
    const TPixelRows picture = pane_->Picture();
    FillPixels(picture, area, 0);
    paint(picture, area);
    pane_->ShowPicture(area);
    return true;
}

bool TOverlayWindow::PaintMore(const TRect& area, const TOverlayPanes::TPainter& paint)
{
    const TRect inside = Intersection(area, VirtualScreen());
    if (IsEmpty(inside)) return true;
    if (!Prepare()) return false;
    const TRect shown = Area();
    if (Union(shown, inside) != shown) {
        // Grown with room to spare, so that a trail going on does not make a window each tick.
        constexpr int kRoom = 192;
        const TRect grown = Intersection(Union(shown, {inside.Left - kRoom, inside.Top - kRoom,
                                                       inside.Right + kRoom, inside.Bottom + kRoom}),
                                         VirtualScreen());
        if (!OpenOver(grown, true)) return false;
        paint(pane_->Picture(), inside);
        pane_->ShowPicture(grown);
        return true;
    }
    paint(pane_->Picture(), inside);
    pane_->ShowPicture(inside);
    return true;
}

void TOverlayWindow::SetOpacity(std::uint8_t opacity)
{
    if (opacity == opacity_) return;
    opacity_ = opacity;
    if (!pane_) return;
    pane_->SetOpacity(opacity, kOverlayKey);
    // The alpha path takes a new opacity with its next picture: a pixel's worth is enough.
    const TRect& area = pane_->Monitor();
    pane_->Show({area.Left, area.Top, area.Left + 1, area.Top + 1});
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
