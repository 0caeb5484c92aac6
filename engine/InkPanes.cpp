#include "engine/InkPanes.h"

#include <algorithm>

namespace zelvora {

bool HasInkOn(const TRect& monitor, const TMarkHistory& marks)
{
    for (const TMark& mark : marks.Marks()) {
        if (IsEmpty(Intersection(mark.Bounds, monitor))) continue;
        for (const TMarkPiece& piece : mark.Pieces)
            if (!IsEmpty(Intersection(PieceBounds(piece), monitor))) return true;
    }
    return false;
}

TPaneRefit RefitPanes(std::span<const TRect> panes, std::span<const TRect> monitors,
                      const TMarkHistory& marks)
{
    const auto among = [](std::span<const TRect> rects, const TRect& r) {
        return std::find(rects.begin(), rects.end(), r) != rects.end();
    };
    TPaneRefit refit;
    for (const TRect& pane : panes)
        if (!among(monitors, pane)) refit.Close.push_back(pane);
    for (const TRect& monitor : monitors)
        if (!among(panes, monitor) && HasInkOn(monitor, marks)) refit.Open.push_back(monitor);
    return refit;
}

}  // namespace zelvora
