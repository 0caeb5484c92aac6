// When and where the card of the hold's keys shows: once in a hold, after the pointer has rested
// a second with no key pressed, beside the pointer and inside its monitor. No window, no clock of
// its own; tested natively.
#pragma once

#include <cstdint>

#include "base/Geometry.h"

namespace zelvora {

class TKeyHintTimer {
public:
    static constexpr std::uint32_t kRestMs = 1000;

    // One tick of the marking loop: `now` in milliseconds of a clock that wraps, `input` when a
    // key of the hold went down or the wheel turned since the last tick. True while the card
    // shows; a move or a key ends it until the next hold.
    bool Tick(std::uint32_t now, bool held, TPoint pointer, bool input);

private:
    bool held_ = false;
    bool spent_ = false;
    std::uint32_t since_ = 0;
    TPoint at_;
};

// The card's place: right of and below the pointer by `gap`, or left of or above it where the
// monitor's work area ends, never over the pointer while the area has room beside it.
TRect KeyHintPlace(TPoint pointer, int width, int height, const TRect& workArea, int gap);

}  // namespace zelvora
