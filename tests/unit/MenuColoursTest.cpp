#include "look/MenuColours.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(MenuColourArithmetic, LightenMovesTowardsWhiteRoundingHalfToEven)
{
    EXPECT_EQ(Lighten(0x123456, 0), 0x123456u);
    EXPECT_EQ(Lighten(0x123456, 100), 0xFFFFFFu);
    EXPECT_EQ(Lighten(0x123456, 250), 0xFFFFFFu) << "more than 100 per cent is 100";
    // 255 * 10 % = 25.5 rounds to 26, 255 * 30 % = 76.5 to 76: ties go to the even neighbour.
    EXPECT_EQ(Lighten(0x000000, 10), 0x1A1A1Au);
    EXPECT_EQ(Lighten(0x000000, 30), 0x4C4C4Cu);
    // Channels apart: red 10 -> 177, green 36 -> 185, blue 106 -> 207.
    EXPECT_EQ(Lighten(0x6A240A, 68), 0xCFB9B1u);
    const auto nearest = [](TColor c) { return c & 0xF0F0F0; };
    EXPECT_EQ(Lighten(0x6A240A, 68, nearest), 0xC0B0B0u) << "the device's nearest colour is used";
}

TEST(MenuColourArithmetic, DarkenTakesTwoLessFromGreenAndClamps)
{
    EXPECT_EQ(Darken(0x808080, 90), 0x262826u);
    EXPECT_EQ(Darken(0x000000, -40), 0x282A28u) << "a negative amount brightens";
    EXPECT_EQ(Darken(0x0A0A0A, 20), 0x000000u);
    EXPECT_EQ(Darken(0xFFFFFF, -10), 0xFFFFFFu);
}

TEST(MenuColourArithmetic, GrayOfIsTheMeanPlusTheAmountCappedAt240)
{
    EXPECT_EQ(GrayOf(0x1E140A, 5), 0x191919u);  // (10 + 20 + 30) / 3 + 5 = 25
    EXPECT_EQ(GrayOf(0xFFFFFF, 0), 0xF0F0F0u);
    EXPECT_EQ(GrayOf(0x010101, 0), 0x010101u);
}

TMenuColourSources ClassicSystem(bool highColor)
{
    TMenuColourSources s;
    s.HighColor = highColor;
    s.FontColor = 0x000000;
    s.BtnFace = 0xC0C0C0;
    s.BtnShadow = 0x808080;
    s.Highlight = 0x6A240A;
    s.SelectColor = 0x00FF00;
    s.Color = 0x111111;
    return s;
}

TEST(MenuWorkingColours, FromTheSystemColoursOnAHighColourScreen)
{
    const TMenuColours c = DeriveColours(ClassicSystem(true));
    EXPECT_EQ(c.MenuBackground, 0xF6F6F6u);  // 192 + round(63 * 0.86) = 246
    EXPECT_EQ(c.IconColumn, 0xCACACAu);      // 192 + round(63 * 0.16) = 202
    EXPECT_EQ(c.SelectionFill, 0xCFB9B1u);
    EXPECT_EQ(c.SelectionBorder, 0x6A240Au);
    EXPECT_EQ(c.CheckFrame, 0x6A240Au);
    EXPECT_EQ(c.MenuBarBackground, 0xC0C0C0u);
    EXPECT_EQ(c.Disabled, 0x8D8D8Du);   // 128 + round(127 * 0.10) = 141
    EXPECT_EQ(c.Separator, 0xA0A0A0u);  // 128 + round(127 * 0.25) = 160 (31.75 -> 32)
    EXPECT_EQ(c.FrameBorder, 0x666866u);
    EXPECT_EQ(c.FrameShadow, 0x747674u);
    EXPECT_EQ(c.SelectedText, 0x000000u);
}

TEST(MenuWorkingColours, OnAFewColourScreenPlainColoursStand)
{
    const TMenuColours c = DeriveColours(ClassicSystem(false));
    EXPECT_EQ(c.MenuBackground, 0xFFFFFFu);
    EXPECT_EQ(c.IconColumn, 0xC0C0C0u);
    EXPECT_EQ(c.SelectionFill, 0xFFFFFFu);
    EXPECT_EQ(c.CheckFill, 0xFFFFFFu);
    EXPECT_EQ(c.CheckFillSelected, 0xFFFFFFu);
    EXPECT_EQ(c.Disabled, 0x808080u);
    EXPECT_EQ(c.FrameBorder, 0x808080u);
    EXPECT_EQ(c.FrameShadow, 0x808080u);
}

TEST(MenuWorkingColours, WithoutSystemColoursThePaintersOwnAreUsed)
{
    TMenuColourSources s = ClassicSystem(true);
    s.UseSystemColors = false;
    s.UseDimColor = false;
    const TMenuColours plain = DeriveColours(s);
    EXPECT_EQ(plain.MenuBackground, 0x111111u);
    EXPECT_EQ(plain.SelectionFill, 0x00FF00u);
    EXPECT_EQ(plain.CheckFill, 0x00FF00u);
    s.HighColor = false;
    const TMenuColours few = DeriveColours(s);
    EXPECT_EQ(few.CheckFill, 0xFFFFFFu);
    EXPECT_EQ(few.CheckFillSelected, 0xC0C0C0u);
    s.HighColor = true;
    s.UseDimColor = true;
    EXPECT_EQ(DeriveColours(s).CheckFillSelected, Lighten(0x00FF00, 50));
}

}  // namespace
}  // namespace zelvora
