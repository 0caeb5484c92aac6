// The ink layer's pixels: the highlighter's mix with what a person sees, the key it must avoid,
// and kept ink put back inside a clip only.
#include "engine/InkPixels.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

constexpr TColor kYellowPen = RgbOf(255, 255, 0);
constexpr TColor kMagentaKey = RgbOf(255, 0, 255);
constexpr std::uint32_t kLit = 0xFFFFFF, kDark = 0;

TEST(InkPixels, TheHighlighterMixesWhatIsSeenWithThePenOnlyWhereThePieceReaches)
{
    // Pixels: white page, black text, the layer's own orange ink over the page, and one the
    // piece does not reach.
    const std::uint32_t key = PixelOf(kMagentaKey), orange = PixelOf(0x0080FF);
    const std::vector<std::uint32_t> screen{0xFFFFFFFF, 0xFF000000, 0x00FFFFFF, 0x00FFFFFF};
    const std::vector<std::uint32_t> layer{key, key, orange, key};
    const std::vector<std::uint32_t> shape{kLit, kLit, kLit, kDark};
    EXPECT_EQ(HighlighterInk(screen, layer, shape, kYellowPen, kMagentaKey),
              (std::vector<std::uint32_t>{0xFFFF00, 0x000000, 0xFF8000, TMarkPiece::kNoInk}));
    EXPECT_EQ(PixelOf(0x0080FF), 0xFF8000u) << "0x00BBGGRR to 0x00RRGGBB";
}

TEST(InkPixels, InkThatWouldComeOutAsTheKeyIsMovedOffIt)
{
    // A white pen over a magenta screen pixel gives magenta: it would vanish through the layer.
    const std::uint32_t key = PixelOf(kMagentaKey);
    const auto ink = HighlighterInk(std::vector<std::uint32_t>{key}, std::vector<std::uint32_t>{key},
                                    std::vector<std::uint32_t>{kLit}, RgbOf(255, 255, 255), kMagentaKey);
    ASSERT_EQ(ink.size(), 1u);
    EXPECT_NE(ink[0], key);
    EXPECT_EQ(ink[0] & 0xFF00FF, key & 0xFF00FF) << "red and blue stay; green moves by one";
}

TEST(InkPixels, KeptInkGoesBackInsideTheClipAndTheBufferOnly)
{
    // A 4x3 buffer showing the screen from (10, 20); a piece kept over (9, 19)-(12, 22).
    std::vector<std::uint32_t> bits(12, 0xAA);
    const TPixelRows buffer{bits.data(), 4, 3, {10, 20}};
    TMarkPiece piece;
    piece.PixelsRect = {9, 19, 12, 22};
    piece.Pixels = {1, 2, 3, 4, 5, 6, 7, TMarkPiece::kNoInk, 9};
    StampInk(piece, buffer, {0, 0, 11, 100});                            // the clip leaves column 11 out
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

    piece.Pixels.pop_back();  // kept pixels that do not fill their rectangle are not trusted
    std::vector<std::uint32_t> before = bits;
    StampInk(piece, buffer, buffer.Area());
    EXPECT_EQ(bits, before);
}

}  // namespace
}  // namespace zelvora
