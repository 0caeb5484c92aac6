// What the marks and the presenter's pointer hold in memory on a large desktop (run it on four
// 3840x2160 monitors: scripts/four-monitors): the working set with ink on every monitor, then with
// the spotlight on, during a laser stroke, and after a wipe with the spotlight off. Built from
// today's source against an older build too, for figures side by side.
//   pointer-memory-bench.exe
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <vector>

#include "TickRunner.h"
#include "engine/win32/MarkingEngine.h"
#include "engine/win32/ScreenCapture.h"

using namespace zelvora;
using namespace zelvora::bench;

namespace {

struct TOptions : IMarkingOptions {
    bool FreeHandMode() const override { return true; }
    bool Transparent() const override { return false; }
    bool FloodFill() const override { return false; }
};

}  // namespace

int main()
{
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const std::vector<TRect> monitors = MonitorRects();
    const TRect screen = VirtualScreen();
    std::printf("%zu monitors, virtual screen %dx%d, overlays with %s\n", monitors.size(), screen.Width(),
                screen.Height(), InkWithAlpha() ? "per-pixel alpha" : "a colour key");
    const double start = WorkingSetMegabytes();
    const auto print = [&](const char* what) {
        Pump();
        std::printf("  %-52s %8.1f MB\n", what, WorkingSetMegabytes() - start);
    };
    TOptions options;
    TMarkingEngine engine(options);
    engine.SetKeepMarks(true);
    for (const TRect& monitor : monitors) {
        engine.MovePenTo(monitor.Left + 100, monitor.Top + 100);
        for (int i = 1; i <= 40; ++i)
            engine.DrawLineTo(monitor.Left + 100 + 20 * i, monitor.Top + 100 + (i % 2) * 60);
        engine.EndMark();
    }
    engine.PaintInkNow();
    print("ink on every monitor (the layer)");

    TBenchSpotlightKeys keys;
    TPresenterPointer pointer(engine.History(), keys);
    TPresenterTick tick;
    tick.Dpi = 96;
    pointer.ToggleSpotlight();
    for (int i = 0; i < 20; ++i) {
        tick.Pointer = {monitors.front().Left + 300 + 10 * i, monitors.front().Top + 300};
        pointer.Tick(tick);
    }
    print("+ the spotlight on, following the pointer");
    double laserPeak = 0;
    for (int i = 0; i < 100; ++i) {
        tick.LaserHeld = true;
        tick.Now = GetTickCount();
        tick.Pointer = {monitors.front().Left + 300 + 8 * i, monitors.front().Top + 500 + (i / 10 % 2) * 40};
        pointer.Tick(tick);
        laserPeak = std::max(laserPeak, WorkingSetMegabytes() - start);
    }
    print("+ a laser stroke 800 px long, held");
    std::printf("  %-52s %8.1f MB\n", "  (the most during the stroke)", laserPeak);
    tick.LaserHeld = false;
    for (int i = 0; i < 100; ++i) {
        tick.Now = GetTickCount() + 1000;
        pointer.Tick(tick);
    }
    pointer.ToggleSpotlight();
    engine.WipeMarks();
    print("after a wipe, the spotlight off, the laser gone");
    return 0;
}
