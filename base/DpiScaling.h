// Lengths described at 96 dpi, scaled to the dots per inch of a screen; and points packed into
// message parameters, which are signed: screens left of or above the main one lie at negative
// coordinates.
#pragma once

#include "base/Geometry.h"

namespace zelvora {

inline constexpr int kDesignDpi = 96;

// a * b / c rounded half away from zero, as the window system's MulDiv does; c must not be 0.
int MulDivRounded(int a, int b, int c);

// A length of a 96-dpi description at `dpi`; a missing dpi (0 or less) counts as 96.
int ScaleToDpi(int value, int dpi);
// A length shown at `fromDpi`, as it is at `toDpi` (a window moved to another screen). It goes
// through its 96-dpi length, so a window moved back and forth between screens keeps its pixels.
int ScaleBetweenDpi(int value, int toDpi, int fromDpi);
// Place and size are scaled apart: equal sizes stay equal and controls keep their order.
TRect ScaleRectToDpi(const TRect& rect, int dpi);
TRect ScaleRectBetweenDpi(const TRect& rect, int toDpi, int fromDpi);
// A font height (negative: the characters' height) at `dpi`; a font never shrinks to height 0.
int ScaleFontHeight(int height, int dpi);
int ScaleFontHeightBetweenDpi(int height, int toDpi, int fromDpi);
// The width of a drawn line: a hairline stays one pixel (as the system draws its borders, and
// so that lines drawn side by side do not cover each other), wider lines scale.
int ScaleLineWidth(int width, int toDpi, int fromDpi);
// The pen's width in screen pixels for a size chosen in 96-dpi pixels, at least one pixel.
int MarkerWidthAtDpi(int size, int dpi);

// The point in the low 32 bits of a message parameter, each half a signed 16-bit value.
TPoint PointFromPacked(unsigned long long packed);

}  // namespace zelvora
