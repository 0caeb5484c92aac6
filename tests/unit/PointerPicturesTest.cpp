// The presenter's pointer as pixels: the spotlight's exact hole and feathered edge, marks lit in
// the dim, the laser's trail joined with itself, the ring's width, the keyed form, and the
// laser's fade over an injected clock.
#include "engine/LaserTrail.h"
#include "engine/PointerPictures.h"
#include "engine/SpotlightPainter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zelvora {
namespace {

struct TPicture {
    explicit TPicture(const TRect& area, std::uint32_t fill = 0)
        : Pixels(static_cast<std::size_t>(area.Width()) * area.Height(), fill),
          Rows{Pixels.data(), area.Width(), area.Height(), {area.Left, area.Top}}
    {
    }
    std::uint32_t At(int x, int y) const
    {
        return Pixels[static_cast<std::size_t>(y - Rows.Origin.Y) * Rows.Width + (x - Rows.Origin.X)];
    }
    std::vector<std::uint32_t> Pixels;
    TPixelRows Rows;
};

unsigned Alpha(std::uint32_t pixel)
{
    return pixel >> 24;
}

TEST(Spotlight, TheHoleIsLitExactlyTheEdgeFeathersOutwardAndMarksStayLit)
{
    // A circle at negative points, as on a monitor left of the primary one.
    TSpotlightHole circle;
    circle.Centre = {-300.5f, 200.5f};
    circle.Radius = 40;
    const TRect area{-400, 100, -200, 300};
    TPicture picture(area, 0x12345678);
    PaintSpotlight(picture.Rows, area, circle, nullptr);
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            const double d = std::hypot(x + 0.5 - circle.Centre.X, y + 0.5 - circle.Centre.Y);
            const std::uint32_t pixel = picture.At(x, y);
            ASSERT_EQ(pixel & 0xFFFFFF, 0u) << "dim is black, never tinted";
            if (d <= circle.Radius) {
                ASSERT_EQ(Alpha(pixel), 0u) << x << "," << y;
            } else if (d >= circle.Radius + kSpotlightFeather) {
                ASSERT_EQ(Alpha(pixel), 255u) << x << "," << y;
            }
        }
    // Along a ray the feather only darkens outwards, over two to four pixels.
    unsigned last = 0;
    int partly = 0;
    for (int x = -300; x < -200; ++x) {
        const unsigned a = Alpha(picture.At(x, 200));
        EXPECT_GE(a, last);
        partly += a > 0 && a < 255;
        last = a;
    }
    EXPECT_GE(partly, 2);
    EXPECT_LE(partly, 4);

    // A control's box: its pixels lit, the first pixel outside partly dark, four out wholly.
    TSpotlightHole box;
    box.Circle = false;
    box.Box = {10, 10, 50, 30};
    TPicture boxed({0, 0, 60, 40});
    PaintSpotlight(boxed.Rows, {0, 0, 60, 40}, box, nullptr);
    EXPECT_EQ(Alpha(boxed.At(10, 10)), 0u);
    EXPECT_EQ(Alpha(boxed.At(49, 29)), 0u);
    EXPECT_GT(Alpha(boxed.At(50, 20)), 0u);
    EXPECT_LT(Alpha(boxed.At(50, 20)), 255u);
    EXPECT_EQ(Alpha(boxed.At(53, 20)), 255u);
    EXPECT_EQ(Alpha(boxed.At(5, 5)), 255u);

    // A mark outside the hole: wholly covered pixels lit, half covered half dark.
    TCoverage mark({0, 0, 60, 40});
    mark.Cover(2, 2, 255);
    mark.Cover(3, 2, 128);
    PaintSpotlight(boxed.Rows, {0, 0, 60, 40}, box, &mark);
    EXPECT_EQ(Alpha(boxed.At(2, 2)), 0u);
    EXPECT_NEAR(Alpha(boxed.At(3, 2)), 127, 1);
    EXPECT_EQ(Alpha(boxed.At(4, 2)), 255u);

