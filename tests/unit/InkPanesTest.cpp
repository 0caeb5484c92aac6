// Which monitors keep a pane of the ink layer when marks come and go and monitors change.
#include "engine/InkPanes.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

constexpr TRect kPrimary{0, 0, 1024, 768}, kLeft{-1024, 100, 0, 868}, kRight{1024, 0, 2048, 768};

void AddStroke(TMarkHistory& marks, TPoint from, TPoint to)
{
    TMarkPiece piece;
    piece.Pen = {10, 0x80FF, false};
    piece.From = from, piece.To = to;
    marks.AddPiece(piece);
    marks.EndMark();
}

TEST(InkPanes, OnlyMonitorsWithAPieceOfInkNeedAPaneEvenWhereAMarksBoundsReachFurther)
{
    TMarkHistory marks;
    EXPECT_FALSE(HasInkOn(kPrimary, marks));
    AddStroke(marks, {100, 100}, {200, 100});
    EXPECT_TRUE(HasInkOn(kPrimary, marks));
    EXPECT_FALSE(HasInkOn(kLeft, marks));
    // One mark in the corner no monitor shows and low on the primary: its bounds cover much of
    // the left monitor, none of its pieces does.
    TMarkPiece corner, low;
    corner.Pen = low.Pen = {10, 0x80FF, false};
    corner.From = {-600, 40}, corner.To = {-500, 40};
    low.From = {100, 700}, low.To = {200, 700};
    marks.AddPiece(corner);
    marks.AddPiece(low);
    marks.EndMark();
    EXPECT_FALSE(HasInkOn(kLeft, marks));
    AddStroke(marks, {4, 200}, {4, 700});  // along the primary's edge: half the pen spills over
    EXPECT_TRUE(HasInkOn(kLeft, marks));
    marks.Undo();
    AddStroke(marks, {-300, 500}, {300, 500});  // across both
    EXPECT_TRUE(HasInkOn(kLeft, marks));
}

TEST(InkPanes, AChangeOfMonitorsClosesPanesWhoseMonitorWentOrMovedAndOpensMonitorsWithInk)
{
    TMarkHistory marks;
    AddStroke(marks, {-500, 400}, {-400, 400});  // on the left monitor
    AddStroke(marks, {1500, 300}, {1600, 300});  // right of the primary: nowhere yet

    // The left monitor goes: its pane closes, its marks stay in the history.
    TPaneRefit refit = RefitPanes(std::vector{kPrimary, kLeft}, std::vector{kPrimary}, marks);
    EXPECT_EQ(refit.Close, std::vector{kLeft});
    EXPECT_TRUE(refit.Open.empty()) << "the primary keeps its pane, and nothing new has ink";
    EXPECT_EQ(marks.Marks().size(), 2u);

    // It returns, and a monitor is added right of the primary where a mark already lies.
    refit = RefitPanes(std::vector{kPrimary}, std::vector{kPrimary, kLeft, kRight}, marks);
    EXPECT_TRUE(refit.Close.empty());
    EXPECT_EQ(refit.Open, (std::vector{kLeft, kRight}));

    // The left monitor grows taller: same place, other size, a pane of the new size.
    const TRect taller{-1024, 100, 0, 1100};
    refit = RefitPanes(std::vector{kPrimary, kLeft}, std::vector{kPrimary, taller}, marks);
    EXPECT_EQ(refit.Close, std::vector{kLeft});
    EXPECT_EQ(refit.Open, std::vector{taller});

    // Nothing changed: nothing to do; a monitor without ink gets no pane.
    refit = RefitPanes(std::vector{kLeft}, std::vector{kPrimary, kLeft}, marks);
    EXPECT_TRUE(refit.Close.empty());
    EXPECT_TRUE(refit.Open.empty());
}

}  // namespace
}  // namespace zelvora
