#include "engine/MarkGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace zelvora {
namespace {

TEST(ControlFrame, HollowFrameSurroundsTheControlByTheMarkerSize)
{
    const TControlFrame frame = ControlFrameFor({100, 50, 300, 150}, 10, false);
    EXPECT_EQ(frame.Bounds, (TRect{90, 40, 310, 160}));
    EXPECT_EQ(frame.PenWidth, 10);
    EXPECT_EQ(frame.Brush, TBrushStyle::bsClear);

    const TControlFrame widest = ControlFrameFor({100, 50, 300, 150}, 20, false);
    EXPECT_EQ(widest.Bounds, (TRect{80, 30, 320, 170}));
    EXPECT_EQ(widest.PenWidth, 20);
}

TEST(ControlFrame, FilledBoxCoversExactlyTheControl)
{
    const TControlFrame frame = ControlFrameFor({100, 50, 300, 150}, 10, true);
    EXPECT_EQ(frame.Bounds, (TRect{100, 50, 300, 150}));
    EXPECT_EQ(frame.PenWidth, 0);
    EXPECT_EQ(frame.Brush, TBrushStyle::bsSolid);
}

TEST(ControlFrame, GrowingNeverWrapsAround)
{
    const TControlFrame frame = ControlFrameFor({INT_MIN + 5, INT_MIN, INT_MAX - 5, INT_MAX}, 20, false);
    EXPECT_EQ(frame.Bounds, (TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}));
}

}  // namespace
}  // namespace zelvora
