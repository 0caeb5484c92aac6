// What the presenter's pointer costs as the screen grows, in one process over a white window
// covering the screen (run it at 1024x768 and 3840x2160, on either path): a spotlight tick moving
// the widest circle at 200 % (pixels painted, time, CPU at 100 ticks a second), a laser tick
// while a stroke is drawn (each stroke a new press), and the memory a laser stroke leaves held
// while it shows. Built from today's source against an older build too, for figures side by side.
//   pointer-cost-bench.exe
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "TickRunner.h"
#include "engine/win32/PresenterPointer.h"
#include "engine/win32/ScreenCapture.h"

using namespace zelvora;
using namespace zelvora::bench;

namespace {

// Pixels the spotlight painted, where the build counts them; the build before painted both
// squares around the holes on every move, which is told by arithmetic.
template <typename TPointer>
double PixelsPainted(TPointer& pointer, const TSpotlightHole& before, const TSpotlightHole& now)
{
    if constexpr (requires { pointer.TakeSpotlightPixels(); }) {
        return static_cast<double>(pointer.TakeSpotlightPixels());
    } else {
        const auto area = [](const TRect& r) { return static_cast<double>(r.Width()) * r.Height(); };
        const TRect screen = VirtualScreen();
        return area(Intersection(before.Bounds(), screen)) + area(Intersection(now.Bounds(), screen));
    }
}

}  // namespace

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
    tick.Dpi = 192;
    const int y = screen.Top + screen.Height() / 2;

    // The spotlight across the screen and back, 38 px a tick, three times.
    keys.TurnWheel();
    tick.Pointer = {screen.Left + 200, y};
    pointer.ToggleSpotlight();
    pointer.Tick(tick);
    TTicks moving;
    double pixels = 0;
    int moves = 0;
    const double radius = TPresenterPointer::kMaxSpotlightRadius * tick.Dpi / 96;
    for (int round = 0; round < 3; ++round) {
        const int steps = (screen.Width() - 400) / 38;
        const TTicks across = Run(steps, [&](int i) {
            const int x = round % 2 ? screen.Right - 200 - 38 * (i + 1) : screen.Left + 200 + 38 * (i + 1);
            TSpotlightHole before, now;
            before.Centre = {tick.Pointer.X + 0.5f, tick.Pointer.Y + 0.5f};
            before.Radius = now.Radius = radius;
            tick.Pointer = {x, y + (i % 2) * 3};
            now.Centre = {tick.Pointer.X + 0.5f, tick.Pointer.Y + 0.5f};
            pointer.Tick(tick);
            pixels += PixelsPainted(pointer, before, now);
            ++moves;
        });
        moving.Ms.insert(moving.Ms.end(), across.Ms.begin(), across.Ms.end());
        moving.CpuShare += across.CpuShare / 3;
    }
    pointer.ToggleSpotlight();
    Pump();
    std::printf("Spotlight, the widest circle at 200 %% (radius %.0f px), 38 px a tick:\n", radius);
    Print("a moving tick", moving);
    std::printf("  pixels painted a moving tick: %.0f\n", pixels / moves);

    // The laser: five strokes across the screen, each a press of its own, then their fades.
    tick.Dpi = 96;
    TTicks drawn;
    double heldMegabytes = 0;
    for (int stroke = 0; stroke < 5; ++stroke) {
        const double before = WorkingSetMegabytes();
        const TTicks one = Run((screen.Width() - 400) / 19, [&](int i) {
            tick.LaserHeld = true;
            tick.Now = GetTickCount();
            tick.Pointer = {screen.Left + 200 + 19 * i, y + 60 * stroke % 300 + ((i / 10) % 2 ? 40 : -40)};
            pointer.Tick(tick);
        });
        heldMegabytes += (WorkingSetMegabytes() - before) / 5;
        drawn.Ms.insert(drawn.Ms.end(), one.Ms.begin(), one.Ms.end());
        drawn.CpuShare += one.CpuShare / 5;
        tick.LaserHeld = false;
        Run(60, [&](int) {
            tick.Now = GetTickCount();
            pointer.Tick(tick);
        });
    }
    std::printf("Laser, 19 px a tick across the screen:\n");
    Print("a tick drawing", drawn);
    std::printf("  memory held while a stroke shows: %.1f MB\n", heldMegabytes);
    DestroyWindow(ground);
    return 0;
}
