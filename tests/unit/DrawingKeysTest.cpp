#include "engine/DrawingKeys.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/MarkGeometry.h"
#include "engine/ShapePieces.h"

namespace zelvora {
namespace {

constexpr TShortCut kAlt1 = 0x8031;
constexpr int kLeftShift = 0xA0, kRightCtrl = 0xA3, kLeftAlt = 0xA4, kTab = 0x09;

constexpr auto kPass = TKeyVerdict::Pass, kSwallow = TKeyVerdict::Swallow, kType = TKeyVerdict::Type;

TEST(DrawingKeys, HeldKeysChooseTheShapeAndEveryKeyButTheChordsModifiersIsSwallowed)
{
    TDrawingKeys keys(kAlt1);
    EXPECT_EQ(keys.Shape(), TDrawingShape::None);
    EXPECT_EQ(keys.KeyDown(kLeftShift), kSwallow);
    EXPECT_EQ(keys.Shape(), TDrawingShape::Line);
    EXPECT_EQ(keys.KeyDown(kRightCtrl), kSwallow);
    EXPECT_EQ(keys.Shape(), TDrawingShape::Arrow);
    keys.KeyUp(kLeftShift);
    EXPECT_TRUE(keys.TakeShapeKeyUp());
    EXPECT_FALSE(keys.TakeShapeKeyUp()) << "told twice";
    EXPECT_EQ(keys.Shape(), TDrawingShape::Rectangle);
    keys.KeyUp(kRightCtrl);
    EXPECT_EQ(keys.KeyDown(kTab), kSwallow);
    EXPECT_EQ(keys.Shape(), TDrawingShape::Ellipse);
    keys.KeyUp(kTab);

    // The chord's modifiers are never ours; its key's repeats are, its release is not. A key
    // that was down before the hold releases freely.
    EXPECT_EQ(keys.KeyDown(kLeftAlt), kPass);
    EXPECT_EQ(keys.KeyDown('1'), kSwallow);
    EXPECT_EQ(keys.KeyDown('1'), kSwallow);
    keys.KeyUp('1');
    keys.AlreadyDown(kTab);
    EXPECT_EQ(keys.Shape(), TDrawingShape::Ellipse);
    keys.KeyUp(kTab);
    EXPECT_EQ(keys.Shape(), TDrawingShape::None);

    // Every other key is swallowed, odd codes included, and means nothing.
    EXPECT_EQ(keys.KeyDown('W'), kSwallow);
    keys.KeyUp('W');
    EXPECT_EQ(keys.KeyDown(-1), kPass);
    keys.KeyUp(4096);
    EXPECT_FALSE(keys.TakeColour());
    EXPECT_FALSE(keys.TextWanted());
}

TEST(DrawingKeys, KeysHeldPastTheHoldStayOursUntilTheyGoUpAndNewOnesPass)
{
    TDrawingKeys keys(kAlt1);
    keys.KeyDown(kTab);
    keys.KeyDown('T');
    keys.EndHold();
    EXPECT_TRUE(keys.KeysStillHeld());
    EXPECT_EQ(keys.KeyDown(kTab), kSwallow) << "Tab's auto-repeat reached the program beneath";
    EXPECT_EQ(keys.KeyDown('Q'), kPass) << "a key pressed after the hold is the program's";
    keys.KeyUp('Q');
    keys.KeyUp(kTab);
    EXPECT_FALSE(keys.TakeShapeKeyUp()) << "a shape key going up after the hold keeps nothing";
    // What the hook reported, down or up: a key the key state shows down and the hook never
    // saw went past it.
    EXPECT_TRUE(keys.Seen(kTab));
    EXPECT_FALSE(keys.IsDown(kTab));
    EXPECT_FALSE(keys.Seen('R'));
    keys.NoteSeen('R');
    EXPECT_TRUE(keys.Seen('R'));
    EXPECT_FALSE(keys.IsDown('R'));

    // The text field opens while T is still down: its repeats type nothing ("tttHallo").
    keys.SetTyping(true);
    EXPECT_EQ(keys.KeyDown('T'), kSwallow);
    keys.KeyUp('T');
    EXPECT_FALSE(keys.KeysStillHeld());
    EXPECT_EQ(keys.KeyDown('H'), kType);
    EXPECT_EQ(keys.KeyDown('H'), kType) << "a held letter repeats in the field";
    keys.KeyUp('H');
    EXPECT_EQ(keys.KeyDown(kLeftShift), kPass) << "modifiers reach the system";
    EXPECT_EQ(keys.KeyDown('A'), kType);
    keys.KeyUp('A');
    keys.KeyUp(kLeftShift);
    EXPECT_EQ(keys.KeyDown(kRightCtrl), kPass);
    EXPECT_EQ(keys.KeyDown(0xA5), kPass);  // AltGr: right Alt with Ctrl
    EXPECT_EQ(keys.KeyDown('Q'), kType) << "AltGr+Q types @ on a German keyboard";
    keys.KeyUp('Q');
    keys.KeyUp(kRightCtrl);
    EXPECT_EQ(keys.KeyDown(kTab), kPass) << "Alt+Tab switches windows";
    keys.KeyUp(kTab);
    keys.KeyUp(0xA5);
    EXPECT_EQ(keys.KeyDown(0x5B), kPass);  // the Windows key
    EXPECT_EQ(keys.KeyDown('D'), kPass);
    keys.KeyUp('D');
    keys.KeyUp(0x5B);
    EXPECT_EQ(keys.KeyDown(0x0D), TKeyVerdict::Edit);  // Enter keeps the text
    keys.KeyUp(0x0D);
    keys.SetTyping(false);
    EXPECT_EQ(keys.KeyDown('X'), kPass);
}

TEST(DrawingKeys, AKeyThatMakesAnotherShortcutWithTheHeldModifiersAsksForIt)
{
    TDrawingKeys keys(kAlt1);
    keys.SetShortcuts({0x8031, 0x8032, 0x0000, 0xC034, 0x8054});  // Alt+1, Alt+2, off, Ctrl+Alt+4, Alt+T
    EXPECT_EQ(keys.KeyDown('2'), kSwallow);
    EXPECT_EQ(keys.KeyDown('2'), kSwallow);  // its repeat asks nothing more
    keys.KeyUp('2');
    EXPECT_EQ(keys.KeyDown('T'), kSwallow);
    EXPECT_EQ(keys.TakeShortcuts(), (std::vector<std::size_t>{1, 4}));
    EXPECT_FALSE(keys.TextWanted()) << "Alt+T is a shortcut, not a text";
    EXPECT_EQ(keys.KeyDown('4'), kSwallow);
    EXPECT_TRUE(keys.TakeShortcuts().empty()) << "Alt+4 is not Ctrl+Alt+4";
    keys.KeyDown(kRightCtrl);
    keys.KeyUp('4');
    keys.KeyDown('4');
    EXPECT_EQ(keys.TakeShortcuts(), (std::vector<std::size_t>{3}));
    keys.KeyDown(0);
    EXPECT_TRUE(keys.TakeShortcuts().empty()) << "an emptied shortcut is off";
    keys.EndHold();
    keys.KeyDown('2');
    EXPECT_TRUE(keys.TakeShortcuts().empty()) << "after the hold the system's hotkeys act";
}

TEST(DrawingKeys, ColoursWidthsAndTextAreAskedUntilTaken)
{
    TDrawingKeys keys(0x6031);  // Shift+Ctrl+1: Shift and Ctrl are the chord's, not shapes
    EXPECT_EQ(keys.KeyDown(kLeftShift), kPass);
    EXPECT_EQ(keys.Shape(), TDrawingShape::None);

    keys.KeyDown('R');
    keys.KeyDown('G');
    EXPECT_EQ(keys.TakeColour(), RgbOf(0, 160, 0)) << "the last colour pressed counts";
    EXPECT_FALSE(keys.TakeColour());
    const std::pair<int, TColor> colours[] = {{'B', RgbOf(0, 0, 255)},
                                              {'Y', RgbOf(255, 255, 0)},
                                              {'O', RgbOf(255, 128, 0)},
                                              {'P', RgbOf(255, 0, 128)},
                                              {'R', RgbOf(255, 0, 0)}};
    for (const auto& [key, colour] : colours) {
        keys.KeyDown(key);
        EXPECT_EQ(keys.TakeColour(), colour) << static_cast<char>(key);
    }

    keys.KeyDown(0xBB);  // +
    keys.KeyDown(0x6B);  // + on the number pad
    keys.KeyDown(0xBD);  // -
    keys.Wheel(120 * 3);
    keys.Wheel(-60);  // half a notch of a fine wheel: nothing yet
    EXPECT_EQ(keys.TakeWidthSteps(), 4);
    keys.Wheel(-60);
    keys.Wheel(-120);
    EXPECT_EQ(keys.TakeWidthSteps(), -2);
    EXPECT_EQ(keys.TakeWidthSteps(), 0);
    EXPECT_EQ(SteppedMarkerSize(19, 4), 20);
    EXPECT_EQ(SteppedMarkerSize(2, -5), 1);
    EXPECT_EQ(SteppedMarkerSize(10, 2), 12);

    EXPECT_FALSE(keys.TextWanted());
    keys.KeyDown('T');
    EXPECT_TRUE(keys.TextWanted());
}

TEST(DrawingKeys, WAndKAskForABoardOncePerPressAndEveryKeyOfOursCountsAsInput)
{
    TDrawingKeys keys(0x8031);  // Alt+1
    EXPECT_FALSE(keys.TakeAnyInput());
    keys.KeyDown('1');  // the chord's own key repeating
    EXPECT_FALSE(keys.TakeAnyInput()) << "the chord's repeats are no input";
    EXPECT_EQ(keys.KeyDown('W'), kSwallow);
    keys.KeyDown('W');  // its repeat
    EXPECT_EQ(keys.TakeBoard(), RgbOf(255, 255, 255));
    EXPECT_FALSE(keys.TakeBoard()) << "a held key is one board";
    EXPECT_TRUE(keys.TakeAnyInput());
    keys.KeyUp('W');
    keys.KeyDown('K');
    EXPECT_EQ(keys.TakeBoard(), RgbOf(0, 0, 0));
    keys.Wheel(30);
    EXPECT_TRUE(keys.TakeAnyInput()) << "the wheel too";
    EXPECT_FALSE(keys.TakeAnyInput());
}

TEST(ShapeGeometry, TheArrowsBarbsLeaveTheHeadAtThirtyDegreesAndFourPenWidths)
{
    const TPoint head{100, 100};
    const auto [left, right] = ArrowBarbs(head, {300, 100}, 10);
    // 40 pixels along directions 30 degrees either side of the shaft, towards the tail.
    EXPECT_EQ(left, (TPoint{135, 120}));
    EXPECT_EQ(right, (TPoint{135, 80}));

    // A thin pen still gets 12-pixel barbs; the shaft's direction turns them.
    const auto [up1, up2] = ArrowBarbs(head, {100, 0}, 1);
    for (const TPoint barb : {up1, up2}) {
        EXPECT_NEAR(std::hypot(barb.X - head.X, barb.Y - head.Y), 12.0, 0.8);
        EXPECT_LT(barb.Y, head.Y);
    }
    EXPECT_EQ(up1.X + up2.X, 2 * head.X) << "not symmetric about the shaft";

    const auto [none1, none2] = ArrowBarbs(head, head, 10);
    EXPECT_EQ(none1, head);
    EXPECT_EQ(none2, head);
}

TEST(ShapeGeometry, ShapesPulledEitherWayCoverTheirCornersAndKeepThePen)
{
    const TMarkPen pen{6, RgbOf(255, 0, 0), false};
    const TMarkPiece box = ShapePiece(TDrawingShape::Rectangle, {300, 200}, {100, 50}, pen, false);
    EXPECT_EQ(box.Kind, TMarkPiece::TKind::Frame);
    EXPECT_EQ(box.Frame, (TControlFrame{{100, 50, 301, 201}, 6, TBrushStyle::bsClear}));
    const TMarkPiece oval = ShapePiece(TDrawingShape::Ellipse, {100, 200}, {300, 50}, pen, true);
    EXPECT_EQ(oval.Kind, TMarkPiece::TKind::Ellipse);
    EXPECT_EQ(oval.Frame, (TControlFrame{{100, 50, 301, 201}, 6, TBrushStyle::bsSolid}));

    const TMarkPiece arrow = ShapePiece(TDrawingShape::Arrow, {100, 100}, {300, 100}, pen, false);
    EXPECT_EQ(arrow.Kind, TMarkPiece::TKind::Arrow);
    const TRect bounds = PieceBounds(arrow);
    const auto [left, right] = ArrowBarbs(arrow.From, arrow.To, pen.Width);
    for (const TPoint p : {arrow.From, arrow.To, left, right})
        EXPECT_FALSE(IsEmpty(Intersection(bounds, {p.X - 3, p.Y - 3, p.X + 4, p.Y + 4})))
            << "the bounds leave out " << p.X << "," << p.Y;

    const TMarkPiece text = TextPiece({10, 20}, L"Hallo", pen, 50, 24);
    EXPECT_EQ(PieceBounds(text), (TRect{9, 19, 61, 45}));
    EXPECT_FALSE(text.SameDrawingAs(TextPiece({10, 20}, L"Hallo!", pen, 50, 24)));
    EXPECT_EQ(TextHeightFor(2), 16);
    EXPECT_EQ(TextHeightFor(10), 40);
}

}  // namespace
}  // namespace zelvora
