#include "engine/LaidPixels.h"

#include <algorithm>

namespace zelvora {

std::vector<TRect> TLaidPixels::Note(const TCoverage& coverage, const TPixelRows& rows, const TRect& clip)
{
    std::vector<TRect> noted;
    const TRect area = Intersection(Intersection(coverage.Area(), clip), rows.Area());
    for (int y = area.Top; y < area.Bottom; ++y) {
        const auto [first, last] = coverage.RowSpan(y);
        const int left = std::max(first, area.Left), right = std::min(last, area.Right);
        const std::uint8_t* covered = coverage.Row(y);
        const std::uint32_t* row = rows.Bits + static_cast<std::size_t>(y - rows.Origin.Y) * rows.Width;
        // Runs of pixels the mark covers at all: the rest of a row is not the mark's.
        for (int x = left; x < right;) {
            if (!covered[x - coverage.Area().Left]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < right && covered[x - coverage.Area().Left]) ++x;
            runs_.push_back({y, start, x, pixels_.size()});
            pixels_.insert(pixels_.end(), row + (start - rows.Origin.X), row + (x - rows.Origin.X));
            bounds_ = Union(bounds_, {start, y, x, y + 1});
            noted.push_back({start, y, x, y + 1});
        }
    }
    return noted;
}

void TLaidPixels::Replay(const TPixelRows& rows, const TRect& clip) const
{
    const TRect area = Intersection(clip, rows.Area());
    for (const TRun& run : runs_) {
        if (run.Y < area.Top || run.Y >= area.Bottom) continue;
        const int left = std::max(run.Left, area.Left), right = std::min(run.Right, area.Right);
        if (left >= right) continue;
        std::copy(pixels_.begin() + static_cast<std::ptrdiff_t>(run.Offset + (left - run.Left)),
                  pixels_.begin() + static_cast<std::ptrdiff_t>(run.Offset + (right - run.Left)),
                  rows.Bits + static_cast<std::size_t>(run.Y - rows.Origin.Y) * rows.Width +
                      (left - rows.Origin.X));
    }
}

std::vector<TRect> TLaidPixels::Runs(const TRect& clip) const
{
    std::vector<TRect> runs;
    for (const TRun& run : runs_) {
        const TRect inside = Intersection({run.Left, run.Y, run.Right, run.Y + 1}, clip);
        if (!IsEmpty(inside)) runs.push_back(inside);
    }
    return runs;
}

}  // namespace zelvora
