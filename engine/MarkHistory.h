// What was drawn, mark by mark, so that an ink layer can paint it again and undo can take the
// last mark away. A mark is everything drawn while the chord was held once. Pure bookkeeping:
// no screen, tested natively.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Geometry.h"
#include "engine/MarkGeometry.h"
#include "toolkit/Colors.h"

namespace zelvora {

struct TMarkPen {
    int Width = 1;  // physical pixels
    TColor Color = 0;
    bool Highlighter = false;  // the screen's pixels ANDed with the colour
    constexpr bool operator==(const TMarkPen&) const = default;
};

// One thing drawn: a line from one point to the next, a control's frame or filled box, or a
// shape pulled out with the keys: a rectangle (a frame), an ellipse, an arrow or a text; or a
// board, a whole monitor in the pen's colour, below every other mark.
struct TMarkPiece {
    enum class TKind { Line, Frame, Ellipse, Arrow, Text, Board };
    TKind Kind = TKind::Line;
    TMarkPen Pen;
    // A line's ends; an arrow's head (From) and tail; a text's top left (From).
    TPoint From, To;
    // A line drawn free-hand follows the curve through these points instead (From and To are its
    // ends, rounded).
    std::vector<TPointF> Path;
    // A frame's or an ellipse's box and pen; a text's box as measured when it was typed; a
    // board's monitor.
    TControlFrame Frame;
    std::wstring Text;
    // The highlighter's ground: the screen's own pixels (0x00RRGGBB) under the piece's shape as
    // they were when it was drawn, run by run, the runs' pixels one after another. It is ANDed
    // with the pen when painted, over whatever older ink lies there then, so the ink of a mark
    // that goes never stays inside a later highlight. None for an opaque pen, which is drawn
    // again from its geometry.
    struct TRun {
        int X = 0, Y = 0, Length = 0;
        constexpr bool operator==(const TRun&) const = default;
    };
    std::vector<TRun> Runs;
    std::vector<std::uint32_t> Pixels;

    // The same drawing: kind, pen and place, whatever pixels were kept.
    bool SameDrawingAs(const TMarkPiece& other) const;
};

// Every pixel the piece covers: a line's ends widened by half the pen, a frame's rectangle by
// half its pen (the pen is centred on the rectangle's edges), each with a pixel to spare.
TRect PieceBounds(const TMarkPiece& piece);

using TInkTime = std::chrono::steady_clock::time_point;

// A board covering `monitor` in a colour.
TMarkPiece BoardPiece(const TRect& monitor, TColor colour);

struct TMark {
    std::uint64_t Serial = 0;  // tells one mark from the next
    std::vector<TMarkPiece> Pieces;
    // What the pieces' own buffers take, added up as the history adds them: a long stroke's
    // thousands of pieces are not counted again on every one.
    std::size_t PieceBytes = 0;
    TRect Bounds;                     // of all pieces; empty for a mark without any
    std::optional<TInkTime> EndedAt;  // when its chord went up; none while it is drawn
    std::size_t Bytes() const;
    // A board is a mark of its own, its one piece.
    bool IsBoard() const { return Pieces.size() == 1 && Pieces.front().Kind == TMarkPiece::TKind::Board; }
};

// The marks touching `area` in the order they are painted: boards first, then the others as
// they were drawn.
template <typename TMarks>
std::vector<const TMark*> InPaintOrder(const TMarks& marks, const TRect& area)
{
    std::vector<const TMark*> ordered;
    for (const bool boards : {true, false})
        for (const TMark& mark : marks)
            if (mark.IsBoard() == boards && !IsEmpty(Intersection(mark.Bounds, area)))
                ordered.push_back(&mark);
    return ordered;
}

class TMarkHistory {
public:
    // Beyond either limit the oldest marks go first; the mark being drawn always stays, and takes
    // no more pieces once it holds a quarter of the bytes (a sweep of the highlighter over large
    // controls would grow without end).
    static constexpr std::size_t kMaxMarks = 10000;
    static constexpr std::size_t kMaxBytes = 64u * 1024 * 1024;

    explicit TMarkHistory(std::size_t maxMarks = kMaxMarks, std::size_t maxBytes = kMaxBytes);

    // The chord went down: what follows is a new mark until it goes up.
    void BeginMark();
    void EndMark();
    // The chord went up at `at`: the mark remembers when (vanishing ink counts from there).
    void EndMark(TInkTime at);
    bool Drawing() const { return drawing_; }
    // The mark the next piece goes into: the one being drawn, or the one it begins.
    std::uint64_t NextPieceMark() const
    {
        return drawing_ && !marks_.empty() ? marks_.back().Serial : serial_ + 1;
    }
    // Into the mark being drawn; a piece without one begins one.
    void AddPiece(TMarkPiece piece);
    // False once the mark being drawn is as large as one mark may be.
    bool TakesMorePieces() const;
    // The marks the limits pushed out since the last call, oldest first: whoever shows them
    // takes them away too.
    std::vector<TMark> TakeDropped() { return std::exchange(dropped_, {}); }
    // The piece is what the mark being drawn ended with: a pointer at rest, a frame held.
    bool RepeatsLast(const TMarkPiece& piece) const;
    // Takes the last mark away (also one still being drawn); none when there is none.
    std::optional<TMark> Undo();
    // The board on that monitor, the last one when there are more; null when none.
    const TMark* BoardOn(const TRect& monitor) const;
    // Takes a board away with the marks drawn on it since (those that touch it), oldest first;
    // nothing when the mark is not a board.
    std::vector<TMark> TakeBoard(std::uint64_t serial);
    // Some mark after the board touches it.
    bool HasMarksOn(const TMark& board) const;
    // Forgets every mark for good.
    void Clear();
    // Every mark goes, but comes back with UndoWipe until the next piece is drawn.
    void Wipe();
    bool CanUndoWipe() const { return !wiped_.empty(); }
    // Brings back what the last wipe took; the marks wait anew from `now` to vanish.
    void UndoWipe(TInkTime now);
    // Takes that mark away, wherever it is; none when there is none.
    std::optional<TMark> Take(std::uint64_t serial);
    const std::deque<TMark>& Marks() const { return marks_; }
    std::size_t Bytes() const { return bytes_; }

private:
    void Trim();

    std::size_t maxMarks_, maxBytes_;
    std::deque<TMark> marks_;
    std::deque<TMark> wiped_;
    std::vector<TMark> dropped_;
    std::size_t bytes_ = 0;
    std::uint64_t serial_ = 0;
    bool drawing_ = false;
};

// The colour the ink layer shows through: never the pen's own, so no ink turns invisible.
TColor ChooseColourKey(TColor pen);

}  // namespace zelvora
