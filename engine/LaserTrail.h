// The laser pointer's trail: a smooth curve through every position the pointer took while its
// shortcut was held, whole until release, then fading out with dot and all. Never a mark. The
// clock is the caller's (milliseconds, wrapping as the system's tick count does).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/Geometry.h"
#include "engine/StrokeCurve.h"

namespace zelvora {

class TLaserTrail {
public:
    bool Shown() const { return !path_.empty(); }
    bool Held() const { return held_; }
    // The pointer while the shortcut is held: what the trail gains, the dot at `at` last.
    std::vector<TPointF> Follow(TPoint at);
    // The shortcut went up: the rest of the curve, to the last position; the fade begins.
    std::vector<TPointF> Release(std::uint32_t now);
    // How opaque the trail is: whole while held, then less in equal steps until `fadeMs` after
    // release; none once gone (at once when `fadeMs` is 0).
    std::optional<std::uint8_t> Opacity(std::uint32_t now, int fadeMs) const;
    // Around everything laid, for a trail `width` across.
    TRect Bounds(double width) const;
    void Clear();

private:
    TStrokeCurve curve_;
    std::vector<TPointF> path_;
    TPoint last_;
    bool held_ = false;
    std::uint32_t releasedAt_ = 0;
};

}  // namespace zelvora
