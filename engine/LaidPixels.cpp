#include "engine/LaidPixels.h"

#include <algorithm>

namespace zelvora {

void TLaidPixels::Note(const TCoverage& coverage, const TPixelRows& rows, const TRect& clip)
{
    const TRect area = Intersection(Intersection(coverage.Area(), clip), rows.Area());
    for (int y = area.Top; y < area.Bottom; ++y) {
        const auto [first, last] = coverage.RowSpan(y);
        const int left = std::max(first, area.Left), right = std::min(last, area.Right);
        if (left >= right) continue;
        const std::uint32_t* row = rows.Bits + static_cast<std::size_t>(y - rows.Origin.Y) * rows.Width;
        runs_.push_back({y, left, right, pixels_.size()});
        pixels_.insert(pixels_.end(), row + (left - rows.Origin.X), row + (right - rows.Origin.X));
        bounds_ = Union(bounds_, {left, y, right, y + 1});
    }
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
