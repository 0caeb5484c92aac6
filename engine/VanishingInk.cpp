#include "engine/VanishingInk.h"

#include <algorithm>

namespace zelvora {

int TVanishingInk::ValidSeconds(int seconds)
{
    return std::find(std::begin(kChoices), std::end(kChoices), seconds) != std::end(kChoices) ? seconds : 0;
}

TVanishingInk::TVanishingInk(TMarkHistory& history, TInkClock clock)
    : history_(history), clock_(std::move(clock))
{
}

std::optional<TVanishingInk::TDue> TVanishingInk::FirstDue() const
{
    // Marks end in the order they began, so the first mark is the first due, but for a board
    // that waits for the marks on it.
    if (seconds_ == 0) return std::nullopt;
    for (const TMark& mark : history_.Marks()) {
        if (mark.IsBoard() && history_.HasMarksOn(mark)) continue;
        if (!mark.EndedAt) return std::nullopt;
        return TDue{*mark.EndedAt + std::chrono::seconds(seconds_), mark.Serial};
    }
    return std::nullopt;
}

std::vector<TMark> TVanishingInk::TakeDue()
{
    std::vector<TMark> due;
    const TInkTime now = clock_();
    for (auto first = FirstDue(); first && first->At <= now; first = FirstDue())
        due.push_back(*history_.Take(first->Mark));
    return due;
}

std::optional<std::chrono::milliseconds> TVanishingInk::NextDueIn() const
{
    const auto first = FirstDue();
    if (!first) return std::nullopt;
    const auto in = std::chrono::ceil<std::chrono::milliseconds>(first->At - clock_());
    return std::max(in, std::chrono::milliseconds(0));
}

}  // namespace zelvora
