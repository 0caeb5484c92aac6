// Rectangles in screen or client pixels, shared by the drawing code and the pure layout code.
#pragma once

namespace zelvora {

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr bool operator==(const TRect&) const = default;
};

}  // namespace zelvora
