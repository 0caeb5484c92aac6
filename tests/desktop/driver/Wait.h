// Waiting for a condition with a deadline instead of sleeping a fixed time.
#pragma once

#include <chrono>
#include <thread>
#include <utility>

namespace zelvora::desktop {

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::nanoseconds timeout,
               std::chrono::nanoseconds interval = std::chrono::milliseconds(20))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(interval);
    }
}

// Reads until two readings `interval` apart agree (or the deadline passes) and gives the last: a
// screen or a window that has come to rest.
template <typename Read>
auto ReadSteady(Read read, std::chrono::nanoseconds timeout, std::chrono::nanoseconds interval)
{
    auto last = read();
    WaitUntil([&] { return std::exchange(last, read()) == last; }, timeout, interval);
    return last;
}

}  // namespace zelvora::desktop
