#include "engine/win32/ScreenRedraws.h"

#include <algorithm>
#include <utility>

namespace zelvora {

namespace {

// 300 ms of ticks, drawn again every fifth: the windows beneath have repainted by then.
constexpr int kRedrawTicks = 30, kTicksPerRedraw = 5;

}  // namespace

void TScreenRedraws::Uncovered(const TRect& area)
{
    if (IsEmpty(area)) return;
    area_ = Union(area_, area);
    ticks_ = kRedrawTicks;
}

void TScreenRedraws::DrawingMark()
{
    ticks_ = kRedrawTicks;
    kept_.reset();
}

void TScreenRedraws::Kept(const TMarkPiece& piece)
{
    ticks_ = kRedrawTicks;
    kept_ = piece;
}

void TScreenRedraws::Tick(bool onScreen)
{
    if (ticks_ == 0 || --ticks_ % kTicksPerRedraw != 0) return;
    const TRect area = ticks_ == 0 ? std::exchange(area_, TRect{}) : area_;
    if (!onScreen || marks_.Marks().empty()) return;
    for (const TMark* mark : InPaintOrder(marks_.Marks(), area)) screen_.DrawAgain(*mark, area);
    if (!kept_) {
        if (marks_.Drawing()) screen_.DrawAgain(marks_.Marks().back());
        return;
    }
    // Unless it was undone meanwhile: free-hand marks may have followed it.
    const auto& marks = marks_.Marks();
    const auto kept = std::find_if(marks.rbegin(), marks.rend(), [&](const TMark& mark) {
        return mark.Pieces.size() == 1 && mark.Pieces.front().SameDrawingAs(*kept_);
    });
    if (kept != marks.rend()) screen_.DrawAgain(*kept);
}

}  // namespace zelvora
