#include "engine/MarkHistory.h"

#include <algorithm>
#include <cmath>

namespace zelvora {

namespace {

TRect Grown(const TRect& r, int by)
{
    return {r.Left - by, r.Top - by, r.Right + by, r.Bottom + by};
}

}  // namespace

TRect PieceBounds(const TMarkPiece& piece)
{
    // Half the pen and a pixel more: wide pens are rasterised a pixel beyond their half on one side.
    const auto half = [](int width) { return (std::max(width, 1) + 1) / 2 + 1; };
    switch (piece.Kind) {
        case TMarkPiece::TKind::Frame:
        case TMarkPiece::TKind::Ellipse:
            return Grown(piece.Frame.Bounds, half(piece.Frame.PenWidth));
        case TMarkPiece::TKind::Text:
            return Grown(piece.Frame.Bounds, 1);
        case TMarkPiece::TKind::Board:
            return piece.Frame.Bounds;  // not a pixel onto the next monitor
        case TMarkPiece::TKind::Arrow: {
            const auto [left, right] = ArrowBarbs(piece.From, piece.To, piece.Pen.Width);
            const TRect barbs{std::min(left.X, right.X), std::min(left.Y, right.Y),
                              std::max(left.X, right.X) + 1, std::max(left.Y, right.Y) + 1};
            TMarkPiece shaft = piece;
            shaft.Kind = TMarkPiece::TKind::Line;
            return Union(PieceBounds(shaft), Grown(barbs, half(piece.Pen.Width)));
        }
        case TMarkPiece::TKind::Line:
            break;
    }
    if (!piece.Path.empty()) {
        float left = piece.Path[0].X, top = piece.Path[0].Y, right = left, bottom = top;
        for (const TPointF& p : piece.Path) {
            left = std::min(left, p.X), right = std::max(right, p.X);
            top = std::min(top, p.Y), bottom = std::max(bottom, p.Y);
        }
        const TRect path{static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top)),
                         static_cast<int>(std::ceil(right)) + 1, static_cast<int>(std::ceil(bottom)) + 1};
        return Grown(path, half(piece.Pen.Width));
    }
    const TRect ends{std::min(piece.From.X, piece.To.X), std::min(piece.From.Y, piece.To.Y),
                     std::max(piece.From.X, piece.To.X) + 1, std::max(piece.From.Y, piece.To.Y) + 1};
    return Grown(ends, half(piece.Pen.Width));
}

bool TMarkPiece::SameDrawingAs(const TMarkPiece& other) const
{
    if (Kind != other.Kind || !(Pen == other.Pen)) return false;
    return Frame == other.Frame && From == other.From && To == other.To && Path == other.Path &&
           Text == other.Text;
}

std::size_t TMark::Bytes() const
{
    return sizeof(TMark) + Pieces.capacity() * sizeof(TMarkPiece) + PieceBytes;
}

namespace {

std::size_t OwnBytes(const TMarkPiece& piece)
{
    return piece.Pixels.capacity() * sizeof(piece.Pixels[0]) + piece.Runs.capacity() * sizeof(piece.Runs[0]) +
           piece.Path.capacity() * sizeof(TPointF) + piece.Text.capacity() * sizeof(wchar_t);
}

}  // namespace

TMarkHistory::TMarkHistory(std::size_t maxMarks, std::size_t maxBytes)
    : maxMarks_(std::max<std::size_t>(maxMarks, 1)), maxBytes_(maxBytes)
{
}

void TMarkHistory::BeginMark()
{
    wiped_.clear();
    EndMark();
    marks_.emplace_back();
    marks_.back().Serial = ++serial_;
    bytes_ += marks_.back().Bytes();
    drawing_ = true;
    Trim();
}

void TMarkHistory::EndMark()
{
    drawing_ = false;
}

void TMarkHistory::EndMark(TInkTime at)
{
    if (drawing_ && !marks_.empty()) marks_.back().EndedAt = at;
    drawing_ = false;
}

void TMarkHistory::AddPiece(TMarkPiece piece)
{
    if (!drawing_) BeginMark();  // a wipe ends the mark: the first piece after it forgets the wiped
    TMark& mark = marks_.back();
    bytes_ -= mark.Bytes();
    mark.Bounds = Union(mark.Bounds, PieceBounds(piece));
    mark.PieceBytes += OwnBytes(piece);
    mark.Pieces.push_back(std::move(piece));
    bytes_ += mark.Bytes();
    Trim();
}