    // Only the area asked for is painted.
    TPicture part({0, 0, 60, 40}, 7);
    PaintSpotlight(part.Rows, {20, 0, 60, 40}, box, nullptr);
    EXPECT_EQ(part.At(19, 5), 7u);
}

TEST(Spotlight, PaintingOnlyWhatAMoveChangedGivesTheWholePictureAndFarFewerPixels)
{
    // Marks lit in the dim, a monitor at negative points; moves small and large, a jump, a
    // wider circle, a control's box and back.
    const TRect area{-500, -100, 300, 500};
    TCoverage marks(area);
    for (int x = -400; x < 200; ++x) marks.Cover(x, 180 + x / 20, static_cast<std::uint8_t>(x & 0xFF));
    std::vector<TSpotlightHole> holes;
    for (int i = 0; i < 12; ++i) {
        TSpotlightHole hole;
        hole.Centre = {-200.5f + 7 * i, 150.5f + 3 * i};
        hole.Radius = 90;
        holes.push_back(hole);
    }
    holes.push_back(holes.back());
    holes.back().Centre = {180.5f, 400.5f};  // the pointer jumped
    holes.push_back(holes.back());
    holes.back().Radius = 99;  // Ctrl+wheel
    TSpotlightHole box;
    box.Circle = false;
    box.Box = {-60, 20, 90, 70};
    holes.push_back(box);
    box.Box = {-58, 25, 92, 75};
    holes.push_back(box);
    holes.push_back(holes[3]);

    TSpotlightPainter painter;
    TPicture kept(area);
    painter.Paint(kept.Rows, area, holes.front(), &marks);
    std::uint64_t smallMoves = 0;
    for (std::size_t i = 1; i < holes.size(); ++i) {
        painter.TakePixelsWritten();
        painter.PaintSpans(kept.Rows, area, painter.Changed(holes[i - 1], holes[i]), holes[i], &marks);
        if (i < 12) smallMoves += painter.TakePixelsWritten();
        TPicture whole(area);
        PaintSpotlight(whole.Rows, area, holes[i], &marks);
        ASSERT_EQ(kept.Pixels, whole.Pixels) << "after move " << i;
    }
    // Two squares around both holes would be 2 x 187 x 187 pixels a move.
    EXPECT_LT(smallMoves / 11, 2u * 187 * 187 / 8);
}

TEST(Laser, TheTrailIsPremultipliedRedWithALightCoreAndJoinsItselfWhereItCrosses)
{
    const TRect area{0, 0, 80, 80};
    const std::vector<TPointF> across{{10.5f, 40.5f}, {70.5f, 40.5f}};
    const std::vector<TPointF> down{{40.5f, 10.5f}, {40.5f, 70.5f}};
    TPicture one(area), both(area), again(area);
    LayLaser(one.Rows, across, 6);
    LayLaser(both.Rows, across, 6);
    LayLaser(both.Rows, down, 6);
    LayLaser(again.Rows, across, 6);
    LayLaser(again.Rows, across, 6);
    EXPECT_EQ(again.Pixels, one.Pixels) << "laid twice is laid once";
    int covered = 0;
    for (std::size_t i = 0; i < both.Pixels.size(); ++i) {
        const std::uint32_t pixel = both.Pixels[i];
        const unsigned a = Alpha(pixel), r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
        ASSERT_EQ(r, a) << "red as strong as the alpha";
        ASSERT_EQ(g, b);
        ASSERT_LE(g, a) << "premultiplied";
        covered += a > 0;
        // Where the two cross, nothing is darker than either alone: the union, not a double layer.
        ASSERT_GE(a, Alpha(one.Pixels[i]));
    }
    EXPECT_EQ(both.At(40, 40), one.At(40, 40)) << "the crossing is as one trail";
    EXPECT_GT(both.At(40, 20) >> 8 & 0xFF, both.At(43, 20) >> 8 & 0xFF)
        << "the core is lighter than the edge";
    // About 6 px across: soft edge included.
    int wide = 0;
    for (int y = 30; y < 50; ++y) wide += Alpha(one.At(40, y)) > 0;
    EXPECT_GE(wide, 6);
    EXPECT_LE(wide, 8);
    EXPECT_GT(covered, 2 * 60 * 5);
}

