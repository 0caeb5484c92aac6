// Coverage against areas measured by sampling each pixel on a fine grid, and one mark's ink laid
// piece by piece into the three kinds of pixels.
#include "engine/InkCoverage.h"
#include "engine/MarkInk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace zelvora {
namespace {

// The share of each pixel inside the shape, from 16 x 16 samples.
double SampledShare(int x, int y, const std::function<bool(double, double)>& inside)
{
    constexpr int kSamples = 16;
    int in = 0;
    for (int i = 0; i < kSamples; ++i)
        for (int j = 0; j < kSamples; ++j) in += inside(x + (i + 0.5) / kSamples, y + (j + 0.5) / kSamples);
    return static_cast<double>(in) / (kSamples * kSamples);
}

struct TComparison {
    double Worst = 0, Area = 0, SampledArea = 0;
};

TComparison Compare(const TCoverage& coverage, const std::function<bool(double, double)>& inside)
{
    TComparison c;
    const TRect& area = coverage.Area();
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            const double share = SampledShare(x, y, inside), got = coverage.At(x, y) / 255.0;
            c.Worst = std::max(c.Worst, std::abs(share - got));
            c.Area += got;
            c.SampledArea += share;
        }
    return c;
}

double DistanceToSegment(double px, double py, TPointF a, TPointF b)
{
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double t = std::clamp(((px - a.X) * dx + (py - a.Y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - a.X - t * dx, py - a.Y - t * dy);
}

TEST(InkCoverage, ALineACircleAndAnEllipseCoverWhatTheirShapesCover)
{
    // A 5 px line at 30 degrees with round ends.
    const TPointF a{10.3f, 10.7f}, b{70.9f, 45.7f};
    TCoverage line({0, 0, 90, 60});
    CoverLine(line, a, b, 5);
    const TComparison l =
        Compare(line, [&](double x, double y) { return DistanceToSegment(x, y, a, b) <= 2.5; });
    EXPECT_LT(l.Worst, 0.06);
    EXPECT_NEAR(l.Area, l.SampledArea, l.SampledArea * 0.005);
    int partly = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 90; ++x) partly += line.At(x, y) > 0 && line.At(x, y) < 255;
    EXPECT_GT(partly, 100) << "an edge at 30 degrees crosses pixels";

    // A filled circle of radius 120 (the box's outer pixels and a 1 px pen).
    TCoverage circle({-2, -2, 244, 244});
    CoverEllipse(circle, {0, 0, 241, 241}, 1, true);
    const TComparison c =
        Compare(circle, [](double x, double y) { return std::hypot(x - 120.5, y - 120.5) <= 120.5; });
    EXPECT_LT(c.Worst, 0.06);
    EXPECT_NEAR(c.Area, std::numbers::pi * 120.5 * 120.5, 20);

    // An ellipse's outline, 6 px, its pen centred on the ellipse through the box's outer pixels.
    TCoverage ring({-5, -5, 170, 90});
    CoverEllipse(ring, {0, 0, 161, 81}, 6, false);
    const TComparison r = Compare(ring, [](double x, double y) {
        // Inside the band when a point 3 px along the normal each way lies either side.
        const double u = std::hypot((x - 80) / 80, (y - 40) / 40);
        const double gx = (x - 80) / 6400, gy = (y - 40) / 1600, slope = std::hypot(gx, gy);
        return std::abs((u - 1) * u / slope) <= 3;
    });
    EXPECT_LT(r.Worst, 0.15);
    EXPECT_NEAR(r.Area, r.SampledArea, r.SampledArea * 0.01);
}

TEST(InkCoverage, LevelAndUprightEdgesCoverWholePixelsAndAFrameIsCentredOnItsBox)
{
    // An even pen is centred between pixels, an odd one on a pixel: both cover whole rows.
    for (const int width : {4, 5}) {
        TMarkPiece piece;
        piece.Pen.Width = width;
        piece.From = {10, 20}, piece.To = {50, 20};
        const TCoverage coverage = CoverPiece(piece, {0, 0, 100, 100});
        int rows = 0;
        for (int y = 0; y < 100; ++y) {
            EXPECT_TRUE(coverage.At(30, y) == 0 || coverage.At(30, y) == 255) << width << " at " << y;
            rows += coverage.At(30, y) == 255;
        }
        EXPECT_EQ(rows, width);
    }
    // A 10 px frame around (100, 100)-(200, 150): bands over 95..104 and 194..203.
    TMarkPiece frame;
    frame.Kind = TMarkPiece::TKind::Frame;
    frame.Frame = {{100, 100, 200, 150}, 10, TBrushStyle::bsClear};
    const TCoverage coverage = CoverPiece(frame, {0, 0, 300, 300});
    for (int x = 90; x < 210; ++x)
        EXPECT_EQ(coverage.At(x, 125), (x >= 95 && x < 105) || (x >= 194 && x < 204) ? 255 : 0) << x;
    EXPECT_TRUE(CoverPiece(frame, {0, 0, 50, 50}).Empty()) << "nothing outside the clip";
}

TEST(MarkInk, PiecesOfOneMarkAddUpToOneShapeInEveryKindOfPixel)
{
    constexpr std::uint32_t kWhite = 0xFFFFFF, kKey = 0xFF00FF;
    TMarkPen pen{5, RgbOf(255, 0, 0), false};  // red
    TMarkPiece first, second;
    first.Pen = second.Pen = pen;
    first.From = {5, 5}, first.To = {40, 25};
    second.From = {40, 25}, second.To = {5, 30};
    const TRect clip{0, 0, 48, 40};
    const TCoverage a = CoverPiece(first, clip), b = CoverPiece(second, clip);

    // The screen: white beneath, each pixel red by the larger of the two coverages.
    std::vector<std::uint32_t> screen(48 * 40, kWhite);
    const TInkTarget opaque{{screen.data(), 48, 40, {0, 0}}, TInkPixels::Opaque};
    TMarkInk ink(1, pen);
    ink.Lay(a, opaque, clip);
    ink.Lay(b, opaque, clip);
    const std::vector<std::uint32_t> once = screen;
    ink.Lay(b, opaque, clip);
    ink.Lay(a, opaque, clip);
    EXPECT_EQ(screen, once) << "laid again: the same pixels";
    int partly = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 48; ++x) {
            const unsigned covered = std::max(a.At(x, y), b.At(x, y));
            const std::uint32_t expected = MixPixels(0xFF0000, kWhite, covered);
            ASSERT_EQ(screen[y * 48 + x], expected) << x << "," << y;
            partly += covered > 0 && covered < 255;
        }
    EXPECT_GT(partly, 50);

    // The layer with per-pixel alpha: clear beneath, alpha is the coverage, colour premultiplied.
    std::vector<std::uint32_t> layer(48 * 40, 0);
    TMarkInk alpha(1, pen);
    alpha.Lay(a, {{layer.data(), 48, 40, {0, 0}}, TInkPixels::Premultiplied}, clip);
    alpha.Lay(b, {{layer.data(), 48, 40, {0, 0}}, TInkPixels::Premultiplied}, clip);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 48; ++x) {
            const unsigned covered = std::max(a.At(x, y), b.At(x, y));
            ASSERT_EQ(layer[y * 48 + x], covered * 0x01010000u) << x << "," << y;
        }

    // A colour-keyed layer: a partly covered pixel over the key is the ink over the ground the
    // screen showed there; without a ground it is all ink or all key.
    std::vector<std::uint32_t> keyed(48 * 40, kKey), ground(48 * 40, 0x0000FF);
    const TPixelRows groundRows{ground.data(), 48, 40, {0, 0}};
    TMarkInk withGround(1, pen), without(1, pen);
    withGround.Lay(a, {{keyed.data(), 48, 40, {0, 0}}, TInkPixels::Keyed, kKey, &groundRows}, clip);
    std::vector<std::uint32_t> hard(48 * 40, kKey);
    without.Lay(a, {{hard.data(), 48, 40, {0, 0}}, TInkPixels::Keyed, kKey}, clip);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 48; ++x) {
            const unsigned covered = a.At(x, y);
            EXPECT_EQ(keyed[y * 48 + x], covered ? MixPixels(0xFF0000, 0x0000FF, covered) : kKey);
            EXPECT_EQ(hard[y * 48 + x], covered >= 128 ? 0xFF0000 : kKey);
        }
}

