// The curve through a quick hand's positions: round where the hand went round, through every
// position, close to a sharp corner.
#include "engine/StrokeCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zelvora {
namespace {

std::vector<TPointF> Drawn(const std::vector<TPoint>& samples)
{
    TStrokeCurve curve;
    curve.Start(samples.front());
    std::vector<TPointF> line{{static_cast<float>(samples.front().X), static_cast<float>(samples.front().Y)}};
    const auto append = [&](const std::vector<TPointF>& piece) {
        if (piece.empty()) return;
        EXPECT_EQ(piece.front(), line.back()) << "each piece goes on from the last";
        line.insert(line.end(), piece.begin() + 1, piece.end());
    };
    for (std::size_t i = 1; i < samples.size(); ++i) append(curve.Add(samples[i]));
    append(curve.Finish());
    return line;
}

double TurnDegrees(TPointF a, TPointF b, TPointF c)
{
    const double x0 = b.X - a.X, y0 = b.Y - a.Y, x1 = c.X - b.X, y1 = c.Y - b.Y;
    return std::abs(std::atan2(x0 * y1 - y0 * x1, x0 * x1 + y0 * y1)) * 180 / std::numbers::pi;
}

TEST(StrokeCurve, AQuickCircleIsRoundAndPassesThroughEverySample)
{
    // Radius 120, once round in 20 positions (whole pixels) about 38 px apart: a polyline
    // through them turns 18 degrees at each.
    std::vector<TPoint> samples;
    for (int i = 0; i <= 20; ++i) {
        const double angle = 2 * std::numbers::pi * i / 20;
        samples.push_back({static_cast<int>(std::lround(400 + 120 * std::cos(angle))),
                           static_cast<int>(std::lround(300 + 120 * std::sin(angle)))});
    }
    const std::vector<TPointF> line = Drawn(samples);
    for (const TPoint s : samples) {
        const bool passes = std::any_of(line.begin(), line.end(), [&](TPointF p) {
            return p.X == static_cast<float>(s.X) && p.Y == static_cast<float>(s.Y);
        });
        EXPECT_TRUE(passes) << s.X << "," << s.Y;
    }
    double farthest = 0, sharpest = 0, longest = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        farthest = std::max(farthest, std::abs(std::hypot(line[i].X - 400.0, line[i].Y - 300.0) - 120));
        if (i > 0)
            longest =
                std::max(longest, std::hypot(line[i].X - line[i - 1].X, line[i].Y - 1.0 * line[i - 1].Y));
        if (i > 1) sharpest = std::max(sharpest, TurnDegrees(line[i - 2], line[i - 1], line[i]));
    }
    EXPECT_LE(farthest, 1.0);
    EXPECT_LE(sharpest, 4.0);
    EXPECT_LE(longest, TStrokeCurve::kStep);
}

TEST(StrokeCurve, ARightAngleIsKeptWithoutOvershootAndAPairOfPositionsIsAStraightLine)
{
    // Down the left arm to the corner at (100, 100), then right: positions 30 px apart.
    std::vector<TPoint> samples;
    for (int y = 10; y <= 100; y += 30) samples.push_back({100, y});
    for (int x = 130; x <= 220; x += 30) samples.push_back({x, 100});
    const std::vector<TPointF> line = Drawn(samples);
    double overshoot = 0;
    for (const TPointF p : line) overshoot = std::max({overshoot, p.Y - 100.0, 100.0 - p.X});
    EXPECT_LE(overshoot, 1.0) << "past the corner's arms";

    const std::vector<TPointF> straight = Drawn({{0, 0}, {40, 30}});
    for (const TPointF p : straight) EXPECT_NEAR(p.X * 30 - p.Y * 40, 0, 1e-3);
    EXPECT_EQ(straight.back(), (TPointF{40, 30}));
}

}  // namespace
}  // namespace zelvora