bool TMarkHistory::TakesMorePieces() const
{
    return !drawing_ || marks_.back().Bytes() < maxBytes_ / 4;
}

bool TMarkHistory::RepeatsLast(const TMarkPiece& piece) const
{
    return drawing_ && !marks_.back().Pieces.empty() && marks_.back().Pieces.back().SameDrawingAs(piece);
}

std::optional<TMark> TMarkHistory::Undo()
{
    if (marks_.empty()) return std::nullopt;
    TMark last = std::move(marks_.back());
    marks_.pop_back();
    bytes_ -= last.Bytes();
    drawing_ = false;
    return last;
}

const TMark* TMarkHistory::BoardOn(const TRect& monitor) const
{
    const auto board = std::find_if(marks_.rbegin(), marks_.rend(), [&](const TMark& mark) {
        return mark.IsBoard() && mark.Pieces.front().Frame.Bounds == monitor;
    });
    return board == marks_.rend() ? nullptr : &*board;
}

std::vector<TMark> TMarkHistory::TakeBoard(std::uint64_t serial)
{
    std::vector<TMark> taken;
    const auto board =
        std::find_if(marks_.begin(), marks_.end(), [&](const TMark& mark) { return mark.Serial == serial; });
    if (board == marks_.end() || !board->IsBoard()) return taken;
    const TRect area = board->Bounds;
    const auto at = static_cast<std::size_t>(board - marks_.begin());
    std::deque<TMark> left;
    for (std::size_t i = 0; i < marks_.size(); ++i) {
        if (i != at && (i < at || IsEmpty(Intersection(marks_[i].Bounds, area)))) {
            left.push_back(std::move(marks_[i]));
            continue;
        }
        if (i + 1 == marks_.size()) drawing_ = false;
        bytes_ -= marks_[i].Bytes();
        taken.push_back(std::move(marks_[i]));
    }
    marks_ = std::move(left);
    return taken;
}

bool TMarkHistory::HasMarksOn(const TMark& board) const
{
    bool after = false;
    for (const TMark& mark : marks_) {
        if (after && !IsEmpty(Intersection(mark.Bounds, board.Bounds))) return true;
        after = after || &mark == &board;
    }
    return false;
}

std::optional<TMark> TMarkHistory::Take(std::uint64_t serial)
{
    const auto at =
        std::find_if(marks_.begin(), marks_.end(), [&](const TMark& mark) { return mark.Serial == serial; });
    if (at == marks_.end()) return std::nullopt;
    if (at + 1 == marks_.end()) drawing_ = false;
    TMark taken = std::move(*at);
    marks_.erase(at);
    bytes_ -= taken.Bytes();
    return taken;
}

void TMarkHistory::Clear()
{
    marks_.clear();
    wiped_.clear();
    dropped_.clear();
    bytes_ = 0;
    drawing_ = false;
}

void TMarkHistory::Wipe()
{
    std::deque<TMark> wiped = std::move(marks_);
    Clear();
    wiped_ = std::move(wiped);
}

void TMarkHistory::UndoWipe(TInkTime now)
{
    if (wiped_.empty()) return;
    marks_ = std::exchange(wiped_, {});
    drawing_ = false;
    bytes_ = 0;
    for (TMark& mark : marks_) {
        mark.EndedAt = now;
        bytes_ += mark.Bytes();
    }
}

void TMarkHistory::Trim()
{
    while (marks_.size() > 1 && (marks_.size() > maxMarks_ || bytes_ > maxBytes_)) {
        bytes_ -= marks_.front().Bytes();
        dropped_.push_back(std::move(marks_.front()));
        marks_.pop_front();
    }
}

TMarkPiece BoardPiece(const TRect& monitor, TColor colour)
{
    TMarkPiece board;
    board.Kind = TMarkPiece::TKind::Board;
    board.Pen = {1, colour, false};
    board.Frame = {monitor, 0, TBrushStyle::bsSolid};
    return board;
}

TColor ChooseColourKey(TColor pen)
{
    // Colours no one picks for a pen; the second stands in when the first is the pen's.
    constexpr TColor kMagenta = RgbOf(255, 0, 255), kOddGreen = RgbOf(1, 254, 1);
    return (pen & 0xFFFFFF) == kMagenta ? kOddGreen : kMagenta;
}

}  // namespace zelvora
