// Where and how the marks go: pure arithmetic, so it is tested without a screen.
#pragma once

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

}  // namespace zelvora
