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

std::optional<TInkTime> TVanishingInk::FirstDueAt() const
{
    // Marks end in the order they began, so the first mark is always the first due.
    if (seconds_ == 0 || history_.Marks().empty()) return std::nullopt;
    const TMark& first = history_.Marks().front();
    if (!first.EndedAt) return std::nullopt;
    return *first.EndedAt + std::chrono::seconds(seconds_);
}

std::vector<TMark> TVanishingInk::TakeDue()
{
    std::vector<TMark> due;
    const TInkTime now = clock_();
    for (auto at = FirstDueAt(); at && *at <= now; at = FirstDueAt()) due.push_back(*history_.TakeFirst());
    return due;
}

std::optional<std::chrono::milliseconds> TVanishingInk::NextDueIn() const
{
    const auto at = FirstDueAt();
    if (!at) return std::nullopt;
    const auto in = std::chrono::ceil<std::chrono::milliseconds>(*at - clock_());
    return std::max(in, std::chrono::milliseconds(0));
}

}  // namespace zelvora
