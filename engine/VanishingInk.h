// Ink that vanishes by itself: each mark a few seconds after its chord went up, oldest first, a
// mark still being drawn never, a board not before the marks drawn on it. Only bookkeeping over the history
// and a clock; the engine keeps one timer for the next mark due, and none while no mark waits.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "engine/MarkHistory.h"

namespace zelvora {

using TInkClock = std::function<TInkTime()>;

class TVanishingInk {
public:
    // The choices the menu offers; 0 is never.
    static constexpr int kChoices[] = {0, 2, 5, 15};
    // A stored value that is not a choice means never.
    static int ValidSeconds(int seconds);

    explicit TVanishingInk(
        TMarkHistory& history, TInkClock clock = [] { return std::chrono::steady_clock::now(); });

    int Seconds() const { return seconds_; }
    // Also for marks that wait already: they are due that long after their own end.
    void SetSeconds(int seconds) { seconds_ = ValidSeconds(seconds); }
    // The chord went up: the mark being drawn ends now and begins to wait.
    void EndMark() { history_.EndMark(clock_()); }
    // The marks whose time has come, oldest first, taken out of the history.
    std::vector<TMark> TakeDue();
    // How long until the next mark is due (zero when it is overdue); none while none waits.
    std::optional<std::chrono::milliseconds> NextDueIn() const;

private:
    struct TDue {
        TInkTime At;
        std::uint64_t Mark;
    };
    std::optional<TDue> FirstDue() const;

    TMarkHistory& history_;
    TInkClock clock_;
    int seconds_ = 0;
};

}  // namespace zelvora
