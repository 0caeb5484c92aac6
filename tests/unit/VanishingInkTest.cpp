// Vanishing ink on a clock the test turns: which marks go when, in which order, and when the
// engine's one timer is to fire next.
#include "engine/VanishingInk.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace std::chrono_literals;

class VanishingInk : public ::testing::Test {
protected:
    // A mark of one line at x, drawn and ended now.
    void DrawMark(int x)
    {
        Draw(x);
        ink_.EndMark();
    }
    void Draw(int x)
    {
        TMarkPiece line;
        line.From = {x, 0}, line.To = {x, 10};
        history_.AddPiece(line);
    }
    std::vector<int> TakeDue()
    {
        std::vector<int> gone;
        for (const TMark& mark : ink_.TakeDue()) gone.push_back(mark.Pieces.front().From.X);
        return gone;
    }
    std::vector<int> Left() const
    {
        std::vector<int> left;
        for (const TMark& mark : history_.Marks()) left.push_back(mark.Pieces.front().From.X);
        return left;
    }

    TInkTime now_{};
    TMarkHistory history_;
    TVanishingInk ink_{history_, [this] { return now_; }};
};

TEST_F(VanishingInk, MarksVanishOneByOneOldestFirstEachItsSecondsAfterItsEnd)
{
    ink_.SetSeconds(2);
    EXPECT_FALSE(ink_.NextDueIn()) << "no timer while no mark waits";
    DrawMark(1);
    now_ += 500ms;
    DrawMark(2);
    now_ += 1000ms;
    DrawMark(3);
    EXPECT_EQ(ink_.NextDueIn(), 500ms);
    now_ += 499ms;
    EXPECT_EQ(TakeDue(), std::vector<int>{});
    now_ += 1ms;
    EXPECT_EQ(TakeDue(), std::vector<int>{1});
    EXPECT_EQ(ink_.NextDueIn(), 500ms);
    now_ += 1700ms;  // overdue together: still the older first
    EXPECT_EQ(TakeDue(), (std::vector<int>{2, 3}));
    EXPECT_FALSE(ink_.NextDueIn());
    EXPECT_TRUE(history_.Marks().empty());
}

TEST_F(VanishingInk, AMarkBeingDrawnNeverVanishesAndWaitsFromItsOwnEnd)
{
    ink_.SetSeconds(5);
    DrawMark(1);
    Draw(2);  // held for a long time while the first waits
    now_ += 60s;
    EXPECT_EQ(TakeDue(), std::vector<int>{1});
    EXPECT_FALSE(ink_.NextDueIn()) << "only a mark being drawn is left";
    now_ += 60s;
    EXPECT_EQ(TakeDue(), std::vector<int>{});
    EXPECT_EQ(Left(), std::vector<int>{2});
    ink_.EndMark();
    EXPECT_EQ(ink_.NextDueIn(), 5000ms);
    Draw(3);  // a new mark while the second waits
    now_ += 5s;
    EXPECT_EQ(TakeDue(), std::vector<int>{2});
    EXPECT_EQ(Left(), std::vector<int>{3});
}

TEST_F(VanishingInk, AChangeOfTheSettingCountsForMarksThatWaitAlready)
{
    ink_.SetSeconds(15);
    DrawMark(1);
    now_ += 3s;
    DrawMark(2);
    ink_.SetSeconds(2);  // the first is overdue now, the second due in 2 s
    EXPECT_EQ(ink_.NextDueIn(), 0ms);
    EXPECT_EQ(TakeDue(), std::vector<int>{1});
    EXPECT_EQ(ink_.NextDueIn(), 2000ms);
    ink_.SetSeconds(0);  // never: marks stay however long they waited
    now_ += 1h;
    EXPECT_FALSE(ink_.NextDueIn());
    EXPECT_EQ(TakeDue(), std::vector<int>{});
    ink_.SetSeconds(5);
    EXPECT_EQ(TakeDue(), std::vector<int>{2});
}

TEST_F(VanishingInk, UndoAndWipeTakeWaitingMarksWithThem)
{
    ink_.SetSeconds(2);
    DrawMark(1);
    DrawMark(2);
    history_.Undo();
    history_.Undo();
    EXPECT_FALSE(ink_.NextDueIn());
    DrawMark(3);
    history_.Clear();
    now_ += 10s;
    EXPECT_EQ(TakeDue(), std::vector<int>{});
}

TEST_F(VanishingInk, ABoardStaysUntilTheMarksOnItHaveGone)
{
    ink_.SetSeconds(2);
    history_.AddPiece(BoardPiece({0, 0, 100, 100}, 0xFFFFFF));
    ink_.EndMark();
    now_ += 1s;
    DrawMark(50);  // on the board
    Draw(500);     // beside it, still drawn
    now_ += 1500ms;
    EXPECT_EQ(TakeDue(), std::vector<int>{}) << "the board waits for its mark";
    EXPECT_EQ(ink_.NextDueIn(), 500ms);
    now_ += 500ms;
    const std::vector<TMark> gone = ink_.TakeDue();
    ASSERT_EQ(gone.size(), 2u) << "the mark, then the board, now overdue";
    EXPECT_FALSE(gone[0].IsBoard());
    EXPECT_TRUE(gone[1].IsBoard());
    EXPECT_EQ(Left(), std::vector<int>{500});
}

TEST(VanishingInkChoices, AStoredValueThatIsNoChoiceMeansNever)
{
    for (int seconds : {0, 2, 5, 15}) EXPECT_EQ(TVanishingInk::ValidSeconds(seconds), seconds);
    for (int seconds : {-2, 1, 3, 10, 16, 3600, INT32_MIN})
        EXPECT_EQ(TVanishingInk::ValidSeconds(seconds), 0);
}

}  // namespace
}  // namespace zelvora
