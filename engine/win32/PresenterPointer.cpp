#include "engine/win32/PresenterPointer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "base/DpiScaling.h"

#include "engine/win32/PieceDrawing.h"
#include "engine/win32/Regions.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/ScreenDpi.h"

namespace zelvora {

namespace {

TPointF CentreOf(TPoint pixel)
{
    return {pixel.X + 0.5f, pixel.Y + 0.5f};
}

}  // namespace

void TPresenterPointer::Follow(const TPresenterInput& input)
{
    if (!input.LaserHeld && !input.PaintHeld && !Active()) return;
    TPresenterTick tick;
    // A fade of half a second wants the millisecond: the tick count moves in steps of 16 ms on
    // Windows, and late ones under Wine.
    tick.Now = static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                      std::chrono::steady_clock::now().time_since_epoch())
                                      .count());
    tick.Pointer = input.Pointer;
    tick.LaserHeld = input.LaserHeld;
    tick.PaintHeld = input.PaintHeld;
    tick.Dpi = DpiAtPoint(POINT{input.Pointer.X, input.Pointer.Y});
    tick.PenWidth = MarkerWidthAtDpi(input.MarkerSize, tick.Dpi);
    tick.PenColor = input.PenColor;
    tick.FreeHand = input.FreeHand;
    tick.Shift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
    tick.MarksOnScreen = input.MarksOnScreen;
    Tick(tick);
}

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
            laserWindow_.SetOpacity(255);
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
    laserWindow_.SetOpacity(*opacity);
}

