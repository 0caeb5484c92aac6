// Smooth ink, measured in one process on a white window over the whole screen: the edges of
// 5-pixel red strokes at 10, 30 and 45 degrees on the screen and on the ink layer (the share of
// columns whose edge crosses a partly covered pixel, and how far the edge recovered from the
// coverage lies from the ideal line), a quick circle and a V drawn through the hold as the
// marking loop drives it (how far the drawn centre line strays from the circle, its sharpest
// turn, the V's overshoot), the undo of the last of 1,000 strokes on the layer, one tick of a long stroke,
// and the memory the layer's panes take for one stroke. Built at an older commit too (scripts/
// build-baseline), it prints the same figures for that build.
//   smooth-bench.exe [edges] [curves] [undo] [tick] [memory]   (default: all)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <span>
#include <string_view>
#include <vector>

#include "engine/Hold.h"
#include "engine/win32/MarkingEngine.h"
#include "toolkit/win32/PixelBuffer.h"

using namespace zelvora;
using Clock = std::chrono::steady_clock;

namespace {

constexpr TColor kRed = 0x0000FF;

struct TRedPen final : IMarkingOptions {
    bool FreeHandMode() const override { return true; }
    bool Transparent() const override { return false; }
    bool FloodFill() const override { return false; }
};

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

void PumpFor(std::chrono::milliseconds time)
{
    const auto until = Clock::now() + time;
    while (Clock::now() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        Pump();
    }
}

// A plain white window over the whole screen: the ground every stroke is drawn on.
HWND ShowWhiteGround()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"SmoothBenchGround";
    RegisterClassExW(&wc);
    const HWND window =
        CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                        GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(window);
    UpdateWindow(window);
    PumpFor(std::chrono::milliseconds(300));
    return window;
}

// How much of each pixel the red ink covers, from its green (white 255, red 0).
class TInkReader {
public:
    TInkReader(TMarkingEngine& engine, const TRect& area) : area_(area)
    {
        if (engine.DrawsOnLayer()) {
            engine.PaintInkNow();
            for (int y = area.Top; y < area.Bottom; ++y)
                for (int x = area.Left; x < area.Right; ++x)
                    green_.push_back(
                        static_cast<std::uint8_t>(engine.InkLayer().InkAt({x, y}).value_or(0xFFFFFF) >> 8));
            return;
        }
        TPixelBuffer pixels(area.Width(), area.Height());
        const HDC screen = GetDC(nullptr);
        BitBlt(pixels.Dc(), 0, 0, area.Width(), area.Height(), screen, area.Left, area.Top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        GdiFlush();
        for (int i = 0; i < area.Width() * area.Height(); ++i)
            green_.push_back(static_cast<std::uint8_t>(pixels.Bits()[i] >> 8));
    }
    double At(int x, int y) const
    {
        if (x < area_.Left || x >= area_.Right || y < area_.Top || y >= area_.Bottom) return 0;
        return (255 - green_[static_cast<std::size_t>(y - area_.Top) * area_.Width() + (x - area_.Left)]) /
               255.0;
    }

private:
    TRect area_;
    std::vector<std::uint8_t> green_;
};

struct TEdges {
    double PartlyCovered = 0, RmsError = 0;
};

// A 5-pixel stroke from `from` at `degrees`, 300 px long, drawn as one line; its two edges read
// column by column away from its ends.
TEdges MeasureEdges(TMarkingEngine& engine, TPoint from, double degrees)
{
    const TPoint to{from.X + static_cast<int>(std::lround(300 * std::cos(degrees * std::numbers::pi / 180))),
                    from.Y + static_cast<int>(std::lround(300 * std::sin(degrees * std::numbers::pi / 180)))};
    engine.MovePenTo(from.X, from.Y);
    engine.DrawLineTo(to.X, to.Y);
    engine.EndMark();
    const double dy = to.Y - from.Y, dx = to.X - from.X, half = 2.5 * std::hypot(dx, dy) / dx;
    const TInkReader ink(engine, {from.X - 10, from.Y - 10, to.X + 10, to.Y + 10});
    int columns = 0, partly = 0;
    double squares = 0;
    for (int x = from.X + 15; x < to.X - 15; ++x) {
        // The ideal centre at the column's middle; pixel centres lie at .5.
        const double centre = from.Y + 0.5 + (x - from.X) * dy / dx;
        const int middle = static_cast<int>(std::floor(centre));
        double above = 0, below = 0;
        for (int y = middle - 10; y < middle; ++y) above += ink.At(x, y);
        for (int y = middle; y < middle + 10; ++y) below += ink.At(x, y);
        const double top = middle - above, bottom = middle + below;
        squares += std::pow(top - (centre - half), 2) + std::pow(bottom - (centre + half), 2);
        for (const double edge : {centre - half, centre + half}) {
            bool found = false;
            for (int y = static_cast<int>(std::floor(edge)) - 1; y <= static_cast<int>(std::floor(edge)) + 1;
                 ++y)
                found = found || (ink.At(x, y) > 0.02 && ink.At(x, y) < 0.98);
            partly += found;
        }
        columns += 2;
    }
    return {100.0 * partly / columns, std::sqrt(squares / columns)};
}

// The hold as the marking loop drives it, ticks every 10 ms, the pointer's positions coming 60
// times a second: the centre line it asks to draw.
class TCentreLine : public IHoldActions {
public:
    void DrawLine(TPoint from, TPoint to) override { Add(from.X, from.Y, to.X, to.Y); }
#if __has_include("engine/StrokeCurve.h")  // a build whose hold draws only lines has no curves
    void DrawCurve(std::span<const TPointF> points) override
    {
        for (std::size_t i = 1; i < points.size(); ++i)
            Add(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y);
    }
#endif
    void FrameAt(TPoint) override {}
    void PreviewShape(TDrawingShape, TPoint, TPoint) override {}
    void KeepShape() override {}
    void DropMarkAtRest(bool) override {}
    void EndMark() override {}
    void OpenText(TPoint) override {}

