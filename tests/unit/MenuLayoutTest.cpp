#include "look/MenuLayout.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

// A font of 6 pixels per letter, 13 pixels per line.
TTextMeasure SixPixelFont()
{
    return {[](std::string_view text) { return static_cast<int>(text.size()) * 6; }, 13};
}

TEST(FlatMenuMeasuring, DropDownItemsAddTheIconColumnAndOnlyEverGrow)
{
    TMenuItemMeasure item;
    item.Caption = "Hilfe";
    int width = 0, height = 0;
    MeasureMenuItem(item, SixPixelFont(), width, height);
    EXPECT_EQ(width, 5 * 6 + 5 + 24);
    EXPECT_EQ(height, 13 + 10) << "13 + round(9.75)";

    width = 200, height = 40;
    MeasureMenuItem(item, SixPixelFont(), width, height);
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 40);

    item.ImageWidth = 32, item.ImageHeight = 30;
    width = 0, height = 0;
    MeasureMenuItem(item, SixPixelFont(), width, height);
    EXPECT_EQ(width, 30 + 5 + 32) << "a picture wider than the column takes its own width";
    EXPECT_EQ(height, 36) << "picture height + 6";
}

TEST(FlatMenuMeasuring, ShortCutsAmpersandsSeparatorsAndBarItems)
{
    TMenuItemMeasure cut;
    cut.Caption = "&Ausschneiden";
    cut.ShortCutText = "Strg+X";
    int width = 0, height = 0;
    MeasureMenuItem(cut, SixPixelFont(), width, height);
    // "&Ausschneiden" + "Strg+X" + "WWW": 22 letters, less one "&".
    EXPECT_EQ(width, 22 * 6 + 5 - 6 + 24);

    cut.ShortCutText = "  ";
    width = 0;
    MeasureMenuItem(cut, SixPixelFont(), width, height);
    EXPECT_EQ(width, 13 * 6 + 5 - 6 + 24) << "a blank shortcut text adds nothing";

    TMenuItemMeasure separator;
    separator.Caption = "-";
    width = 0, height = 20;
    MeasureMenuItem(separator, SixPixelFont(), width, height);
    EXPECT_EQ(height, 4) << "separators are 4 pixels high even when the default is taller";
    EXPECT_EQ(width, 5 + 24);

    TMenuItemMeasure bar;
    bar.Caption = "Datei";
    bar.BarItem = true;
    width = 0, height = 0;
    MeasureMenuItem(bar, SixPixelFont(), width, height);
    EXPECT_EQ(width, 30 + 5 + 8) << "no icon column on the bar; 8 more on the NT family";
    bar.NtPlatform = false;
    width = 0;
    MeasureMenuItem(bar, SixPixelFont(), width, height);
    EXPECT_EQ(width, 30 + 5);

    TMenuItemMeasure tall;
    tall.Caption = "x";
    width = 0, height = 0;
    MeasureMenuItem(tall, {SixPixelFont().Width, 14}, width, height);
    EXPECT_EQ(height, 14 + 10) << "14 * 0.75 = 10.5 rounds to the even 10";
}

TEST(FlatMenuLayout, DropDownItemWithoutPicture)
{
    const TMenuItemLayout layout = LayoutMenuItem({{0, 40, 150, 62}, false, false, 24, 0});
    EXPECT_EQ(layout.Item, (TRect{0, 40, 150, 63}));
    EXPECT_EQ(layout.IconColumn, (TRect{0, 40, 24, 63}));
    EXPECT_EQ(layout.CheckBox, (TRect{7, 46, 17, 56})) << "10 x 10 centred in the column";
    EXPECT_EQ(layout.Text, (TRect{24, 40, 150, 63}));
    EXPECT_EQ(SelectionRect(layout.Item, true), (TRect{0, 41, 149, 62}));
    EXPECT_EQ(SelectionRect(layout.Item, false), (TRect{0, 41, 150, 62}));
}

TEST(FlatMenuLayout, RightToLeftMirrorsColumnBoxAndText)
{
    const TMenuItemLayout layout = LayoutMenuItem({{0, 0, 150, 22}, false, true, 24, 0});
    EXPECT_EQ(layout.IconColumn, (TRect{126, 0, 150, 23}));
    EXPECT_EQ(layout.CheckBox, (TRect{133, 6, 143, 16}));
    EXPECT_EQ(layout.Text, (TRect{0, 0, 126, 23}));
    EXPECT_EQ(SeparatorLine(layout.Text, true), (TStroke{{0, 12}, {119, 12}}));
    EXPECT_EQ(CaptionRect(layout.Text, 13, true), (TRect{0, 5, 123, 23}));
    EXPECT_EQ(ShortCutRect(CaptionRect(layout.Text, 13, true), true), (TRect{10, 5, 123, 23}));
}

