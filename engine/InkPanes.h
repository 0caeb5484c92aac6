// Which monitors hold a pane of the ink layer: those where some ink lies. A pane covers one
// monitor, so a mark on one of three 4K monitors costs one monitor's pixels, and the corner of
// the virtual screen that no monitor shows costs nothing.
#pragma once

#include <span>
#include <vector>

#include "base/Geometry.h"
#include "engine/MarkHistory.h"

namespace zelvora {

// Whether a piece of a kept mark lies on the monitor.
bool HasInkOn(const TRect& monitor, const TMarkHistory& marks);

// What a change of monitors (added, removed, moved, resized) asks of the panes.
struct TPaneRefit {
    std::vector<TRect> Close;  // panes whose monitor went or is no longer where it was
    std::vector<TRect> Open;   // monitors with ink and no pane: painted again from the history
};
// Marks on a monitor that went stay in the history and come back when it returns.
TPaneRefit RefitPanes(std::span<const TRect> panes, std::span<const TRect> monitors,
                      const TMarkHistory& marks);

}  // namespace zelvora