    std::vector<std::pair<double, double>> Line;

private:
    void Add(double fromX, double fromY, double toX, double toY)
    {
        if (fromX == toX && fromY == toY) return;  // a dot where the pen is
        if (Line.empty() || Line.back() != std::pair{fromX, fromY}) Line.emplace_back(fromX, fromY);
        Line.emplace_back(toX, toY);
    }
};

std::vector<std::pair<double, double>> DrawThroughHold(const std::vector<TPoint>& samples)
{
    THold hold;
    TCentreLine out;
    THoldTick tick;
    tick.Pointer = samples.front();
    tick.Path = {tick.Pointer};
    hold.Tick(tick, out);
    tick.ChordHeld = true;
    std::size_t next = 0;
    for (std::uint32_t now = 10; now < 1000 * samples.size() / 60 + 300; now += 10) {
        tick.Now = now;
        tick.Path.clear();
        for (; next < samples.size() && next * 1000 / 60 <= now; ++next) tick.Path.push_back(samples[next]);
        if (tick.Path.empty()) tick.Path.push_back(tick.Pointer);
        tick.Pointer = tick.Path.back();
        hold.Tick(tick, out);
    }
    tick.ChordHeld = false;
    hold.Tick(tick, out);
    return out.Line;
}

double SharpestTurn(const std::vector<std::pair<double, double>>& line)
{
    double sharpest = 0;
    for (std::size_t i = 2; i < line.size(); ++i) {
        const double x0 = line[i - 1].first - line[i - 2].first, y0 = line[i - 1].second - line[i - 2].second;
        const double x1 = line[i].first - line[i - 1].first, y1 = line[i].second - line[i - 1].second;
        sharpest = std::max(
            sharpest, std::abs(std::atan2(x0 * y1 - y0 * x1, x0 * x1 + y0 * y1)) * 180 / std::numbers::pi);
    }
    return sharpest;
}

std::size_t CommittedBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    // The panes' pixels are sections, which Wine counts as committed, not as private.
    return counters.PagefileUsage;
}

