#include "engine/MarkGeometry.h"

#include <climits>

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

}  // namespace zelvora
