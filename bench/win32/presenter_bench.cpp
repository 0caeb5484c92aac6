// The presenter's pointer, measured in one process over a white window covering the screen
// (run it at 3840x2160 too): the spotlight's time to show and to hide, the cost of a tick that
// moves its hole across the whole screen and the CPU that takes at the loop's 100 ticks a
// second; the laser's tick while it is drawn and while its trail fades; the pen ring's tick.
//   presenter-bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "engine/win32/PresenterPointer.h"
#include "engine/win32/ScreenCapture.h"

using namespace zelvora;
using Clock = std::chrono::steady_clock;

namespace {

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

HWND ShowWhiteGround(const TRect& screen)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"PresenterBenchGround";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, screen.Left, screen.Top,
                                  screen.Width(), screen.Height(), nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double ProcessCpuMs()
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

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

struct TTicks {
    std::vector<double> Ms;
    double CpuShare = 0;  // of one core, ticks paced at 10 ms
};

// Ticks paced as the marking loop's timer paces them; `step(i)` makes tick i.
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

void Print(const char* what, const TTicks& ticks)
{
    std::printf("  %-44s median %6.2f ms  95th %6.2f ms  CPU %5.1f %% of a core\n", what,
                Percentile(ticks.Ms, 0.5), Percentile(ticks.Ms, 0.95), ticks.CpuShare);
}

}  // namespace

// No keys reach the spotlight here: it is driven tick by tick.
class TNoSpotlightKeys : public ISpotlightKeys {
public:
    void Follow(bool) override {}
    void TakeWheel(bool) override {}
    bool TakeEscape() override { return false; }
    int TakeWheelSteps() override { return 0; }
};

int main()
{
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const TRect screen = VirtualScreen();
    HWND ground = ShowWhiteGround(screen);
    Pump();
    std::printf("Screen %dx%d, overlays with %s\n", screen.Width(), screen.Height(),
                InkWithAlpha() ? "per-pixel alpha" : "a colour key");
    TMarkHistory marks;
    TNoSpotlightKeys keys;
    TPresenterPointer pointer(marks, keys);
    TPresenterTick tick;
    tick.Dpi = 96;
    const int y = screen.Top + screen.Height() / 2;

    // The spotlight across the screen, 38 px a tick, shown and hidden five times.
    std::vector<double> show, hide;
    TTicks moving;
    for (int round = 0; round < 5; ++round) {
        tick.Pointer = {screen.Left + 200, y};
        pointer.ToggleSpotlight();
        auto before = Clock::now();
        pointer.Tick(tick);
        show.push_back(Milliseconds(Clock::now() - before));
        const int steps = (screen.Width() - 400) / 38;
        const TTicks across = Run(steps, [&](int i) {
            tick.Pointer = {screen.Left + 200 + 38 * (i + 1), y + (i % 2) * 3};
            pointer.Tick(tick);
        });
        moving.Ms.insert(moving.Ms.end(), across.Ms.begin(), across.Ms.end());
        moving.CpuShare += across.CpuShare / 5;
        before = Clock::now();
        pointer.ToggleSpotlight();
        hide.push_back(Milliseconds(Clock::now() - before));
        Pump();
    }
    std::printf("Spotlight:\n  to show (one tick, every monitor dimmed): median %.1f ms, slowest %.1f ms\n",
                Percentile(show, 0.5), Percentile(show, 1.0));
    std::printf("  to hide: median %.1f ms, slowest %.1f ms\n", Percentile(hide, 0.5), Percentile(hide, 1.0));
    Print("a tick moving the hole 38 px", moving);

    // The laser: a stroke across the screen, then its fade (500 ms), then nothing.
    TTicks drawn = Run((screen.Width() - 400) / 19, [&](int i) {
        tick.LaserHeld = true;
        tick.Now = GetTickCount();
        tick.Pointer = {screen.Left + 200 + 19 * i, y + ((i / 10) % 2 ? 40 : -40)};
        pointer.Tick(tick);
    });
    tick.LaserHeld = false;
    const TTicks fading = Run(60, [&](int) {
        tick.Now = GetTickCount();
        pointer.Tick(tick);
    });
    const TTicks idle = Run(100, [&](int) {
        tick.Now = GetTickCount();
        pointer.Tick(tick);
    });
    const TTicks ring = Run((screen.Width() - 400) / 19, [&](int i) {
        tick.PaintHeld = true;
        tick.PenWidth = 10;
        tick.Pointer = {screen.Left + 200 + 19 * i, y};
        pointer.Tick(tick);
    });
    tick.PaintHeld = false;
    pointer.Tick(tick);
    std::printf("Laser:\n");
    Print("a tick drawing, 19 px a tick", drawn);
    Print("a tick of the fade", fading);
    Print("a tick once gone", idle);
    std::printf("Pen ring:\n");
    Print("a tick moving it 19 px", ring);
    DestroyWindow(ground);
    return 0;
}
