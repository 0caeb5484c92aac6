// The ink layer's pixels: the highlighter's mix with what a person sees, the key it must avoid,
// and kept ground put back inside an area only.
#include "engine/InkPixels.h"
#include "engine/LaidPixels.h"
#include "engine/MarkInk.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

constexpr TColor kYellowPen = RgbOf(255, 255, 0);
constexpr TColor kMagentaKey = RgbOf(255, 0, 255);
constexpr std::uint32_t kLit = 0xFFFFFF, kDark = 0;

TEST(InkPixels, AHighlightKeepsTheScreenUnderItsShapeAndMixesWithWhatLiesBeneathWhenPainted)
{
    // A 3x2 area at (10, 20): white page, black text; the shape covers a run of two on the first
    // row and one pixel on the second.
    const std::vector<std::uint32_t> screen{0xFFFFFFFF, 0xFF000000, 0x00FFFFFF,  //
                                            0x00FFFFFF, 0x00123456, 0x00FFFFFF};
    const std::vector<std::uint32_t> shape{kLit, kLit, kDark, kDark, kDark, kLit};
    TMarkPiece piece;
    piece.Pen = {1, kYellowPen, true};
    KeepHighlighterGround(piece, screen, shape, {10, 20, 13, 22});
    EXPECT_EQ(piece.Runs, (std::vector<TMarkPiece::TRun>{{10, 20, 2}, {12, 21, 1}}))
        << "only what the shape covers";
    EXPECT_EQ(piece.Pixels, (std::vector<std::uint32_t>{0xFFFFFF, 0x000000, 0xFFFFFF}));

    // Over older orange ink the person sees orange ANDed with yellow; once that ink is gone the
    // highlight is the screen's own pixels ANDed with the pen, as if it had never been there.
    const std::uint32_t key = PixelOf(kMagentaKey), orange = PixelOf(0x0080FF);
    TCoverage covered({10, 20, 13, 22});
    for (const TMarkPiece::TRun& run : piece.Runs)
        for (int x = run.X; x < run.X + run.Length; ++x) covered.Cover(x, run.Y, 255);
    std::vector<std::uint32_t> bits{orange, key, key, key, key, key};
    const TPixelRows layer{bits.data(), 3, 2, {10, 20}};
    std::vector<std::uint32_t> kept = KeptGround(piece, layer.Area());
    const TPixelRows ground{kept.data(), 3, 2, {10, 20}};
    TMarkInk(1, piece.Pen).Lay(covered, {layer, TInkPixels::Keyed, key, &ground}, layer.Area());
    EXPECT_EQ(bits, (std::vector<std::uint32_t>{0xFF8000, 0x000000, key, key, key, 0xFFFF00}));
    FillPixels(layer, layer.Area(), key);  // the older mark goes: the layer paints again
    TMarkInk(1, piece.Pen).Lay(covered, {layer, TInkPixels::Keyed, key, &ground}, layer.Area());
    EXPECT_EQ(bits, (std::vector<std::uint32_t>{0xFFFF00, 0x000000, key, key, key, 0xFFFF00}));
    EXPECT_EQ(PixelOf(0x0080FF), 0xFF8000u) << "0x00BBGGRR to 0x00RRGGBB";
}

TEST(InkPixels, InkThatWouldComeOutAsTheKeyIsMovedOffIt)
{
    // A white pen over a magenta screen pixel gives magenta: it would vanish through the layer.
    const std::uint32_t key = PixelOf(kMagentaKey);
    TMarkPiece piece;
    piece.Pen = {1, RgbOf(255, 255, 255), true};
    KeepHighlighterGround(piece, std::vector<std::uint32_t>{key}, std::vector<std::uint32_t>{kLit},
                          {0, 0, 1, 1});
    std::vector<std::uint32_t> bits{key};
    std::vector<std::uint32_t> kept = KeptGround(piece, {0, 0, 1, 1});
    const TPixelRows ground{kept.data(), 1, 1, {0, 0}};
    TCoverage covered({0, 0, 1, 1});
    covered.Cover(0, 0, 255);
    TMarkInk(1, piece.Pen)
        .Lay(covered, {{bits.data(), 1, 1, {0, 0}}, TInkPixels::Keyed, key, &ground}, {0, 0, 1, 1});
    EXPECT_NE(bits[0], key);
    EXPECT_EQ(bits[0] & 0xFF00FF, key & 0xFF00FF) << "red and blue stay; green moves by one";
}

