// The flat look's two colour rules, worked out here rather than taken from the painter, so that
// tests compare the painter's pixels with an independent reckoning: lighter by p % moves each
// channel that share of the way to white, rounded to nearest with ties to even; darker by n takes
// n from red and blue and n - 2 from green.
#pragma once

#include <algorithm>
#include <cmath>

#include "toolkit/Colors.h"

namespace zelvora::testing {

inline TColor Lighter(TColor colour, int percent)
{
    const auto channel = [percent](int c) {
        return c + static_cast<int>(std::nearbyint((255 - c) * percent / 100.0));
    };
    return static_cast<TColor>(channel(colour & 0xFF) | channel((colour >> 8) & 0xFF) << 8 |
                               channel((colour >> 16) & 0xFF) << 16);
}

inline TColor Darker(TColor colour, int amount)
{
    const auto channel = [](int c) { return std::clamp(c, 0, 255); };
    return static_cast<TColor>(channel(static_cast<int>(colour & 0xFF) - amount) |
                               channel(static_cast<int>((colour >> 8) & 0xFF) - amount + 2) << 8 |
                               channel(static_cast<int>((colour >> 16) & 0xFF) - amount) << 16);
}

}  // namespace zelvora::testing
