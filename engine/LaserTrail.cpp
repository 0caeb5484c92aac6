#include "engine/LaserTrail.h"

#include <cmath>

#include "engine/PointerPictures.h"

namespace zelvora {

std::vector<TPointF> TLaserTrail::Follow(TPoint at)
{
    std::vector<TPointF> laid;
    if (!held_) {
        Clear();
        held_ = true;
        curve_.Start(at);
    } else if (at == last_) {
        return {};  // at rest: all of it is laid
    } else {
        laid = curve_.Add(at);
    }
    last_ = at;
    // The dot at the pointer now; the curve reaches it with the next position.
    laid.push_back({static_cast<float>(at.X), static_cast<float>(at.Y)});
    path_.insert(path_.end(), laid.begin(), laid.end());
    return laid;
}

std::vector<TPointF> TLaserTrail::Release(std::uint32_t now)
{
    if (!held_) return {};
    held_ = false;
    releasedAt_ = now;
    std::vector<TPointF> rest = curve_.Finish();
    path_.insert(path_.end(), rest.begin(), rest.end());
    return rest;
}

std::optional<std::uint8_t> TLaserTrail::Opacity(std::uint32_t now, int fadeMs) const
{
    if (path_.empty()) return std::nullopt;
    if (held_) return 255;
    const std::uint32_t since = now - releasedAt_;  // unsigned: right across the tick count's wrap
    if (fadeMs <= 0 || since >= static_cast<std::uint32_t>(fadeMs)) return std::nullopt;
    const double left = 1.0 - static_cast<double>(since) / fadeMs;
    return static_cast<std::uint8_t>(std::lround(left * 255));
}

TRect TLaserTrail::Bounds(double width) const
{
    return LaserBounds(path_, width);
}

void TLaserTrail::Clear()
{
    curve_.Drop();
    path_.clear();
    held_ = false;
}

}  // namespace zelvora