// How long the work takes until its ink is painted, in milliseconds.
template <typename TWork>
double PaintedMillis(TMarkingEngine& engine, TWork work)
{
    const auto start = Clock::now();
    work();
    engine.PaintInkNow();
    GdiFlush();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const auto runs = [&](const char* part) {
        if (argc < 2) return true;
        for (int i = 1; i < argc; ++i)
            if (std::string_view(argv[i]) == part) return true;
        return false;
    };
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const HWND ground = ShowWhiteGround();
    TRedPen pen;
    std::printf("On a %dx%d screen, 5 px red over white:\n", width, height);
    for (const bool layer : {false, true}) {
        if (!runs("edges")) break;
        TMarkingEngine engine(pen);
        engine.AcquireDesktopCanvas();
        engine.SetKeepMarks(layer);
        engine.SetMarkerColor(kRed);
        engine.SetMarkerSize(5);
        int row = 0;
        for (const double degrees : {10.0, 30.0, 45.0}) {
            const TEdges edges = MeasureEdges(engine, {60 + 320 * row++, 80}, degrees);
            std::printf(
                "  %-6s %2.0f degrees: %5.1f %% of edge columns partly covered (goal: at least 95 %%), "
                "edge RMS error %.3f px (goal: at most 0.15)\n",
                layer ? "layer" : "screen", degrees, edges.PartlyCovered, edges.RmsError);
        }
        engine.WipeMarks();
        engine.ReleaseDesktopCanvas();
        PumpFor(std::chrono::milliseconds(200));
    }

    if (runs("curves")) {
        const double cx = 500, cy = 400, radius = 120;
        std::vector<TPoint> circle;
        for (int i = 0; i <= 20; ++i) {
            const double angle = 2 * std::numbers::pi * i / 20;
            circle.push_back({static_cast<int>(std::lround(cx + radius * std::cos(angle))),
                              static_cast<int>(std::lround(cy + radius * std::sin(angle)))});
        }
        const auto line = DrawThroughHold(circle);
        double farthest = 0;
        for (std::size_t i = 1; i < line.size(); ++i)
            for (int step = 0; step < 8; ++step) {  // along each drawn segment
                const double t = step / 8.0;
                const double x = line[i - 1].first + t * (line[i].first - line[i - 1].first);
                const double y = line[i - 1].second + t * (line[i].second - line[i - 1].second);
                farthest = std::max(farthest, std::abs(std::hypot(x - cx, y - cy) - radius));
            }
        std::printf(
            "A circle of radius 120 px in 20 positions 38 px apart, 60 a second, through the hold: centre "
            "line %.2f px from the circle at most (goal: at most 1), sharpest turn between drawn segments "
            "%.1f degrees (goal: at most 4)\n",
            farthest, SharpestTurn(line));
        // A V: down to the corner, then right, positions 30 px apart.
        std::vector<TPoint> v;
        for (int y = 250; y <= 400; y += 30) v.push_back({500, y});
        for (int x = 530; x <= 650; x += 30) v.push_back({x, 400});
        double overshoot = 0;
        for (const auto& [x, y] : DrawThroughHold(v)) overshoot = std::max({overshoot, y - 400, 500 - x});
        std::printf("A V with a right angle, positions 30 px apart: overshoot %.2f px (goal: at most 1)\n",
                    overshoot);
    }

    if (runs("undo")) {
        TMarkingEngine engine(pen);
        engine.SetKeepMarks(true);
        engine.SetMarkerSize(5);
        unsigned seed = 12345;
        const auto next = [&](int range) {
            seed = seed * 1103515245u + 12345u;
            return static_cast<int>((seed >> 8) % static_cast<unsigned>(range));
        };
        for (int i = 0; i < 1000; ++i) {
            int x = 50 + next(width - 400), y = 50 + next(height - 400);
            engine.MovePenTo(x, y);
            for (int step = 0; step < 8; ++step) engine.DrawLineTo(x += 10 + next(30), y += next(60) - 30);
            engine.EndMark();
            if (i % 50 == 0) Pump();
        }
        engine.PaintInkNow();
        Pump();
        std::vector<double> undo;
        for (int i = 0; i < 5; ++i) undo.push_back(PaintedMillis(engine, [&] { engine.UndoLastMark(); }));
        std::sort(undo.begin(), undo.end());
        std::printf(
            "Undo of the last of 1,000 strokes on the layer: median %.2f ms, slowest %.2f ms of 5 "
            "(goal: within a frame, 16.7 ms)\n",
            undo[2], undo.back());
    }

    for (const bool layer : {false, true}) {
        if (!runs("tick")) break;
        TMarkingEngine engine(pen);
        engine.AcquireDesktopCanvas();
        engine.SetKeepMarks(layer);
        engine.SetMarkerSize(5);
        engine.MovePenTo(0, height / 3);
        std::vector<double> ticks;
        for (int x = 38; x < width; x += 38)
            ticks.push_back(
                PaintedMillis(engine, [&] { engine.DrawLineTo(x, height / 3 + x * height / 3 / width); }));
        std::sort(ticks.begin(), ticks.end());
        std::printf(
            "A long stroke across the screen on the %s, 38 px a tick: median %.3f ms, 95th percentile %.3f "
            "ms a tick\n",
            layer ? "layer" : "screen", ticks[ticks.size() / 2], ticks[ticks.size() * 95 / 100]);
        engine.WipeMarks();
        engine.ReleaseDesktopCanvas();
        PumpFor(std::chrono::milliseconds(200));
    }

    for (const bool alpha : {false, true}) {
        if (!runs("memory")) break;
        SetEnvironmentVariableW(L"ZELVORA_INK_ALPHA", alpha ? L"1" : L"0");
        TMarkingEngine engine(pen);
        engine.SetKeepMarks(true);
        engine.SetMarkerSize(5);
        const std::size_t before = CommittedBytes();
        engine.MovePenTo(100, 100);
        for (int x = 138; x < 600; x += 38) engine.DrawLineTo(x, 100 + x / 4);
        engine.PaintInkNow();
        Pump();
        std::printf("One stroke on one monitor (%s): the layer takes %.1f MB\n",
                    alpha ? "asked for per-pixel alpha" : "through a colour key",
                    (static_cast<double>(CommittedBytes()) - static_cast<double>(before)) / (1024 * 1024));
    }
    DestroyWindow(ground);
    return 0;
}
