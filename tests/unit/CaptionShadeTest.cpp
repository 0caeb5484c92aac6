#include "controls/CaptionShade.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace zelvora {
namespace {

constexpr TColor kPanelBlue = 13263873;  // 0x00CA6401: R 1, G 100, B 202

constexpr TColor Rgb(int r, int g, int b)
{
    return static_cast<TColor>(r | (g << 8) | (b << 16));
}

TShadeBitmap Build(TShadeType type, int w, int h, int light = 200, TColor color = kPanelBlue, int seed = 1)
{
    std::mt19937 engine(static_cast<std::mt19937::result_type>(seed));
    const TShadeRandom random = [&](int n) {
        return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(engine);
    };
    return BuildShade({color, light, 32, static_cast<int>(type), w, h}, random);
}

std::uint64_t Checksum(const TShadeBitmap& bitmap)
{
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the pixels
    for (TColor pixel : bitmap.Pixels())
        for (int shift = 0; shift < 32; shift += 8)
            hash = (hash ^ ((pixel >> shift) & 0xFF)) * 1099511628211ull;
    return hash;
}

TEST(CaptionShade, InwardRadialGlowOfTheProgramsPanels)
{
    const TShadeBitmap pen = Build(TShadeType::stIRadial, 196, 20);
    EXPECT_EQ(pen.Pixel(98, 10), Rgb(0, 78, 158));  // centre: v = 200
    EXPECT_EQ(pen.Pixel(0, 0), Rgb(0, 38, 78));     // corner: d = 99, v = 99
    const TShadeBitmap other = Build(TShadeType::stIRadial, 205, 20);
    EXPECT_EQ(other.Pixel(102, 10), Rgb(0, 78, 158));
    EXPECT_EQ(other.Pixel(0, 0), Rgb(0, 39, 80));  // d = 102, v = 101
    // The glow is symmetric about the centre lines.
    EXPECT_EQ(other.Pixel(204, 0), other.Pixel(1, 0));
    EXPECT_EQ(other.Pixel(0, 19), other.Pixel(0, 1));
}

TEST(CaptionShade, MirroredAndEqualTypes)
{
    EXPECT_EQ(Build(TShadeType::stVShade, 205, 20).Pixels(),
              Build(TShadeType::stVShadeInv, 205, 20).Pixels());
    const TShadeBitmap h = Build(TShadeType::stHShade, 205, 20),
                       inv = Build(TShadeType::stHShadeInv, 205, 20);
    for (int x = 1; x < 205; ++x) EXPECT_EQ(inv.Pixel(x, 7), h.Pixel(205 - x, 7)) << x;
}

TEST(CaptionShade, LightIsTakenModulo256)
{
    EXPECT_EQ(Build(TShadeType::stVShade, 50, 20, 300).Pixels(),
              Build(TShadeType::stVShade, 50, 20, 44).Pixels());
    EXPECT_NE(Build(TShadeType::stVShade, 50, 20, 300).Pixels(),
              Build(TShadeType::stVShade, 50, 20, 200).Pixels());
}

TEST(CaptionShade, RandomTypesDifferBetweenBuildsTheOthersDoNot)
{
    for (TShadeType type : {TShadeType::stNoise, TShadeType::stLMetal, TShadeType::stRMetal})
        EXPECT_NE(Build(type, 205, 20, 200, kPanelBlue, 1).Pixels(),
                  Build(type, 205, 20, 200, kPanelBlue, 2).Pixels())
            << static_cast<int>(type);
    for (int t = 0; t < kShadeTypeCount; ++t) {
        if (t == 1 || t == 9 || t == 10) continue;
        EXPECT_EQ(Build(static_cast<TShadeType>(t), 60, 20, 200, kPanelBlue, 1).Pixels(),
                  Build(static_cast<TShadeType>(t), 60, 20, 200, kPanelBlue, 2).Pixels())
            << t;
    }
}

TEST(CaptionShade, SizesPlainFillsAndUnknownTypes)
{
    const TShadeBitmap empty = Build(TShadeType::stIRadial, 0, 0);
    EXPECT_EQ(empty.Width(), 100);
    EXPECT_EQ(empty.Height(), 20);
    const TShadeBitmap plain = Build(TShadeType::stNormal, 10, 5);
    for (TColor pixel : plain.Pixels()) EXPECT_EQ(pixel, kPanelBlue);
    for (int type : {-1, 19, 200}) {
        const TShadeBitmap white = BuildShade({kPanelBlue, 200, 32, type, 10, 5}, ClockSeededRandom());
        for (TColor pixel : white.Pixels()) EXPECT_EQ(pixel, clWhite) << type;
    }
    // Too small for the rounded ends of the hard bump: no division by zero, still a bump.
    const TShadeBitmap tiny = Build(TShadeType::stHardBump, 5, 1);
    EXPECT_EQ(tiny.Width(), 5);
    EXPECT_NE(tiny.Pixel(2, 0), clWhite);
}

// Pixels worked out by hand from the rules, on a white base (S(v) is then grey v) of 10 x 4 at
// light 200, so that a fault in any one formula shows by itself.
TEST(CaptionShade, PixelsWorkedOutFromTheRules)
{
    const auto grey = [](int v) { return Rgb(v, v, v); };
    const auto at = [](TShadeType type, int x, int y) {
        return Build(type, 10, 4, 200, clWhite).Pixel(x, y);
    };
    // Horizontal shade: p = (10 - x) * 239 div 10, v = 200 - (p + 8) div 2.
    EXPECT_EQ(at(TShadeType::stHShade, 0, 2), grey(77));   // p 239, v = 200 - 123
    EXPECT_EQ(at(TShadeType::stHShade, 5, 2), grey(137));  // p 119, v = 200 - 63
    EXPECT_EQ(at(TShadeType::stHShade, 9, 0), grey(185));  // p 23, v = 200 - 15
    // Vertical shade: p = y * 239 div 4.
    EXPECT_EQ(at(TShadeType::stVShade, 6, 0), grey(196));  // p 0, v = 200 - 4
    EXPECT_EQ(at(TShadeType::stVShade, 6, 3), grey(107));  // p 179, v = 200 - 93
    // Horizontal bump: t = (10 - x) * 255 div 10 - 127, f(t) = t^3 div 128 div 128 (toward zero),
    // e = f(t) * 120 div 128 + 128, v = 200 - e div 2.
    EXPECT_EQ(at(TShadeType::stHBump, 5, 1), grey(136));  // t 0, e 128
    EXPECT_EQ(at(TShadeType::stHBump, 0, 1), grey(76));   // t 128, f 128, e 248
    EXPECT_EQ(at(TShadeType::stHBump, 9, 1), grey(166));  // t -102, f -64, e 68
    // Diagonal shade over the white fill (blue 255): t = -55 + x * 129 div 10 + y * 129 div 4.
    EXPECT_EQ(at(TShadeType::stDiagShade, 0, 0), grey(227));  // t -55, t div 2 = -27
    EXPECT_EQ(at(TShadeType::stDiagShade, 9, 3), grey(122));  // t -55 + 116 + 96 = 157
    // Inward radial: K 5, M 2, D = round(sqrt(116)) = 11, v = round((D - d) / D * 200).
    EXPECT_EQ(at(TShadeType::stIRadial, 5, 2), grey(200));  // d 0
    EXPECT_EQ(at(TShadeType::stIRadial, 0, 0), grey(109));  // d = round(sqrt(29)) = 5
    EXPECT_EQ(at(TShadeType::stIRadial, 9, 3), grey(127));  // mirrored from (1, 1): d 4
    // The base colour scales each channel: S(137) of the panels' blue (1, 100, 202).
    EXPECT_EQ(Build(TShadeType::stHShade, 10, 4).Pixel(5, 2), Rgb(0, 53, 108));
}

// Guards the arithmetic: any change to a deterministic shade shows here. The values were taken
// from this implementation after checking the worked values above.
TEST(CaptionShade, ChecksumsOfEveryDeterministicType)
{
    const std::uint64_t expected[kShadeTypeCount][3] = {
#include "CaptionShadeChecksums.inc"
    };
    const int sizes[3][2] = {{205, 20}, {196, 20}, {7, 3}};
    for (int t = 0; t < kShadeTypeCount; ++t) {
        if (t == 1 || t == 9 || t == 10) continue;
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(Checksum(Build(static_cast<TShadeType>(t), sizes[s][0], sizes[s][1])), expected[t][s])
                << "type " << t << " size " << sizes[s][0] << "x" << sizes[s][1];
    }
}

}  // namespace
}  // namespace zelvora