TEST(FlatMenuLayout, PicturesWiderThanTheColumnAndBarItems)
{
    const TMenuItemLayout wide = LayoutMenuItem({{0, 0, 150, 30}, false, false, 24, 32});
    EXPECT_EQ(wide.CheckBox, (TRect{1, 2, 33, 29})) << "the box takes the picture's width";
    EXPECT_EQ(wide.Text, (TRect{36, 0, 150, 31})) << "text starts 4 past the picture";

    const TMenuItemLayout bar = LayoutMenuItem({{10, 0, 60, 19}, true, false, 24, 0});
    EXPECT_EQ(bar.Text, bar.Item) << "a bar item without picture has all of its rectangle";
    EXPECT_EQ(bar.CheckBox.Top, 4) << "one up for bar items";

    const TMenuItemLayout barPicture = LayoutMenuItem({{10, 0, 60, 19}, true, false, 24, 16});
    EXPECT_EQ(barPicture.Text.Left, 10 + 16 + 4 - 5);

    EXPECT_EQ(PicturePosition({0, 10, 24, 30}, 16, 24, false, false), (TPoint{3, 13}));
    EXPECT_EQ(PicturePosition({0, 10, 24, 30}, 24, 24, false, false), (TPoint{2, 13}));
    EXPECT_EQ(PicturePosition({100, 10, 124, 30}, 24, 24, false, true), (TPoint{98, 13}));
    EXPECT_EQ(PicturePosition({0, 10, 24, 30}, 16, 24, true, false), (TPoint{1, 13}));
}

TEST(FlatMenuLayout, SeparatorCaptionAndShortCut)
{
    const TRect text{24, 100, 150, 105};
    EXPECT_EQ(SeparatorLine(text, false), (TStroke{{31, 102}, {150, 102}})) << "5 / 2 = 2.5 rounds to 2";
    EXPECT_EQ(SeparatorLine({24, 100, 150, 107}, false)[0].Y, 104) << "7 / 2 = 3.5 rounds to 4";

    const TRect caption = CaptionRect({24, 0, 150, 23}, 13, false);
    EXPECT_EQ(caption, (TRect{27, 5, 150, 23}));
    EXPECT_EQ(ShortCutRect(caption, false), (TRect{27, 5, 140, 23}));
}

TEST(FlatMenuMarks, TheMenuTickReachesPastTheBoxTopRight)
{
    const std::vector<TStroke> tick = MenuTickStrokes({7, 6, 17, 16});
    ASSERT_EQ(tick.size(), 5u);
    EXPECT_EQ(tick[0], (TStroke{{8, 11}, {11, 14}}));
    EXPECT_EQ(tick[1], (TStroke{{9, 11}, {11, 13}}));
    EXPECT_EQ(tick[2], (TStroke{{9, 10}, {12, 13}}));
    EXPECT_EQ(tick[3], (TStroke{{11, 13}, {19, 5}}));
    EXPECT_EQ(tick[4], (TStroke{{11, 14}, {15, 9}}));
}

TEST(FlatMenuMarks, BarShadowStepsInsideTheLastSevenColumns)
{
    const TRect item{10, 0, 60, 19};
    const std::vector<TShadeStep> steps = BarShadowSteps(item);
    ASSERT_EQ(steps.size(), 4u);
    for (const TShadeStep& step : steps) {
        EXPECT_EQ(step.Area.Left, 53);
        EXPECT_EQ(step.Area.Bottom, 19);
    }
    EXPECT_EQ(steps[0].Area, (TRect{53, 0, 60, 19}));
    EXPECT_EQ(steps[3].Darkness, 100);
    const std::vector<TShadeStroke> strokes = BarShadowStrokes(item);
    ASSERT_EQ(strokes.size(), 5u);
    EXPECT_EQ(strokes[0].Points.front(), (TPoint{55, 1}));
    EXPECT_EQ(strokes[4].Darkness, 40);
}

