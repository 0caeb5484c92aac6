#include "engine/PointerTrail.h"

#include <cmath>
#include <utility>

namespace zelvora {

void TPointerTrail::PenDown(std::uint32_t time)
{
    down_ = true;
    downAt_ = time;
    positions_.clear();
    last_.reset();
}

void TPointerTrail::Note(TPoint position, std::uint32_t time)
{
    // Compared as a signed difference: the clock wraps after 49.7 days.
    if (!down_ || static_cast<std::int32_t>(time - downAt_) < 0) return;
    const bool repeated = positions_.empty() ? last_ == position : position == positions_.back();
    if (repeated) return;
    if (positions_.size() == kMaxPositions) positions_.erase(positions_.begin());
    positions_.push_back(position);
}

TPointerTrail::TNoted TPointerTrail::TakeNoted(TPoint polled)
{
    // The newest noted position is the pointer's latest; the polled one may be older still.
    if (positions_.empty()) positions_.push_back(polled);
    TNoted noted{last_, std::exchange(positions_, {})};
    last_ = noted.Points.back();  // the simplification keeps both ends
    return noted;
}

std::vector<TPoint> TPointerTrail::Simplified(TNoted noted)
{
    std::vector<TPoint> points = std::move(noted.Points);
    if (noted.From) points.insert(points.begin(), *noted.From);
    points = WithoutStraightRuns(std::move(points));
    if (noted.From) points.erase(points.begin());
    return points;
}

std::vector<TPoint> TPointerTrail::WithoutStraightRuns(std::vector<TPoint> points)
{
    if (points.size() < 3) return points;
    // Douglas and Peucker: the farthest point from the chord of a run stays and splits it.
    std::vector<bool> kept(points.size(), false);
    kept.front() = kept.back() = true;
    std::vector<std::pair<std::size_t, std::size_t>> runs{{0, points.size() - 1}};
    while (!runs.empty()) {
        const auto [first, last] = runs.back();
        runs.pop_back();
        const double ax = points[first].X, ay = points[first].Y;
        const double dx = points[last].X - ax, dy = points[last].Y - ay;
        const double length = std::hypot(dx, dy);
        double farthest = 0;
        std::size_t at = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double px = points[i].X - ax, py = points[i].Y - ay;
            // From the chord as a segment: a run out and back along one line keeps its far end.
            const double along = length > 0 ? (px * dx + py * dy) / (length * length) : 0;
            const double distance = along <= 0   ? std::hypot(px, py)
                                    : along >= 1 ? std::hypot(px - dx, py - dy)
                                                 : std::abs(px * dy - py * dx) / length;
            if (distance > farthest) farthest = distance, at = i;
        }
        if (farthest <= kTolerance) continue;
        kept[at] = true;
        if (at - first > 1) runs.emplace_back(first, at);
        if (last - at > 1) runs.emplace_back(at, last);
    }
    std::vector<TPoint> result;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (kept[i]) result.push_back(points[i]);
    return result;
}

void TPointerTrail::PenUp()
{
    down_ = false;
    positions_.clear();
    last_.reset();
}

}  // namespace zelvora
