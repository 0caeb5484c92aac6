// The ink layer's memory of what was drawn: marks as the chord bounds them, where each lies,
// undo from the last back to the first, the limits, and the colour the layer shows through.
#include "engine/MarkHistory.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TMarkPiece Line(TPoint from, TPoint to, int width = 5)
{
    TMarkPiece piece;
    piece.Pen = {width, 0x80FF, false};
    piece.From = from, piece.To = to;
    return piece;
}

TMarkPiece Highlight(TPoint from, TPoint to, std::size_t pixels)
{
    TMarkPiece piece = Line(from, to);
    piece.Pen.Highlighter = true;
    piece.Pixels.assign(pixels, 0xFFFFFF);
    piece.Runs.push_back({from.X, from.Y, static_cast<int>(pixels)});
    return piece;
}

TEST(MarkHistory, AMarkIsWhatOneHoldOfTheChordDrewAndKnowsWhereItLies)
{
    TMarkHistory history;
    history.BeginMark();
    history.AddPiece(Line({10, 10}, {20, 10}));  // a 5 px pen: 3 pixels either side and one spare
    history.AddPiece(Line({20, 10}, {20, 40}));
    history.EndMark();
    history.AddPiece(Line({300, 300}, {290, 310}, 1));  // no chord seen: a mark of its own
    history.EndMark();
    TMarkPiece frame;
    frame.Kind = TMarkPiece::TKind::Frame;
    frame.Frame = ControlFrameFor({100, 100, 200, 150}, 10, false);
    history.AddPiece(frame);
    history.EndMark();

    ASSERT_EQ(history.Marks().size(), 3u);
    EXPECT_EQ(history.Marks()[0].Pieces.size(), 2u);
    EXPECT_EQ(history.Marks()[0].Bounds, (TRect{6, 6, 25, 45}));
    EXPECT_EQ(history.Marks()[1].Bounds, (TRect{288, 298, 303, 313}));
    // The frame's pen of 10 lies on the control grown by 10, centred: 5 more outside, 1 spare.
    EXPECT_EQ(history.Marks()[2].Bounds, (TRect{84, 84, 216, 166}));
}

TEST(MarkHistory, UndoTakesTheLastMarkAgainAndAgainBackToTheFirst)
{
    TMarkHistory history;
    for (int i = 0; i < 3; ++i) {
        history.BeginMark();
        history.AddPiece(Line({i * 100, 0}, {i * 100 + 10, 0}));
        history.EndMark();
    }
    history.BeginMark();  // a fourth, still being drawn, goes first
    history.AddPiece(Line({900, 0}, {910, 0}));
    EXPECT_EQ(history.Undo()->Bounds.Left, 896);
    EXPECT_FALSE(history.Drawing());
    EXPECT_EQ(history.Undo()->Bounds.Left, 196);
    EXPECT_EQ(history.Undo()->Bounds.Left, 96);
    EXPECT_EQ(history.Undo()->Bounds.Left, -4);
    EXPECT_FALSE(history.Undo().has_value());
    EXPECT_EQ(history.Bytes(), 0u);
}

TEST(MarkHistory, BeyondItsLimitsTheOldestMarksGoAndAreHandedOnButNeverTheOneBeingDrawn)
{
    TMarkHistory few(3, TMarkHistory::kMaxBytes);
    for (int i = 0; i < 5; ++i) {
        few.AddPiece(Line({i, 0}, {i, 1}));
        few.EndMark();
    }
    ASSERT_EQ(few.Marks().size(), 3u);
    EXPECT_EQ(few.Marks().front().Pieces.front().From.X, 2);
    // Whoever shows the marks learns which went, so their ink goes too.
    const std::vector<TMark> dropped = few.TakeDropped();
    ASSERT_EQ(dropped.size(), 2u);
    EXPECT_EQ(dropped[0].Pieces.front().From.X, 0);
    EXPECT_EQ(dropped[1].Pieces.front().From.X, 1);
    EXPECT_TRUE(few.TakeDropped().empty()) << "handed on once";

    // Highlighter pixels count: 1 MB of limit holds two marks of 100,000 pixels each, not three.
    TMarkHistory small(TMarkHistory::kMaxMarks, 1024 * 1024);
    for (int i = 0; i < 3; ++i) {
        small.AddPiece(Highlight({i, 0}, {i, 9}, 100000));
        small.EndMark();
    }
    EXPECT_EQ(small.Marks().size(), 2u);
    EXPECT_LE(small.Bytes(), 1024u * 1024);
    EXPECT_EQ(small.TakeDropped().size(), 1u);
    // The mark being drawn stays, and takes no more pieces once it holds a quarter of the limit.
    small.AddPiece(Highlight({0, 0}, {0, 9}, 40000));
    EXPECT_TRUE(small.TakesMorePieces());
    small.AddPiece(Highlight({0, 0}, {0, 9}, 40000));
    EXPECT_FALSE(small.TakesMorePieces());
    EXPECT_TRUE(small.Drawing());
    small.EndMark();
    EXPECT_TRUE(small.TakesMorePieces()) << "the next mark begins anew";
    small.Clear();
    EXPECT_TRUE(small.Marks().empty());
    EXPECT_EQ(small.Bytes(), 0u);
}

