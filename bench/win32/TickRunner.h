// Ticks paced as the marking loop's timer paces them, for the benchmarks that drive the
// presenter's pointer in one process: their times, percentiles, the CPU and memory they took.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "engine/win32/PresenterPointer.h"

namespace zelvora::bench {

using Clock = std::chrono::steady_clock;

inline void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

inline double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

inline double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ms = [](FILETIME t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               1e4;
    };
    return ms(kernel) + ms(user);
}

inline double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

struct TTicks {
    std::vector<double> Ms;
    double CpuShare = 0;  // of one core, ticks paced at 10 ms
};

// `step(i)` makes tick i, 10 ms after the one before; the queue is pumped meanwhile.
template <typename TStep>
TTicks Run(int count, TStep step)
{
    TTicks ticks;
    const double cpu0 = ProcessCpuMs();
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        const auto due = start + std::chrono::milliseconds(10 * i);
        while (Clock::now() < due) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
            Pump();
        }
        const auto before = Clock::now();
        step(i);
        ticks.Ms.push_back(Milliseconds(Clock::now() - before));
    }
    Pump();
    ticks.CpuShare = 100 * (ProcessCpuMs() - cpu0) / Milliseconds(Clock::now() - start);
    return ticks;
}

inline void Print(const char* what, const TTicks& ticks)
{
    std::printf("  %-44s median %6.2f ms  95th %6.2f ms  CPU %5.1f %% of a core\n", what,
                Percentile(ticks.Ms, 0.5), Percentile(ticks.Ms, 0.95), ticks.CpuShare);
}

// The working set: pixel buffers are filled when made, so every one of them is in it.
inline double WorkingSetMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize) / (1 << 20);
}

// A white window over the whole screen: the ground the pointer is shown over.
inline HWND ShowWhiteGround(int left, int top, int width, int height)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"BenchWhiteGround";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, left, top, width, height,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

// No keys reach the spotlight in a benchmark: it is driven tick by tick. The wheel turned far
// on the first look gives the widest circle from the start.
class TBenchSpotlightKeys : public ISpotlightKeys {
public:
    void Follow(bool) override {}
    void TakeWheel(bool) override {}
    bool TakeEscape() override { return false; }
    int TakeWheelSteps() override
    {
        const int steps = steps_;
        steps_ = 0;
        return steps;
    }
    void TurnWheel() { steps_ = 60; }

private:
    int steps_ = 0;
};

}  // namespace zelvora::bench
