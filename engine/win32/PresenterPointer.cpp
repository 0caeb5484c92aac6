#include "engine/win32/PresenterPointer.h"

#include <algorithm>
#include <cmath>

#include "engine/win32/PieceDrawing.h"
#include "engine/win32/ScreenCapture.h"

namespace zelvora {

namespace {

TPointF CentreOf(TPoint pixel)
{
    return {pixel.X + 0.5f, pixel.Y + 0.5f};
}

}  // namespace

void TPresenterPointer::Tick(const TPresenterTick& tick)
{
    FollowSpotlight(tick);
    if (tick.PaintHeld) {
        if (laser_.Shown()) ClearPointer();
        if (alpha_ || !tick.MarksOnScreen) FollowRing(tick);
        return;
    }
    if (ringShown_) ClearPointer();
    FollowLaser(tick);
}

void TPresenterPointer::FollowLaser(const TPresenterTick& tick)
{
    if (tick.LaserHeld) {
        if (!laser_.Held()) {
            ClearPointer();  // a trail still fading gives way to the new one
            laserWidth_ = kLaserWidth * tick.Dpi / 96;
            pointerPanes_.SetOpacity(255);
        }
        LayLaserPoints(laser_.Follow(tick.Pointer));
        return;
    }
    if (laser_.Held()) {
        LayLaserPoints(laser_.Release(tick.Now));
        fadeStepAt_ = tick.Now;
    }
    if (!laser_.Shown()) return;
    const auto opacity = laser_.Opacity(tick.Now, fadeMs_);
    if (!opacity) {
        ClearPointer();
        return;
    }
    // 33 steps a second: smooth to the eye, a third of the ticks' work.
    if (tick.Now - fadeStepAt_ < kFadeStepMs) return;
    fadeStepAt_ = tick.Now;
    pointerPanes_.SetOpacity(*opacity);
}

void TPresenterPointer::LayLaserPoints(std::span<const TPointF> points)
{
    if (points.empty()) return;
    pointerPanes_.Paint(LaserBounds(points, laserWidth_), [&](const TPixelRows& picture, const TRect&) {
        LayLaser(picture, points, laserWidth_);
    });
}

void TPresenterPointer::FollowRing(const TPresenterTick& tick)
{
    const double scale = tick.Dpi / 96.0;
    const TRing ring{CentreOf(tick.Pointer), std::max<double>(tick.PenWidth, kMinRingWidth * scale),
                     tick.PenColor};
    if (ringShown_ == ring) return;
    if (ringShown_) Uncover(ringWindow_.Area());
    const double thickness = std::max(1.0, std::round(2 * scale));
    ringWindow_.Paint(RingBounds(ring.Centre, ring.Diameter), [&](const TPixelRows& picture, const TRect&) {
        PaintRing(picture, ring.Centre, ring.Diameter, thickness, ring.Color);
    });
    ringShown_ = ring;
}

void TPresenterPointer::ClearPointer()
{
    // A window going uncovers all it spanned, not only what it showed.
    Uncover(Union(pointerPanes_.Area(), ringWindow_.Area()));
    pointerPanes_.Close();
    ringWindow_.Close();
    laser_.Clear();
    ringShown_.reset();
}

void TPresenterPointer::ToggleSpotlight()
{
    spotlight_ = !spotlight_;
    keys_.Follow(spotlight_);
    if (spotlight_) return;
    Uncover(spotlightPanes_.Area());
    spotlightPanes_.Close();
    hole_.reset();
}

void TPresenterPointer::SetSpotlightDim(int percent)
{
    dim_ = percent;
    if (hole_) spotlightPanes_.SetOpacity(DimOpacity());
}

void TPresenterPointer::FollowSpotlight(const TPresenterTick& tick)
{
    if (!spotlight_) return;
    if (keys_.TakeEscape()) {
        ToggleSpotlight();
        return;
    }
    keys_.TakeWheel(tick.FreeHand);
    if (const int steps = keys_.TakeWheelSteps())
        radius_ = std::clamp(radius_ * std::pow(1.1, steps), kMinSpotlightRadius, kMaxSpotlightRadius);
    const TSpotlightHole hole = HoleAt(tick);
    if (!hole_) {
        hole_ = hole;
        spotlightPanes_.SetOpacity(DimOpacity());
        PaintDim(VirtualScreen());
        // The pen's ring and the laser stay above the dim.
        RaisePointer();
        return;
    }
    if (hole == *hole_) return;
    const TRect before = hole_->Bounds();
    hole_ = hole;
    // Two areas, not one around both: the pointer may jump across the screen.
    PaintDim(before);
    PaintDim(hole.Bounds());
}

TSpotlightHole TPresenterPointer::HoleAt(const TPresenterTick& tick) const
{
    TSpotlightHole hole;
    if (tick.FreeHand) {
        hole.Centre = CentreOf(tick.Pointer);
        hole.Radius = radius_ * tick.Dpi / 96;
        return hole;
    }
    // The control a frame would go round; with Shift, its window.
    hole.Circle = false;
    HWND control = WindowFromPoint(POINT{tick.Pointer.X, tick.Pointer.Y});
    if (control && tick.Shift) control = GetAncestor(control, GA_ROOT);
    RECT r{};
    if (control && GetWindowRect(control, &r)) hole.Box = {r.left, r.top, r.right, r.bottom};
    return hole;
}

void TPresenterPointer::Uncover(const TRect& area)
{
    if (!alpha_) uncovered_ = Union(uncovered_, area);
}

void TPresenterPointer::PaintDim(const TRect& area)
{
    Uncover(area);  // the hole and the marks' cut-outs
    spotlightPanes_.Paint(area, [&](const TPixelRows& picture, const TRect& inside) {
        const TCoverage lit = MarksOver(inside);
        PaintSpotlight(picture, inside, *hole_, lit.Empty() ? nullptr : &lit);
    });
}

TCoverage TPresenterPointer::MarksOver(const TRect& area) const
{
    TCoverage lit;
    for (const TMark& mark : marks_.Marks()) {
        // A board is what the spotlight dims, like the screen it covers.
        if (mark.IsBoard() || IsEmpty(Intersection(mark.Bounds, area))) continue;
        for (const TMarkPiece& piece : mark.Pieces) {
            const TRect inside = Intersection(PieceBounds(piece), area);
            if (IsEmpty(inside)) continue;
            if (lit.Area() != area) lit = TCoverage(area);
            const TCoverage covered = PieceCoverage(piece, inside);
            const TRect touched = covered.Touched();
            for (int y = touched.Top; y < touched.Bottom; ++y)
                for (int x = touched.Left; x < touched.Right; ++x)
                    if (const std::uint8_t share = covered.At(x, y)) lit.Cover(x, y, share);
        }
    }
    return lit;
}

void TPresenterPointer::MarksChanged(const TRect& area)
{
    if (hole_ && !IsEmpty(area)) PaintDim(area);
}

void TPresenterPointer::DisplayChanged()
{
    ClearPointer();
    spotlightPanes_.FitScreens();
    if (hole_) PaintDim(VirtualScreen());
}

void TPresenterPointer::Hide(bool hidden)
{
    spotlightPanes_.Hide(hidden);
    pointerPanes_.Hide(hidden);
    ringWindow_.Hide(hidden);
}

}  // namespace zelvora
