// The spotlight's dim painted in proportion to what moved: the hole's outline is worked out once
// per size, and a move repaints only the pixels whose darkness may differ (the strips the hole
// left and entered), not the squares around both holes. Pure arithmetic, tested without a screen.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "engine/PointerPictures.h"

namespace zelvora {

// Pixels [First, Last) of row Y.
struct TRowSpan {
    int Y = 0, First = 0, Last = 0;
};

class TSpotlightPainter {
public:
    // Every pixel of `area` as PaintSpotlight paints it; outside the hole a fill.
    void Paint(const TPixelRows& rows, const TRect& area, const TSpotlightHole& hole, const TCoverage* lit);
    // The pixels whose darkness may differ between the two holes, row by row.
    std::vector<TRowSpan> Changed(const TSpotlightHole& before, const TSpotlightHole& now);
    // The spans' pixels (inside `area` and the rows) as PaintSpotlight paints them.
    void PaintSpans(const TPixelRows& rows, const TRect& area, std::span<const TRowSpan> spans,
                    const TSpotlightHole& hole, const TCoverage* lit);
    // Pixels written since the last call: what a tick cost.
    std::uint64_t TakePixelsWritten() { return std::exchange(written_, 0); }

private:
    // Where a row of the hole may be less than fully dim, and where it is surely lit through;
    // both a pixel wider (narrower) than exact, so that what lies outside needs no arithmetic.
    struct TRowOutline {
        int OuterFirst = 0, OuterLast = 0, InnerFirst = 0, InnerLast = 0;
    };
    TRowOutline Row(const TSpotlightHole& hole, int y);
    void PaintRow(const TPixelRows& rows, int y, int first, int last, const TSpotlightHole& hole,
                  const TRowOutline& outline, const TCoverage* lit);

    // A circle's rows, relative to its centre's pixel, for the size they were made for.
    double madeForRadius_ = -1;
    float madeForX_ = 0, madeForY_ = 0;
    std::vector<TRowOutline> circleRows_;
    std::uint64_t written_ = 0;
};

}  // namespace zelvora
