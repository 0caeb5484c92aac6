// Where the pointer went between two ticks of the marking loop. A quick hand moves farther in a
// tick than one straight line shows: the positions the system reports on the way (with their
// times) are noted as they come, and each tick draws through them in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/Geometry.h"

namespace zelvora {

class TPointerTrail {
public:
    // A hand moving for a whole tick at a 1,000 Hz mouse notes a few dozen; beyond this many the
    // oldest go (a tick held up for seconds).
    static constexpr std::size_t kMaxPositions = 4096;

    // The pen went down at `time` (milliseconds of the system's clock, which wraps): positions
    // noted from then on are drawn, older ones are not.
    void PenDown(std::uint32_t time);
    // A position reported at `time`; ignored while the pen is up.
    void Note(TPoint position, std::uint32_t time);
    // Positions closer than this to the straight line of their neighbours add nothing to a
    // stroke: a straight run of small moves is drawn as one line, every turn stays.
    static constexpr double kTolerance = 0.75;

    // The points to draw to this tick, in order: the positions noted since the last tick, none
    // older than the pen going down, none the same as the one before it, none that lies on the
    // line between its neighbours; where none was noted (no history to be had), the polled
    // position. The next call begins after them.
    std::vector<TPoint> Take(TPoint polled) { return Simplified(TakeNoted(polled)); }
    // Take in two halves: the quick one under the lock the mouse hook waits on, the
    // simplification after it.
    struct TNoted {
        std::optional<TPoint> From;  // where the line goes on from
        std::vector<TPoint> Points;
    };
    TNoted TakeNoted(TPoint polled);
    static std::vector<TPoint> Simplified(TNoted noted);
    void PenUp();

private:
    static std::vector<TPoint> WithoutStraightRuns(std::vector<TPoint> points);

    bool down_ = false;
    std::uint32_t downAt_ = 0;
    std::vector<TPoint> positions_;
    std::optional<TPoint> last_;  // the last point taken since the pen went down
};

}  // namespace zelvora