TEST(InkPixels, KeptGroundGoesBackInsideTheAreaOnlyAndBuffersAreFilledInsideOnly)
{
    // A white highlighter kept over (9, 19)-(12, 22), put back into a 4x3 area from (10, 20).
    TMarkPiece piece;
    piece.Pen = {1, RgbOf(255, 255, 255), true};
    piece.Runs = {{9, 19, 3}, {9, 20, 3}, {9, 21, 1}, {11, 21, 1}};
    piece.Pixels = {1, 2, 3, 4, 5, 6, 7, 9};
    EXPECT_EQ(KeptGround(piece, {10, 20, 14, 23}),
              (std::vector<std::uint32_t>{5, 6, kLit, kLit,  //
                                          kLit, 9, kLit, kLit, kLit, kLit, kLit, kLit}));
    piece.Runs.push_back({10, 22, 5});  // runs whose pixels are missing are not trusted
    EXPECT_EQ(KeptGround(piece, {10, 20, 11, 21}), std::vector<std::uint32_t>{kLit});

    std::vector<std::uint32_t> bits(12, 0xAA);
    const TPixelRows buffer{bits.data(), 4, 3, {10, 20}};
    FillPixels(buffer, {12, 21, 99, 99}, 0);
    EXPECT_EQ(bits[4 * 1 + 2], 0u);
    EXPECT_EQ(bits[4 * 2 + 3], 0u);
    EXPECT_EQ(bits[4 * 1 + 1], 0xAAu);
    ReplacePixels(buffer, 0xAA, 0xBB);
    EXPECT_EQ(bits[11], 0u);
    EXPECT_EQ(bits[1], 0xBBu);
}

TEST(LaidPixels, AMarkLaidAgainOverItselfOrWhatCoveredItHasExactlyThePixelsItHad)
{
    // A smooth stroke laid in two overlapping pieces over a grey page, the way a tick lays it.
    const TRect area{-20, 10, 40, 40};
    std::vector<std::uint32_t> page(static_cast<std::size_t>(area.Width()) * area.Height(), 0x808080);
    const TPixelRows rows{page.data(), area.Width(), area.Height(), {area.Left, area.Top}};
    const TMarkPen pen{7, RgbOf(255, 128, 0), false};
    TMarkInk ink(1, pen);
    TLaidPixels laid;
    for (const auto& [from, to] : {std::pair{TPointF{-10.3f, 15.2f}, TPointF{12.6f, 27.9f}},
                                   std::pair{TPointF{12.6f, 27.9f}, TPointF{33.1f, 18.4f}}}) {
        TCoverage coverage(area);
        CoverLine(coverage, from, to, pen.Width);
        ink.Lay(coverage, {rows, TInkPixels::Opaque}, area);
        laid.Note(coverage, rows, area);
    }
    const std::vector<std::uint32_t> asLaid = page;

    // Fresh ink over the mark itself darkens its smooth edges: what a redraw must not do.
    TMarkInk fresh(1, pen);
    TCoverage whole(area);
    CoverPath(whole, std::vector<TPointF>{{-10.3f, 15.2f}, {12.6f, 27.9f}, {33.1f, 18.4f}}, pen.Width);
    fresh.Lay(whole, {rows, TInkPixels::Opaque}, area);
    ASSERT_NE(page, asLaid);

    // Laid again over itself, and over a card that covered part of it: the pixels it had.
    laid.Replay(rows, area);
    EXPECT_EQ(page, asLaid);
    FillPixels(rows, {0, 12, 30, 35}, 0x203040);
    laid.Replay(rows, area);
    int card = 0;
    for (int y = 12; y < 35; ++y)
        for (int x = 0; x < 30; ++x) {
            const std::size_t at = static_cast<std::size_t>(y - area.Top) * area.Width() + (x - area.Left);
            if (page[at] == 0x203040)
                ++card;
            else
                EXPECT_EQ(page[at], asLaid[at]) << x << "," << y;
        }
    EXPECT_GT(card, 0) << "pixels the mark never touched were written";

    // Only inside the clip, and the runs say what a write touches.
    FillPixels(rows, area, 0);
    laid.Replay(rows, {0, 0, 10, 100});
    EXPECT_EQ(page[static_cast<std::size_t>(27 - area.Top) * area.Width() + (20 - area.Left)], 0u);
    for (const TRect& run : laid.Runs({0, 0, 10, 100})) {
        EXPECT_EQ(run.Height(), 1);
        EXPECT_GE(run.Left, 0);
        EXPECT_LE(run.Right, 10);
    }
}

}  // namespace
}  // namespace zelvora