TEST(MarkHistory, AWipeIsUndoneUntilTheNextPieceIsDrawn)
{
    TMarkHistory history;
    for (int i = 0; i < 3; ++i) {
        history.AddPiece(Line({i * 100, 0}, {i * 100 + 10, 0}));
        history.EndMark(TInkTime{});
    }
    const std::size_t bytes = history.Bytes();
    history.Wipe();
    EXPECT_TRUE(history.Marks().empty());
    EXPECT_EQ(history.Bytes(), 0u);
    ASSERT_TRUE(history.CanUndoWipe());
    const TInkTime now = TInkTime{} + std::chrono::hours(1);
    history.UndoWipe(now);
    ASSERT_EQ(history.Marks().size(), 3u);
    EXPECT_EQ(history.Bytes(), bytes);
    EXPECT_EQ(history.Marks()[2].Bounds.Left, 196);
    EXPECT_EQ(history.Marks()[0].EndedAt, now) << "brought back, they wait anew to vanish";
    EXPECT_FALSE(history.CanUndoWipe());

    history.Wipe();
    history.AddPiece(Line({5, 5}, {6, 6}));  // drawing after a wipe: the wiped marks are gone for good
    EXPECT_FALSE(history.CanUndoWipe());
    history.Wipe();
    history.Clear();
    EXPECT_FALSE(history.CanUndoWipe()) << "a clear forgets the wipe too";
}

TEST(MarkHistory, APieceRepeatsOnlyTheLastOfTheMarkBeingDrawn)
{
    TMarkHistory history;
    TMarkPiece rest = Line({5, 5}, {5, 5});
    EXPECT_FALSE(history.RepeatsLast(rest)) << "nothing drawn yet";
    history.AddPiece(rest);
    TMarkPiece kept = rest;
    kept.Pixels = {1, 2, 3};  // kept pixels do not make it another drawing
    EXPECT_TRUE(history.RepeatsLast(kept));
    EXPECT_FALSE(history.RepeatsLast(Line({5, 5}, {5, 5}, 6))) << "another pen";
    EXPECT_FALSE(history.RepeatsLast(Line({4, 5}, {5, 5})));
    TMarkPiece frame;
    frame.Kind = TMarkPiece::TKind::Frame;
    frame.Pen = rest.Pen;
    EXPECT_FALSE(history.RepeatsLast(frame)) << "another kind";
    history.EndMark();
    EXPECT_FALSE(history.RepeatsLast(rest)) << "a new hold of the chord is a new mark";
}

TEST(MarkHistory, ABoardIsAMarkBelowTheOthersAndGoesWithTheMarksDrawnOnIt)
{
    const TRect left{0, 0, 100, 100}, right{100, 0, 200, 100};
    TMarkHistory history;
    const auto mark = [&](TPoint from, TPoint to) {
        history.BeginMark();
        history.AddPiece(Line(from, to));
        history.EndMark();
    };
    const auto board = [&](const TRect& monitor, TColor colour) {
        history.AddPiece(BoardPiece(monitor, colour));
        history.EndMark();
        return history.Marks().back().Serial;
    };
    mark({10, 10}, {20, 20});  // before the board: stays
    const std::uint64_t white = board(left, 0xFFFFFF);
    EXPECT_EQ(history.Marks().back().Bounds, left) << "not a pixel onto the next monitor";
    mark({30, 30}, {40, 40});    // on it
    mark({150, 10}, {160, 20});  // on the other monitor
    mark({90, 50}, {110, 50});   // across both: on it too
    board(right, 0x000000);

    const auto order = InPaintOrder(history.Marks(), TRect{0, 0, 200, 100});
    ASSERT_EQ(order.size(), 6u);
    EXPECT_TRUE(order[0]->IsBoard() && order[1]->IsBoard()) << "boards first";
    EXPECT_EQ(order[2]->Pieces.front().From, (TPoint{10, 10})) << "then the rest as drawn";
    EXPECT_EQ(InPaintOrder(history.Marks(), TRect{0, 0, 5, 5}).size(), 1u) << "only what touches the area";

    ASSERT_NE(history.BoardOn(left), nullptr);
    EXPECT_EQ(history.BoardOn(left)->Serial, white);
    EXPECT_EQ(history.BoardOn(TRect{0, 0, 50, 50}), nullptr) << "a board covers its monitor exactly";
    EXPECT_TRUE(history.HasMarksOn(*history.BoardOn(left)));
    EXPECT_FALSE(history.HasMarksOn(*history.BoardOn(right)));

    EXPECT_TRUE(history.TakeBoard(history.Marks().front().Serial).empty()) << "not a board";
    const std::size_t bytes = history.Bytes();
    const std::vector<TMark> gone = history.TakeBoard(white);
    ASSERT_EQ(gone.size(), 3u);
    EXPECT_TRUE(gone[0].IsBoard());
    EXPECT_EQ(gone[1].Pieces.front().From, (TPoint{30, 30}));
    EXPECT_EQ(gone[2].Pieces.front().From, (TPoint{90, 50}));
    ASSERT_EQ(history.Marks().size(), 3u);
    EXPECT_EQ(history.Marks()[1].Pieces.front().From, (TPoint{150, 10}));
    EXPECT_LT(history.Bytes(), bytes);
    EXPECT_EQ(history.BoardOn(left), nullptr);
    EXPECT_TRUE(history.Undo()->IsBoard()) << "undo takes the black board, the last mark";
}

TEST(MarkHistory, TheLayersSeeThroughColourIsNeverThePens)
{
    for (TColor pen : {TColor{0x80FF}, RgbOf(255, 0, 255), RgbOf(1, 254, 1), TColor{0}, TColor{0xFFFFFF}})
        EXPECT_NE(ChooseColourKey(pen), pen) << std::hex << pen;
    EXPECT_EQ(ChooseColourKey(0x80FF), ChooseColourKey(0x80FF)) << "the same pen, the same key";
}

}  // namespace
}  // namespace zelvora
