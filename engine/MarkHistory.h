// What was drawn, mark by mark, so that an ink layer can paint it again and undo can take the
// last mark away. A mark is everything drawn while the chord was held once. Pure bookkeeping:
// no screen, tested natively.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
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

// One thing drawn: a line from one point to the next, or a control's frame or filled box.
struct TMarkPiece {
    enum class TKind { Line, Frame };
    TKind Kind = TKind::Line;
    TMarkPen Pen;
    TPoint From, To;
    TControlFrame Frame;
    // The highlighter's ink, the screen's pixels under the piece as they were when it was drawn
    // ANDed with the pen, row by row over PixelsRect as 0x00RRGGBB; kNoInk where the piece does
    // not reach. None for an opaque pen, which is drawn again from its geometry.
    TRect PixelsRect;
    std::vector<std::uint32_t> Pixels;
    static constexpr std::uint32_t kNoInk = 0xFFFFFFFF;

    // The same drawing: kind, pen and place, whatever pixels were kept.
    bool SameDrawingAs(const TMarkPiece& other) const;
};

// Every pixel the piece covers: a line's ends widened by half the pen, a frame's rectangle by
// half its pen (the pen is centred on the rectangle's edges), each with a pixel to spare.
TRect PieceBounds(const TMarkPiece& piece);

using TInkTime = std::chrono::steady_clock::time_point;

struct TMark {
    std::vector<TMarkPiece> Pieces;
    TRect Bounds;                     // of all pieces; empty for a mark without any
    std::optional<TInkTime> EndedAt;  // when its chord went up; none while it is drawn
    std::size_t Bytes() const;
};

class TMarkHistory {
public:
    // Beyond either limit the oldest marks go first; the mark being drawn always stays.
    static constexpr std::size_t kMaxMarks = 10000;
    static constexpr std::size_t kMaxBytes = 64u * 1024 * 1024;

    explicit TMarkHistory(std::size_t maxMarks = kMaxMarks, std::size_t maxBytes = kMaxBytes);

    // The chord went down: what follows is a new mark until it goes up.
    void BeginMark();
    void EndMark();
    // The chord went up at `at`: the mark remembers when (vanishing ink counts from there).
    void EndMark(TInkTime at);
    bool Drawing() const { return drawing_; }
    // Into the mark being drawn; a piece without one begins one.
    void AddPiece(TMarkPiece piece);
    // The piece is what the mark being drawn ended with: a pointer at rest, a frame held.
    bool RepeatsLast(const TMarkPiece& piece) const;
    // Takes the last mark away (also one still being drawn); none when there is none.
    std::optional<TMark> Undo();
    void Clear();
    // Takes the first mark away: the oldest, which vanishes first.
    std::optional<TMark> TakeFirst();
    const std::deque<TMark>& Marks() const { return marks_; }
    std::size_t Bytes() const { return bytes_; }

private:
    void Trim();

    std::size_t maxMarks_, maxBytes_;
    std::deque<TMark> marks_;
    std::size_t bytes_ = 0;
    bool drawing_ = false;
};

// The colour the ink layer shows through: never the pen's own, so no ink turns invisible.
TColor ChooseColourKey(TColor pen);

}  // namespace zelvora
