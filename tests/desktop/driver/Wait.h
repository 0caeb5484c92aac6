// Waiting for a condition with a deadline instead of sleeping a fixed time.
#pragma once

#include <chrono>
#include <thread>

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

}  // namespace zelvora::desktop
