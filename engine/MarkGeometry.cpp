#include "engine/MarkGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace zelvora {

namespace {

// Grow without signed overflow: a window far outside the screen must not wrap around into it.
int Shift(int value, int delta)
{
    const long long shifted = static_cast<long long>(value) + delta;
    if (shifted > INT_MAX) return INT_MAX;
    if (shifted < INT_MIN) return INT_MIN;
    return static_cast<int>(shifted);
}

}  // namespace

TControlFrame ControlFrameFor(TRect controlRect, int markerSize, bool filled)
{
    if (filled) return {controlRect, 0, TBrushStyle::bsSolid};
    const TRect grown{Shift(controlRect.Left, -markerSize), Shift(controlRect.Top, -markerSize),
                      Shift(controlRect.Right, markerSize), Shift(controlRect.Bottom, markerSize)};
    return {grown, markerSize, TBrushStyle::bsClear};
}

TRect ShapeBox(TPoint a, TPoint b)
{
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), Shift(std::max(a.X, b.X), 1),
            Shift(std::max(a.Y, b.Y), 1)};
}

std::pair<TPoint, TPoint> ArrowBarbs(TPoint head, TPoint tail, int penWidth)
{
    const double dx = static_cast<double>(tail.X) - head.X, dy = static_cast<double>(tail.Y) - head.Y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return {head, head};
    const double barb = std::max(12.0, 4.0 * penWidth);
    const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
    const double ux = dx / length, uy = dy / length;
    const auto end = [&](double sx, double sy) {
        return TPoint{static_cast<int>(std::lround(head.X + barb * sx)),
                      static_cast<int>(std::lround(head.Y + barb * sy))};
    };
    return {end(ux * c - uy * s, ux * s + uy * c), end(ux * c + uy * s, -ux * s + uy * c)};
}

}  // namespace zelvora
