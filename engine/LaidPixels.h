// What a mark left on the screen, pixel by pixel, in the order it was laid: laid again, it gives
// exactly the pixels it had, whatever the screen shows there by then (its own ink again, a card
// that covered it, windows beneath that repainted). Pure arithmetic, tested without a screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/InkCoverage.h"
#include "engine/InkPixels.h"

namespace zelvora {

class TLaidPixels {
public:
    // The pixels of `rows` the coverage covers at all (inside `clip`), as they are now; the runs
    // of them, one row each.
    std::vector<TRect> Note(const TCoverage& coverage, const TPixelRows& rows, const TRect& clip);
    // Written over the rows inside `clip`, in the order noted: the last word on a pixel wins.
    void Replay(const TPixelRows& rows, const TRect& clip) const;
    // The runs of pixels noted inside `clip`: [Left, Right) of row Top. What a write touches.
    std::vector<TRect> Runs(const TRect& clip) const;
    const TRect& Bounds() const { return bounds_; }
    std::size_t Bytes() const { return runs_.size() * sizeof(TRun) + pixels_.size() * sizeof(std::uint32_t); }

private:
    struct TRun {
        int Y, Left, Right;
        std::size_t Offset;  // of its first pixel
    };
    std::vector<TRun> runs_;
    std::vector<std::uint32_t> pixels_;
    TRect bounds_;
};

}  // namespace zelvora
