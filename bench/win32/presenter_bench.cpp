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

#include "TickRunner.h"
#include "engine/win32/PresenterPointer.h"
#include "engine/win32/ScreenCapture.h"

using namespace zelvora;
using namespace zelvora::bench;

int main()
{
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const TRect screen = VirtualScreen();
    HWND ground = ShowWhiteGround(screen.Left, screen.Top, screen.Width(), screen.Height());
    Pump();
    std::printf("Screen %dx%d, overlays with %s\n", screen.Width(), screen.Height(),
                InkWithAlpha() ? "per-pixel alpha" : "a colour key");
    TMarkHistory marks;
    TBenchSpotlightKeys keys;
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
