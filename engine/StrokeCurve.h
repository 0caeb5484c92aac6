// A free-hand stroke as a smooth curve through every position the pointer reported, not a
// polyline folding at each: a centripetal Catmull-Rom spline, which never loops or overshoots
// far at a sharp turn. A piece between two positions is known once the position after them is,
// so the curve runs one position behind the pointer; nothing drawn changes afterwards.
#pragma once

#include <optional>
#include <vector>

#include "base/Geometry.h"

namespace zelvora {

class TStrokeCurve {
public:
    // The longest drawn segment, in pixels; fewer where the curve turns (at most a few degrees
    // from one segment to the next).
    static constexpr double kStep = 4.0;
    // A turn this sharp at a position is a corner the hand meant: the curve keeps it rather than
    // swinging out past it.
    static constexpr double kCornerDegrees = 70.0;

    bool Started() const { return from_.has_value(); }
    // The stroke begins at `at`: nothing is drawn yet.
    void Start(TPoint at);
    // The pointer came to `at`: the curve through the position before the last one to the last
    // one, as points from one to the other (both included); none for the first.
    std::vector<TPointF> Add(TPoint at);
    // The pen lifts or rests: the curve on to the last position, and the stroke ends.
    std::vector<TPointF> Finish();
    // The stroke ends without drawing what is left.
    void Drop();

private:
    static std::vector<TPointF> Piece(TPointF before, TPointF from, TPointF to, TPointF after);

    std::optional<TPointF> before_, from_, to_;
};

}  // namespace zelvora
