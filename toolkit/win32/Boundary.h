// Where the window system calls into the program (window, hook, timer and enumeration
// procedures): an exception must end there, or it unwinds through the system's own frames.
#pragma once

#include <exception>

namespace zelvora {

// Hands the error to the application's error display; never throws.
void ReportBoundaryError(const char* message) noexcept;

// Runs `work`; an exception is reported and `fallback` answered instead.
template <typename Result, typename Work>
Result Guarded(Result fallback, Work&& work) noexcept
{
    try {
        return work();
    } catch (const std::exception& error) {
        ReportBoundaryError(error.what());
    } catch (...) {
        ReportBoundaryError("Unknown error");
    }
    return fallback;
}

}  // namespace zelvora