TEST(MarkInk, TheHighlighterIsWhatWasSeenAndedWithThePenWeightedAtItsEdges)
{
    const TMarkPen pen{7, RgbOf(255, 255, 0), true};  // yellow: takes the blue away
    TMarkPiece piece;
    piece.Pen = pen;
    piece.From = {4, 10}, piece.To = {30, 14};
    const TRect clip{0, 0, 36, 24};
    const TCoverage coverage = CoverPiece(piece, clip);
    // Older ink (opaque green, and a half-covered blue edge) over a grey screen.
    std::vector<std::uint32_t> layer(36 * 24, 0), ground(36 * 24, 0x808080);
    layer[10 * 36 + 10] = 0xFF00FF00;
    layer[11 * 36 + 10] = 0x80000080;
    const TPixelRows groundRows{ground.data(), 36, 24, {0, 0}};
    TMarkInk ink(7, pen);
    ink.Lay(coverage, {{layer.data(), 36, 24, {0, 0}}, TInkPixels::Premultiplied, 0, &groundRows}, clip);
    EXPECT_EQ(coverage.At(10, 10), 255);
    EXPECT_EQ(layer[10 * 36 + 10], 0xFF00FF00u) << "green ANDed with yellow";
    EXPECT_EQ(layer[11 * 36 + 10], 0xFF404000u) << "half blue over grey (0x4040C0) ANDed with yellow";
    EXPECT_EQ(layer[12 * 36 + 20], 0xFF808000u) << "grey screen ANDed with yellow";
    int edges = 0;
    for (int y = 0; y < 24; ++y) {
        const unsigned covered = coverage.At(20, y);
        if (covered == 0 || covered == 255) continue;
        ++edges;
        EXPECT_EQ(layer[y * 36 + 20], MixPixels(0xFF808000u, 0, covered));
    }
    EXPECT_EQ(edges, 2) << "a slanted line's two edges";
}

}  // namespace
}  // namespace zelvora