void TPresenterPointer::LayLaserPoints(std::span<const TPointF> points)
{
    if (points.empty()) return;
    laserWindow_.PaintMore(LaserBounds(points, laserWidth_), [&](const TPixelRows& picture, const TRect&) {
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
    Uncover(Union(laserWindow_.Area(), ringWindow_.Area()));
    laserWindow_.Close();
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
    lit_ = {};
    litRegion_.reset();
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
        UpdateLit(VirtualScreen());
        PaintDim(VirtualScreen());
        // The pen's ring and the laser stay above the dim.
        RaisePointer();
        return;
    }
    if (hole == *hole_) return;
    MoveDim(*std::exchange(hole_, hole));
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
    if (!alpha_) {
        ShapeDim();
        return;
    }
    spotlightPanes_.Paint(area, [&](const TPixelRows& picture, const TRect& inside) {
        painter_.Paint(picture, inside, *hole_, Lit());
    });
}

void TPresenterPointer::MoveDim(const TSpotlightHole& before)
{
    if (!alpha_) {
        Uncover(hole_->Bounds());
        ShapeDim();
        return;
    }
    const std::vector<TRowSpan> changed = painter_.Changed(before, *hole_);
    const auto paint = [&](const TRect& area) {
        spotlightPanes_.Paint(area, [&](const TPixelRows& picture, const TRect& inside) {
            painter_.PaintSpans(picture, inside, changed, *hole_, Lit());
        });
    };
    // Two areas, not one around both, when the pointer jumped across the screen. (One update
    // each: a window's update has a cost of its own beside its pixels.)
    const TRect from = before.Bounds(), to = hole_->Bounds();
    if (IsEmpty(Intersection(from, to))) {
        paint(from);
        paint(to);
    } else {
        paint(Union(from, to));
    }
}

void TPresenterPointer::ShapeDim()
{
    const TRect screen = VirtualScreen();
    const UniqueRegion shown(CreateRectRgn(screen.Left, screen.Top, screen.Right, screen.Bottom));
    if (!shown) return;
    // A pixel of the keyed picture was the screen where the dim was less than half dark: the
    // hole reaches half way into its feathered edge.
    const TSpotlightHole& hole = *hole_;
    const double reach = kSpotlightFeather / 2.0;
    UniqueRegion lit;
    if (hole.Circle) {
        const double r = hole.Radius + reach;
        lit.reset(CreateEllipticRgn(static_cast<int>(std::lround(hole.Centre.X - r)),
                                    static_cast<int>(std::lround(hole.Centre.Y - r)),
                                    static_cast<int>(std::lround(hole.Centre.X + r)) + 1,
                                    static_cast<int>(std::lround(hole.Centre.Y + r)) + 1));
    } else {
        const int edge = static_cast<int>(std::lround(reach));
        lit.reset(CreateRectRgn(hole.Box.Left - edge, hole.Box.Top - edge, hole.Box.Right + edge,
                                hole.Box.Bottom + edge));
    }
    if (lit) CombineRgn(shown.get(), shown.get(), lit.get(), RGN_DIFF);
    if (litRegion_) CombineRgn(shown.get(), shown.get(), litRegion_.get(), RGN_DIFF);
    spotlightPanes_.ShowOnly(shown.get());
}

void TPresenterPointer::UpdateLit(const TRect& changed)
{
    const TRect screen = VirtualScreen();
    const TRect area = Intersection(changed, screen);
    if (IsEmpty(area)) return;
    bool any = false;
    for (const TMark& mark : marks_.Marks())
        any = any || (!mark.IsBoard() && !IsEmpty(Intersection(mark.Bounds, area)));
    if (lit_.Area() != screen) {
        if (!any) return;  // nothing lit yet: no mask
        lit_ = TCoverage(screen);
        UpdateLit(screen);
        return;
    }
    for (int y = area.Top; y < area.Bottom; ++y)
        std::fill_n(lit_.Row(y) + (area.Left - screen.Left), area.Width(), std::uint8_t{0});
    for (const TMark& mark : marks_.Marks()) {
        // A board is what the spotlight dims, like the screen it covers.
        if (mark.IsBoard() || IsEmpty(Intersection(mark.Bounds, area))) continue;
        for (const TMarkPiece& piece : mark.Pieces) {
            const TRect inside = Intersection(PieceBounds(piece), area);
            if (IsEmpty(inside)) continue;
            const TCoverage covered = PieceCoverage(piece, inside);
            const TRect touched = covered.Touched();
            for (int y = touched.Top; y < touched.Bottom; ++y) {
                const auto [first, last] = covered.RowSpan(y);
                for (int x = first; x < last; ++x)
                    if (const std::uint8_t share = covered.At(x, y)) lit_.Cover(x, y, share);
            }
        }
    }
    if (alpha_) return;
    // Where at least half a pixel is covered, as the keyed picture showed the marks.
    std::vector<TRect> runs;
    for (int y = area.Top; y < area.Bottom; ++y) {
        const std::uint8_t* row = lit_.Row(y);  // from the screen's left edge
        for (int x = area.Left; x < area.Right;) {
            if (row[x - screen.Left] < 128) {
                ++x;
                continue;
            }
            const int first = x;
            while (x < area.Right && row[x - screen.Left] >= 128) ++x;
            runs.push_back({first, y, x, y + 1});
        }
    }
    const UniqueRegion cut(CreateRectRgn(area.Left, area.Top, area.Right, area.Bottom));
    if (!litRegion_) litRegion_.reset(CreateRectRgn(0, 0, 0, 0));
    if (!cut || !litRegion_) return;
    CombineRgn(litRegion_.get(), litRegion_.get(), cut.get(), RGN_DIFF);
    const UniqueRegion marked = RegionOfRects(runs);
    if (marked) CombineRgn(litRegion_.get(), litRegion_.get(), marked.get(), RGN_OR);
}

void TPresenterPointer::MarksChanged(const TRect& area)
{
    if (!hole_ || IsEmpty(area)) return;
    UpdateLit(area);
    PaintDim(area);
}

void TPresenterPointer::DisplayChanged()
{
    ClearPointer();
    spotlightPanes_.FitScreens();
    if (!hole_) return;
    lit_ = {};
    litRegion_.reset();
    UpdateLit(VirtualScreen());
    PaintDim(VirtualScreen());
}

void TPresenterPointer::Hide(bool hidden)
{
    spotlightPanes_.Hide(hidden);
    laserWindow_.Hide(hidden);
    ringWindow_.Hide(hidden);
}

}  // namespace zelvora