TEST(Ring, ItIsAsWideAsThePenInItsColourWithAClearMiddle)
{
    const TRect area{-50, -50, 50, 50};
    TPicture picture(area, 0xFFFFFFFF);
    const TPointF centre{0.5f, 0.5f};
    PaintRing(picture.Rows, centre, 20, 2, 0x0000A000);  // green as the window system keeps it
    const TRect ring = RingBounds(centre, 20);
    double columns = 0;
    for (int x = ring.Left; x < ring.Right; ++x) {
        unsigned most = 0;
        for (int y = ring.Top; y < ring.Bottom; ++y) most = std::max(most, Alpha(picture.At(x, y)));
        columns += most / 255.0;
    }
    EXPECT_NEAR(columns, 20, 0.5);
    EXPECT_EQ(picture.At(0, 0), 0u) << "the middle shows what lies beneath";
    EXPECT_EQ(picture.At(-9, 0), 0xFF00A000u) << "opaque green on the ring";
    EXPECT_EQ(picture.At(-40, -40), 0xFFFFFFFFu) << "nothing beyond its bounds is touched";
}

TEST(KeyedPixels, AtLeastHalfCoveredIsTheColourOpaqueElseTheKeyAndNeverTheKeyByChance)
{
    constexpr std::uint32_t kKey = 0xFF01FE;
    TPicture from({0, 0, 4, 1}), to({0, 0, 4, 1}, 0x123456);
    from.Pixels = {0x7F7F0000, 0x80800000, 0xFFFF01FE, 0};
    KeyPremultiplied(from.Rows, to.Rows, {0, 0, 3, 1}, kKey);
    EXPECT_EQ(to.Pixels[0], kKey);
    EXPECT_EQ(to.Pixels[1], 0xFF0000u) << "unpremultiplied";
    EXPECT_EQ(to.Pixels[2], kKey ^ 1) << "a pixel the colour of the key is nudged off it";
    EXPECT_EQ(to.Pixels[3], 0x123456u) << "outside the area";
}

TEST(LaserTrail, WholeWhileHeldThenFadingInStepsAndGoneAfterTheFadeAcrossTheClocksWrap)
{
    TLaserTrail trail;
    EXPECT_EQ(trail.Follow({10, 10}).size(), 1u) << "the dot at once";
    EXPECT_TRUE(trail.Follow({10, 10}).empty()) << "at rest nothing more";
    EXPECT_EQ(trail.Follow({30, 10}).size(), 1u);
    const std::vector<TPointF> curve = trail.Follow({50, 20});
    ASSERT_GE(curve.size(), 3u) << "the curve through the position before, then the dot";
    EXPECT_EQ(curve.front(), (TPointF{10, 10}));
    const std::uint32_t released = 0xFFFFFF00u;  // the tick count wraps during the fade
    EXPECT_EQ(trail.Opacity(released, 500), 255);
    const std::vector<TPointF> rest = trail.Release(released);
    ASSERT_FALSE(rest.empty());
    EXPECT_EQ(rest.back(), (TPointF{50, 20})) << "the rest of the curve reaches the last position";
    EXPECT_EQ(trail.Opacity(released, 500), 255);
    EXPECT_NEAR(*trail.Opacity(released + 250, 500), 128, 1);
    EXPECT_EQ(*trail.Opacity(released + 499, 500), 1);
    EXPECT_FALSE(trail.Opacity(released + 500, 500));
    EXPECT_FALSE(trail.Opacity(released, 0)) << "no fade: gone at release";
    const TRect bounds = trail.Bounds(6);
    EXPECT_LE(bounds.Left, 7);
    EXPECT_GE(bounds.Right, 54);
    trail.Clear();
    EXPECT_FALSE(trail.Shown());
    EXPECT_FALSE(trail.Opacity(released, 500));
}

}  // namespace
}  // namespace zelvora
