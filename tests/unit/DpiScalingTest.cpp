#include "base/DpiScaling.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(DpiScaling, LengthsRoundHalfAwayFromZeroAsMulDivDoes)
{
    EXPECT_EQ(ScaleToDpi(10, 144), 15);
    EXPECT_EQ(ScaleToDpi(11, 144), 17);    // 16.5
    EXPECT_EQ(ScaleToDpi(-11, 144), -17);  // the same away from zero
    EXPECT_EQ(ScaleToDpi(10, 120), 13);    // 125 %: 12.5
    EXPECT_EQ(ScaleToDpi(7, 192), 14);
    EXPECT_EQ(ScaleToDpi(3, 72), 2);         // 2.25
    EXPECT_EQ(MulDivRounded(7, 1, -2), -4);  // a negative divisor as well
    EXPECT_EQ(ScaleToDpi(30000, 192), 60000) << "no overflow in the product";
}

TEST(DpiScaling, AMissingDpiLeavesTheDescriptionAsItIs)
{
    EXPECT_EQ(ScaleToDpi(10, 96), 10);
    EXPECT_EQ(ScaleToDpi(10, 0), 10);
    EXPECT_EQ(ScaleToDpi(10, -144), 10);
    EXPECT_EQ(ScaleRectToDpi({8, 16, 200, 41}, 96), (TRect{8, 16, 200, 41}));
}

TEST(DpiScaling, RectanglesKeepEqualSizesAndNegativePlaces)
{
    // Two buttons of one size, side by side: both get the same width at 150 %.
    const TRect ok = ScaleRectToDpi({5, 5, 80, 30}, 144);
    const TRect cancel = ScaleRectToDpi({86, 5, 161, 30}, 144);
    EXPECT_EQ(ok.Width(), cancel.Width());
    EXPECT_EQ(ok.Width(), 113);  // 112.5
    EXPECT_LT(ok.Right, cancel.Left) << "the gap between them stays";
    // A window on a screen left of the main one.
    EXPECT_EQ(ScaleRectToDpi({-700, -20, -300, 280}, 144), (TRect{-1050, -30, -450, 420}));
}

TEST(DpiScaling, FontsGrowWithTheScreenAndNeverVanish)
{
    EXPECT_EQ(ScaleFontHeight(-11, 144), -17);  // Tahoma 8 pt
    EXPECT_EQ(ScaleFontHeight(-11, 96), -11);
    EXPECT_EQ(ScaleFontHeight(-1, 48), -1) << "0 would mean the system's default size";
    EXPECT_EQ(ScaleFontHeight(1, 48), 1);
    EXPECT_EQ(ScaleFontHeight(0, 144), 0) << "the default size stays the default";
}

TEST(DpiScaling, AWindowMovedBetweenScreensScalesFromWhereItWas)
{
    EXPECT_EQ(ScaleBetweenDpi(15, 96, 144), 10);
    EXPECT_EQ(ScaleBetweenDpi(15, 192, 144), 20);
    EXPECT_EQ(ScaleBetweenDpi(17, 120, 144), 14);  // 14.17
    EXPECT_EQ(ScaleBetweenDpi(15, 144, 0), 23) << "an unknown source dpi counts as 96";
    // There and back again lands where it started for the sizes of this program's windows.
    for (int length : {5, 20, 48, 85, 205, 417})
        EXPECT_EQ(ScaleBetweenDpi(ScaleToDpi(length, 144), 96, 144), length) << length;
    EXPECT_EQ(ScaleRectBetweenDpi({-30, 15, 120, 45}, 96, 144), (TRect{-20, 10, 80, 30}));
    EXPECT_EQ(ScaleFontHeightBetweenDpi(-17, 96, 144), -11);
    EXPECT_EQ(ScaleFontHeightBetweenDpi(-1, 96, 192), -1);
    // 150 % to 200 %: as if scaled from 96 at once, not 17 * 4 / 3 = 22.67.
    EXPECT_EQ(ScaleFontHeightBetweenDpi(-17, 192, 144), -22);
    EXPECT_EQ(ScaleBetweenDpi(16, 144, 144), 16) << "no change of screen, no change";
}

TEST(DpiScaling, HairlinesStayHairlinesAndWiderLinesScale)
{
    EXPECT_EQ(ScaleLineWidth(1, 144, 96), 1);
    EXPECT_EQ(ScaleLineWidth(1, 192, 96), 1);
    EXPECT_EQ(ScaleLineWidth(0, 144, 96), 0) << "no line stays no line";
    EXPECT_EQ(ScaleLineWidth(2, 144, 96), 3);
    EXPECT_EQ(ScaleLineWidth(5, 144, 96), 8);
    EXPECT_EQ(ScaleLineWidth(8, 96, 144), 5);
    EXPECT_EQ(ScaleLineWidth(2, 48, 96), 1) << "never thinner than a pixel";
}

TEST(DpiScaling, MarkerWidthIsInPhysicalPixelsAndAtLeastOne)
{
    EXPECT_EQ(MarkerWidthAtDpi(10, 144), 15);
    EXPECT_EQ(MarkerWidthAtDpi(1, 144), 2);
    EXPECT_EQ(MarkerWidthAtDpi(1, 48), 1);
    EXPECT_EQ(MarkerWidthAtDpi(0, 96), 1);
}

TEST(DpiScaling, PackedPointsAreSigned)
{
    EXPECT_EQ(PointFromPacked(0x00140032), (TPoint{50, 20}));
    EXPECT_EQ(PointFromPacked(0xFFECFFCE), (TPoint{-50, -20})) << "left of and above the main screen";
    EXPECT_EQ(PointFromPacked(0x7FFF8000), (TPoint{-32768, 32767}));
    EXPECT_EQ(PointFromPacked(0xABCD'0000'0014'0032ULL), (TPoint{50, 20})) << "the high half is ignored";
}

}  // namespace
}  // namespace zelvora
