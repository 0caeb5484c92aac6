#include "engine/StrokeCurve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zelvora {

namespace {

TPointF ToF(TPoint p)
{
    return {static_cast<float>(p.X), static_cast<float>(p.Y)};
}

// The point past `to` on the line from `from`: an end that bends neither way.
TPointF Mirrored(TPointF from, TPointF to)
{
    return {2 * to.X - from.X, 2 * to.Y - from.Y};
}

// The point before `a` on the parabola through a, b and c: an end that bends as the stroke does.
TPointF Extrapolated(TPointF a, TPointF b, TPointF c)
{
    return {3 * a.X - 3 * b.X + c.X, 3 * a.Y - 3 * b.Y + c.Y};
}

double Distance(TPointF a, TPointF b)
{
    return std::hypot(static_cast<double>(b.X) - a.X, static_cast<double>(b.Y) - a.Y);
}

// How far the way from a through b to c turns at b, in degrees.
double TurnDegrees(TPointF a, TPointF b, TPointF c)
{
    const double x0 = static_cast<double>(b.X) - a.X, y0 = static_cast<double>(b.Y) - a.Y;
    const double x1 = static_cast<double>(c.X) - b.X, y1 = static_cast<double>(c.Y) - b.Y;
    return std::abs(std::atan2(x0 * y1 - y0 * x1, x0 * x1 + y0 * y1)) * 180 / std::numbers::pi;
}

}  // namespace

void TStrokeCurve::Start(TPoint at)
{
    before_.reset();
    from_ = ToF(at);
    to_.reset();
}

std::vector<TPointF> TStrokeCurve::Add(TPoint at)
{
    const TPointF next = ToF(at);
    if (!from_) {
        from_ = next;
        return {};
    }
    if (!to_) {
        to_ = next;
        return {};
    }
    const bool corner = TurnDegrees(*from_, *to_, next) > kCornerDegrees;
    std::vector<TPointF> piece = Piece(before_.value_or(Extrapolated(*from_, *to_, next)), *from_, *to_,
                                       corner ? Mirrored(*from_, *to_) : next);
    before_ = corner ? Mirrored(next, *to_) : *from_;
    from_ = to_, to_ = next;
    return piece;
}

std::vector<TPointF> TStrokeCurve::Finish()
{
    std::vector<TPointF> piece;
    if (from_ && to_)
        piece = before_ ? Piece(*before_, *from_, *to_, Extrapolated(*to_, *from_, *before_))
                        : Piece(Mirrored(*to_, *from_), *from_, *to_, Mirrored(*from_, *to_));
    Drop();
    return piece;
}

void TStrokeCurve::Drop()
{
    before_.reset(), from_.reset(), to_.reset();
}

std::vector<TPointF> TStrokeCurve::Piece(TPointF p0, TPointF p1, TPointF p2, TPointF p3)
{
    // Centripetal knots: each step of the parameter as long as the square root of the chord.
    const auto knot = [](TPointF a, TPointF b) { return std::max(std::sqrt(Distance(a, b)), 1e-3); };
    const double t0 = 0, t1 = t0 + knot(p0, p1), t2 = t1 + knot(p1, p2), t3 = t2 + knot(p2, p3);
    // Enough segments that none is longer than a step and none turns much from the one before.
    const double dx0 = static_cast<double>(p2.X) - p0.X, dy0 = static_cast<double>(p2.Y) - p0.Y;
    const double dx1 = static_cast<double>(p3.X) - p1.X, dy1 = static_cast<double>(p3.Y) - p1.Y;
    const double turn = TurnDegrees({0, 0}, {static_cast<float>(dx0), static_cast<float>(dy0)},
                                    {static_cast<float>(dx0 + dx1), static_cast<float>(dy0 + dy1)});
    const int steps =
        std::clamp(static_cast<int>(std::ceil(std::max(Distance(p1, p2) / kStep, turn / 2))), 1, 256);
    std::vector<TPointF> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    points.push_back(p1);
    const auto lerp = [](TPointF a, TPointF b, double ta, double tb, double t) {
        const double wa = (tb - t) / (tb - ta), wb = (t - ta) / (tb - ta);
        return std::pair{a.X * wa + b.X * wb, a.Y * wa + b.Y * wb};
    };
    for (int i = 1; i < steps; ++i) {
        const double t = t1 + (t2 - t1) * i / steps;
        // Barry and Goldman's pyramid.
        const auto a1 = lerp(p0, p1, t0, t1, t), a2 = lerp(p1, p2, t1, t2, t), a3 = lerp(p2, p3, t2, t3, t);
        const auto mix = [&](std::pair<double, double> a, std::pair<double, double> b, double ta, double tb) {
            const double wa = (tb - t) / (tb - ta), wb = (t - ta) / (tb - ta);
            return std::pair{a.first * wa + b.first * wb, a.second * wa + b.second * wb};
        };
        const auto b1 = mix(a1, a2, t0, t2), b2 = mix(a2, a3, t1, t3);
        const auto c = mix(b1, b2, t1, t2);
        points.push_back({static_cast<float>(c.first), static_cast<float>(c.second)});
    }
    points.push_back(p2);
    return points;
}

}  // namespace zelvora