TEST(FlatMenuMarks, FlatFrameBorderBandAndTwoPixelShadow)
{
    const TFlatFrameLayout frame = FlatFrameLayout({100, 50, 300, 250}, 24, false);
    EXPECT_EQ(frame.Border, (TRect{100, 50, 298, 248}));
    EXPECT_EQ(frame.Band, (TRect{101, 51, 297, 53}));
    EXPECT_EQ(frame.BandLine, (TStroke{{101, 52}, {127, 52}}));
    EXPECT_EQ(frame.Strip, (TRect{101, 52, 103, 247}));
    EXPECT_EQ(frame.ShadowBottom, (TRect{102, 248, 300, 250}));
    EXPECT_EQ(frame.ShadowRight, (TRect{298, 52, 300, 250}));
    EXPECT_EQ(frame.CornerBottomLeft, (TRect{100, 248, 102, 250}));
    EXPECT_EQ(frame.CornerTopRight, (TRect{298, 50, 300, 52}));

    const TFlatFrameLayout mirrored = FlatFrameLayout({100, 50, 300, 250}, 24, true);
    EXPECT_EQ(mirrored.Strip, (TRect{295, 52, 297, 247})) << "the strip sits inside the right edge";
    EXPECT_EQ(mirrored.BandLine, (TStroke{{297, 52}, {271, 52}}));
}

TEST(FlatControlMarks, CheckAndRadioBoxes)
{
    // A 17-pixel-high check box, thumb width 16.
    EXPECT_EQ(CheckMarkBox({0, 0, 120, 17}, 16, false, false), (TRect{0, 1, 15, 17}))
        << "3 + (11 - 16) div 2";
    EXPECT_EQ(CheckMarkBox({0, 0, 120, 25}, 16, false, false), (TRect{0, 4, 15, 20}));
    EXPECT_EQ(CheckMarkBox({0, 0, 120, 25}, 16, true, false), (TRect{105, 4, 120, 20}));
    EXPECT_EQ(CheckMarkBox({0, 0, 120, 25}, 16, false, true), (TRect{0, 5, 15, 20}));
    EXPECT_TRUE(CheckMarkAtRight(true, false));
    EXPECT_FALSE(CheckMarkAtRight(false, false));
    EXPECT_TRUE(CheckMarkAtRight(false, true));

    const std::vector<TStroke> tick = CheckBoxTickStrokes({2, 6, 13, 18});
    ASSERT_EQ(tick.size(), 3u);
    EXPECT_EQ(tick[0], (TStroke{{4, 13}, {6, 15}, {11, 10}}));
    EXPECT_EQ(tick[2], (TStroke{{4, 11}, {6, 13}, {11, 8}}));
}

TEST(FlatControlMarks, ButtonEdgeMovesWhenPressed)
{
    const TRect client{0, 0, 75, 25};
    EXPECT_EQ(ButtonEdge(client, false), (TStroke{{74, 1}, {74, 23}, {73, 24}, {0, 24}}));
    EXPECT_EQ(ButtonEdge(client, true), (TStroke{{0, 23}, {0, 1}, {1, 0}, {74, 0}}));
}

TEST(FlatControlMarks, GlyphAndCaptionCentredTogether)
{
    const TRect client{0, 0, 100, 30};
    TGlyphPlacement left = PlaceGlyph(client, 18, 18, 40, 13, TGlyphLayout::blGlyphLeft, 4);
    EXPECT_EQ(left.Glyph, (TPoint{19, 6}));
    EXPECT_EQ(left.Caption, (TRect{41, 8, 81, 21}));
    TGlyphPlacement right = PlaceGlyph(client, 18, 18, 40, 13, TGlyphLayout::blGlyphRight, 4);
    EXPECT_EQ(right.Caption.Left, 19);
    EXPECT_EQ(right.Glyph.X, 63);
    TGlyphPlacement top = PlaceGlyph({0, 0, 100, 60}, 18, 18, 40, 13, TGlyphLayout::blGlyphTop, 4);
    EXPECT_EQ(top.Glyph, (TPoint{41, 12}));
    EXPECT_EQ(top.Caption.Top, 34);
    TGlyphPlacement alone = PlaceGlyph(client, 18, 18, 0, 13, TGlyphLayout::blGlyphLeft, 4);
    EXPECT_EQ(alone.Glyph.X, 41) << "no spacing without a caption";
}

}  // namespace
}  // namespace zelvora
