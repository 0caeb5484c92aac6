// Where and how the marks go: pure arithmetic, so it is tested without a screen.
#pragma once

#include <utility>

#include "base/Geometry.h"
#include "toolkit/Graphics.h"

namespace zelvora {

// Raster mixes of the marker pen: mask keeps only what both screen and pen have (a highlighter).
inline constexpr int kPenModeMask = 9;   // R2_MASKPEN
inline constexpr int kPenModeCopy = 13;  // R2_COPYPEN

inline constexpr int PenModeFor(bool transparent)
{
    return transparent ? kPenModeMask : kPenModeCopy;
}

struct TControlFrame {
    TRect Bounds;
    int PenWidth = 0;
    TBrushStyle Brush = TBrushStyle::bsClear;
    constexpr bool operator==(const TControlFrame&) const = default;
};

// Filled: the control's own rectangle as a solid box drawn with a 1-pixel pen.
// Hollow: a frame of the marker's width around the rectangle grown by that width on every side.
TControlFrame ControlFrameFor(TRect controlRect, int markerSize, bool filled);

// The box a shape is pulled out between two points, both inside it.
TRect ShapeBox(TPoint a, TPoint b);

// The far ends of an arrow's two barbs: at the head, 30 degrees either side of the shaft, each
// four pen widths long and at least 12 pixels. Both are the head for an arrow without a shaft.
std::pair<TPoint, TPoint> ArrowBarbs(TPoint head, TPoint tail, int penWidth);

}  // namespace zelvora
