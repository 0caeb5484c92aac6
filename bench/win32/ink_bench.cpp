// The ink layer's costs in one run, beside the screen's: working set after 1,000 strokes of 100
// points each against a fresh start, the time an undo of the last strokes takes to repaint, and
// a wipe with 50 top-level windows open until every window has repainted.
//   ink-bench.exe
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "engine/win32/MarkingEngine.h"
#include "toolkit/win32/Handles.h"

using namespace zelvora;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kStrokes = 1000, kPointsPerStroke = 100, kUndos = 20, kWindows = 50;

struct TOptions final : IMarkingOptions {
    bool FreeHandMode() const override { return true; }
    bool Transparent() const override { return false; }
    bool FloodFill() const override { return false; }
};

double WorkingSetMiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Strokes of short steps wandering over the screen, as a hand draws.
void DrawStrokes(TMarkingEngine& engine)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    unsigned seed = 7;
    const auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<unsigned>(range));
    };
    for (int stroke = 0; stroke < kStrokes; ++stroke) {
        int x = next(width), y = next(height);
        engine.MovePenTo(x, y);
        for (int point = 0; point < kPointsPerStroke; ++point) {
            x = std::clamp(x + next(9) - 4, 0, width - 1);
            y = std::clamp(y + next(9) - 4, 0, height - 1);
            engine.DrawLineTo(x, y);
        }
        engine.EndMark();
        if (stroke % 50 == 0) Pump();
    }
    Pump();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

LRESULT CALLBACK PaintWhite(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PaintScope paint(window);
        FillRect(paint.Dc(), &paint.Info().rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

// Milliseconds from the wipe until every window has painted again.
double TimeWipe(TMarkingEngine& engine)
{
    engine.MovePenTo(10, 10);
    engine.DrawLineTo(600, 400);
    Pump();
    const auto start = Clock::now();
    engine.WipeMarks();
    Pump();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main()
{
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    TOptions options;
    TMarkingEngine engine(options);
    engine.AcquireDesktopCanvas();
    std::printf("%d strokes of %d points each, then %d undos of the last ones:\n", kStrokes, kPointsPerStroke,
                kUndos);
    for (const bool keep : {false, true}) {
        engine.SetKeepMarks(keep);
        Pump();
        const double fresh = WorkingSetMiB();
        const auto start = Clock::now();
        DrawStrokes(engine);
        const double drawMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        const double drawn = WorkingSetMiB();
        std::vector<double> undos;
        for (int i = 0; i < kUndos; ++i) {
            const auto undoStart = Clock::now();
            engine.UndoLastMark();  // and the paint it asks for
            Pump();
            undos.push_back(std::chrono::duration<double, std::milli>(Clock::now() - undoStart).count());
        }
        std::printf(
            "  %-10s working set %.1f MiB fresh, %.1f MiB after (%+.1f MiB, history %.1f MiB), "
            "drawing %.0f ms; undo median %.2f ms, slowest %.2f ms (a frame: 16.7 ms)\n",
            keep ? "keep marks" : "screen", fresh, drawn, drawn - fresh,
            static_cast<double>(engine.History().Bytes()) / (1024.0 * 1024.0), drawMs, Median(undos),
            *std::max_element(undos.begin(), undos.end()));
        engine.WipeMarks();
        Pump();
    }
    engine.SetKeepMarks(false);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PaintWhite;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"InkBenchWindow";
    RegisterClassExW(&wc);
    std::vector<UniqueWindow> windows;
    for (int i = 0; i < kWindows; ++i) {
        windows.emplace_back(CreateWindowExW(0, wc.lpszClassName, L"window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                             20 + i * 12, 20 + i * 8, 400, 300, nullptr, nullptr,
                                             wc.hInstance, nullptr));
    }
    Pump();
    std::vector<double> screenWipes, keptWipes;
    for (int round = 0; round < 5; ++round) {
        engine.SetKeepMarks(false);
        screenWipes.push_back(TimeWipe(engine));
        engine.SetKeepMarks(true);
        keptWipes.push_back(TimeWipe(engine));
    }
    const double screen = Median(screenWipes), kept = Median(keptWipes);
    std::printf(
        "Wipe with %d top-level windows open, until every window has painted (median of 5):\n"
        "  screen %.2f ms, keep marks %.2f ms (%.1fx faster)\n",
        kWindows, screen, kept, kept > 0 ? screen / kept : 0.0);
    return 0;
}
