// Where the start-up's time goes: the moment each phase ended, kept only when the environment
// variable ZELVORA_STARTUP_TIMES names a file, and written there once the start-up is over (the
// start-up bench reads it). Costs one environment lookup otherwise.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelvora {

class TStartupTimeline {
public:
    TStartupTimeline();

    bool Recording() const { return !file_.empty(); }
    // The phase that ends now (of a window, when named), or that ended at a performance-counter
    // reading taken earlier. The text is put together only while recording.
    void Mark(std::string_view phase, std::string_view window = {});
    void MarkAt(std::string_view phase, LONGLONG ticks, std::string_view window = {});
    // Writes the file ("ticks-per-second F", then "TICKS<tab>PHASE" lines) and stops recording.
    void Finish();

private:
    std::wstring file_;
    std::vector<std::pair<LONGLONG, std::string>> marks_;
};

LONGLONG PerformanceTicks();

// Through the application's timeline; nothing when there is no application.
void MarkStartup(std::string_view phase, std::string_view window = {});

}  // namespace zelvora
