// The card of the hold's keys: after a still second, once a hold; beside the pointer, never over it.
#include "engine/KeyHints.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(KeyHintTimer, ShowsAfterAStillSecondUntilAMoveOrAKeyAndOnlyOnceAHold)
{
    TKeyHintTimer timer;
    const TPoint at{100, 100};
    const std::uint32_t start = 0xFFFFFF00;  // the clock wraps during the hold
    EXPECT_FALSE(timer.Tick(start, true, at, false));
    EXPECT_FALSE(timer.Tick(start + 999, true, at, false));
    EXPECT_TRUE(timer.Tick(start + 1000, true, at, false));
    EXPECT_FALSE(timer.Tick(start + 1010, true, {101, 100}, false)) << "moved";
    EXPECT_FALSE(timer.Tick(start + 5000, true, at, false)) << "back and still: not again in this hold";
    EXPECT_FALSE(timer.Tick(start + 5010, false, at, false));

    EXPECT_FALSE(timer.Tick(10, true, at, false)) << "a new hold counts anew";
    EXPECT_TRUE(timer.Tick(1010, true, at, false));
    EXPECT_FALSE(timer.Tick(1020, true, at, true)) << "a key";
    EXPECT_FALSE(timer.Tick(3000, true, at, false));
    EXPECT_FALSE(timer.Tick(3010, false, at, false)) << "released";
    EXPECT_FALSE(timer.Tick(3020, true, at, true));
    EXPECT_FALSE(timer.Tick(5000, true, at, false)) << "a key early in the hold spends it too";
}

TEST(KeyHintPlace, BesideThePointerInsideTheWorkAreaAndNeverOverIt)
{
    const TRect work{0, 0, 1000, 700};
    EXPECT_EQ(KeyHintPlace({100, 100}, 300, 120, work, 24), (TRect{124, 124, 424, 244}));
    // At the right and bottom edges it goes left of and above the pointer.
    EXPECT_EQ(KeyHintPlace({900, 650}, 300, 120, work, 24), (TRect{576, 506, 876, 626}));
    // A monitor at negative points.
    EXPECT_EQ(KeyHintPlace({-1900, -50}, 300, 120, {-1920, -200, 0, 880}, 24),
              (TRect{-1876, -26, -1576, 94}));
    for (const TPoint p : {TPoint{0, 0}, TPoint{999, 699}, TPoint{500, 350}, TPoint{990, 5}}) {
        const TRect card = KeyHintPlace(p, 300, 120, work, 24);
        EXPECT_TRUE(card.Left >= 0 && card.Top >= 0 && card.Right <= 1000 && card.Bottom <= 700);
        EXPECT_TRUE(p.X <= card.Left - 24 || p.X >= card.Right + 24 || p.Y <= card.Top - 24 ||
                    p.Y >= card.Bottom + 24)
            << p.X << "," << p.Y;
    }
}

}  // namespace
}  // namespace zelvora
