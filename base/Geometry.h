// Rectangles in screen or client pixels, shared by the drawing code and the pure layout code.
#pragma once

namespace zelvora {

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr bool operator==(const TRect&) const = default;
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
};

struct TPoint {
    int X = 0, Y = 0;
    constexpr bool operator==(const TPoint&) const = default;
};

}  // namespace zelvora
