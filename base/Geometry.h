// Rectangles in screen or client pixels, shared by the drawing code and the pure layout code.
#pragma once

#include <algorithm>

namespace zelvora {

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr bool operator==(const TRect&) const = default;
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
};

constexpr bool IsEmpty(const TRect& r)
{
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

// Empty when they do not overlap.
constexpr TRect Intersection(const TRect& a, const TRect& b)
{
    const TRect common{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                       std::min(a.Bottom, b.Bottom)};
    return IsEmpty(common) ? TRect{} : common;
}

// The smallest rectangle around both; an empty one adds nothing.
constexpr TRect Union(const TRect& a, const TRect& b)
{
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

struct TPoint {
    int X = 0, Y = 0;
    constexpr bool operator==(const TPoint&) const = default;
};

// A point between pixels, on the same grid: a curve through the pointer's positions.
struct TPointF {
    float X = 0, Y = 0;
    constexpr bool operator==(const TPointF&) const = default;
};

}  // namespace zelvora
