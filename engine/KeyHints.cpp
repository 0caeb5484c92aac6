#include "engine/KeyHints.h"

#include <algorithm>

namespace zelvora {

bool TKeyHintTimer::Tick(std::uint32_t now, bool held, TPoint pointer, bool input)
{
    if (!held) {
        held_ = false;
        return false;
    }
    if (!held_) {
        held_ = true;
        spent_ = false;
        since_ = now;
        at_ = pointer;
    }
    spent_ = spent_ || input || !(pointer == at_);
    return !spent_ && static_cast<std::int32_t>(now - since_) >= static_cast<std::int32_t>(kRestMs);
}

TRect KeyHintPlace(TPoint pointer, int width, int height, const TRect& workArea, int gap)
{
    int left = pointer.X + gap, top = pointer.Y + gap;
    if (left + width > workArea.Right) left = pointer.X - gap - width;
    if (top + height > workArea.Bottom) top = pointer.Y - gap - height;
    left = std::max(std::min(left, workArea.Right - width), workArea.Left);
    top = std::max(std::min(top, workArea.Bottom - height), workArea.Top);
    return {left, top, left + width, top + height};
}

}  // namespace zelvora
