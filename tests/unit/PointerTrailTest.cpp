// The positions a tick of the marking loop draws through: recorded motion in, line ends out.
#include "engine/PointerTrail.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using Points = std::vector<TPoint>;

TEST(PointerTrail, ATickDrawsThroughEveryPositionSinceTheLastInOrderNoneTwiceNoneBeforeThePenWentDown)
{
    TPointerTrail trail;
    trail.Note({1, 1}, 100);  // the pen is up: not noted
    trail.PenDown(1000);
    trail.Note({5, 5}, 999);  // reported before the pen went down
    trail.Note({10, 10}, 1000);
    trail.Note({10, 10}, 1001);  // the same place again
    trail.Note({14, 2}, 1002);
    trail.Note({18, 30}, 1004);
    EXPECT_EQ(trail.Take({18, 30}), (Points{{10, 10}, {14, 2}, {18, 30}}));
    // The next tick begins after them: a repeat of the last position drawn is no new point.
    trail.Note({18, 30}, 1009);
    trail.Note({20, 31}, 1010);
    trail.Note({18, 30}, 1011);  // back again is a turn, drawn
    EXPECT_EQ(trail.Take({18, 30}), (Points{{20, 31}, {18, 30}}));
    // Nothing noted (no history to be had, or the pointer at rest): the polled position.
    EXPECT_EQ(trail.Take({18, 30}), (Points{{18, 30}}));
    EXPECT_EQ(trail.Take({40, 41}), (Points{{40, 41}}));
    // The polled position never follows noted ones: it may be older than the newest.
    trail.Note({50, 50}, 1020);
    EXPECT_EQ(trail.Take({45, 45}), (Points{{50, 50}}));
    trail.PenUp();
    trail.Note({60, 60}, 1030);
    trail.PenDown(1040);
    EXPECT_EQ(trail.Take({70, 70}), (Points{{70, 70}})) << "a position of the last stroke came along";
}

TEST(PointerTrail, AStraightRunOfSmallMovesIsOneLineAndEveryTurnStays)
{
    TPointerTrail trail;
    trail.PenDown(0);
    unsigned time = 0;
    // Up 12 moves of 3 px leaning right, then down again: a zigzag's leg and a turn.
    TPoint at{100, 200};
    for (int i = 0; i < 12; ++i) trail.Note(at = {at.X + 1, at.Y - 3}, ++time);
    for (int i = 0; i < 12; ++i) trail.Note(at = {at.X + 1, at.Y + 3}, ++time);
    EXPECT_EQ(trail.Take(at), (Points{{101, 197}, {112, 164}, {124, 200}}));
    // Out and back along one line keeps its far end; a bend of one pixel stays.
    for (int x : {130, 140, 150, 140, 130}) trail.Note({x, 200}, ++time);
    trail.Note({120, 201}, ++time);
    trail.Note({110, 200}, ++time);
    EXPECT_EQ(trail.Take({0, 0}), (Points{{150, 200}, {120, 201}, {110, 200}}));
}

TEST(PointerTrail, TheClockMayWrapAndAStalledTickKeepsTheNewestPositions)
{
    TPointerTrail trail;
    trail.PenDown(0xFFFFFFF0u);
    trail.Note({1, 0}, 0xFFFFFFEFu);  // before
    trail.Note({2, 0}, 0xFFFFFFF8u);
    trail.Note({3, 0}, 4);  // after the wrap: still after the pen went down
    EXPECT_EQ(trail.Take({0, 0}), (Points{{2, 0}, {3, 0}}));

    const int count = static_cast<int>(TPointerTrail::kMaxPositions) + 10;
    for (int i = 0; i < count; ++i) trail.Note({i, 4 * (i % 2)}, 10 + static_cast<unsigned>(i));
    const Points kept = trail.Take({0, 0});
    ASSERT_EQ(kept.size(), TPointerTrail::kMaxPositions) << "every turn of the newest is drawn";
    EXPECT_EQ(kept.front(), (TPoint{10, 0}));
    EXPECT_EQ(kept.back(), (TPoint{count - 1, 4 * ((count - 1) % 2)}));
}

}  // namespace
}  // namespace zelvora
