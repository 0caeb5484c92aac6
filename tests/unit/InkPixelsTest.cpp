// The ink layer's pixels: the highlighter's mix with what a person sees, the key it must avoid,
// and kept ink put back inside a clip only.
#include "engine/InkPixels.h"

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
    std::vector<std::uint32_t> bits{orange, key, key, key, key, key};
    const TPixelRows layer{bits.data(), 3, 2, {10, 20}};
    StampInk(piece, layer, layer.Area(), kMagentaKey);
    EXPECT_EQ(bits, (std::vector<std::uint32_t>{0xFF8000, 0x000000, key, key, key, 0xFFFF00}));
    FillPixels(layer, layer.Area(), key);  // the older mark goes: the layer paints again
    StampInk(piece, layer, layer.Area(), kMagentaKey);
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
    StampInk(piece, {bits.data(), 1, 1, {0, 0}}, {0, 0, 1, 1}, kMagentaKey);
    EXPECT_NE(bits[0], key);
    EXPECT_EQ(bits[0] & 0xFF00FF, key & 0xFF00FF) << "red and blue stay; green moves by one";
}

TEST(InkPixels, KeptInkGoesBackInsideTheClipAndTheBufferOnly)
{
    // A 4x3 buffer showing the screen from (10, 20); a white highlighter kept over (9, 19)-(12, 22).
    std::vector<std::uint32_t> bits(12, 0xAA);
    const TPixelRows buffer{bits.data(), 4, 3, {10, 20}};
    TMarkPiece piece;
    piece.Pen = {1, RgbOf(255, 255, 255), true};
    piece.Runs = {{9, 19, 3}, {9, 20, 3}, {9, 21, 1}, {11, 21, 1}};
    piece.Pixels = {1, 2, 3, 4, 5, 6, 7, 9};
    StampInk(piece, buffer, {0, 0, 11, 100}, RgbOf(0, 0, 0xAA));         // the clip leaves column 11 out
    EXPECT_EQ(bits, (std::vector<std::uint32_t>{5, 0xAA, 0xAA, 0xAA,     //
                                                0xAA, 0xAA, 0xAA, 0xAA,  // no ink there
                                                0xAA, 0xAA, 0xAA, 0xAA}));

    FillPixels(buffer, {12, 21, 99, 99}, 0);
    EXPECT_EQ(bits[4 * 1 + 2], 0u);
    EXPECT_EQ(bits[4 * 2 + 3], 0u);
    EXPECT_EQ(bits[4 * 1 + 1], 0xAAu);
    ReplacePixels(buffer, 0xAA, 0xBB);
    EXPECT_EQ(bits[0], 5u);
    EXPECT_EQ(bits[11], 0u);
    EXPECT_EQ(bits[1], 0xBBu);

    piece.Runs.push_back({10, 22, 5});  // runs whose pixels are missing are not trusted
    std::vector<std::uint32_t> before = bits;
    StampInk(piece, buffer, buffer.Area(), RgbOf(0, 0, 0xBB));
    EXPECT_EQ(bits, before);
}

}  // namespace
}  // namespace zelvora
