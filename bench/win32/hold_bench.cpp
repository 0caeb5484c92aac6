// The hold while the marking loop is busy: a highlighter rectangle pulled over 200 marks on the
// ink layer (run it on a 3840x2160 desktop), the paint shortcut and Ctrl held through SendInput,
// the pointer moved every 4 ms. Prints the longest a hook procedure took (the system drops a
// hook that answers after LowLevelHooksTimeout, at most 1 s) and the longest gap the marking
// loop's timer left (what every key and move of every program waited for while the hooks ran on
// the loop's thread).
//   hold-bench.exe [MARKS]
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "engine/win32/MarkingEngine.h"

using namespace zelvora;

namespace {

struct THighlighter final : IMarkingOptions {
    bool FreeHandMode() const override { return true; }
    bool Transparent() const override { return true; }
    bool FloodFill() const override { return false; }
};

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

void Key(WORD key, bool down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

void MoveTo(int x, int y)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

int main(int argc, char** argv)
{
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const int marks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    THighlighter options;
    TMarkingEngine engine(options);
    engine.AcquireDesktopCanvas();
    engine.SetKeepMarks(true);
    engine.SetMarkerSize(20);
    // Long highlighter strokes across the whole screen, each its own mark.
    for (int i = 0; i < marks; ++i) {
        const int y = height * (i + 1) / (marks + 1);
        engine.MovePenTo(0, y);
        for (int x = 0; x <= width; x += width / 8) engine.DrawLineTo(x, y + (x / 50) % 40);
        engine.EndMark();
        if (i % 20 == 0) Pump();
    }
    Pump();
    engine.StartPollTimer();
    std::atomic<bool> done{false};
    std::thread hand([&] {
        MoveTo(width / 10, height / 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Key(VK_MENU, true);
        Key('1', true);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        Key(VK_LCONTROL, true);  // a rectangle, pulled out over the marks
        for (int step = 0; step <= 500; ++step) {
            MoveTo(width / 10 + (width * 8 / 10) * step / 500, height / 10 + (height * 8 / 10) * step / 500);
            std::this_thread::sleep_for(std::chrono::milliseconds(4));
        }
        Key(VK_LCONTROL, false);
        Key('1', false);
        Key(VK_MENU, false);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        done = true;
    });
    // Started once the hand is about to begin: the strokes above are not part of the figure.
    engine.TakeLongestHookMicros();
    engine.TakeLongestTickGapMicros();
    while (!done) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        Pump();
    }
    hand.join();
    const long long hook = engine.TakeLongestHookMicros(), gap = engine.TakeLongestTickGapMicros();
    std::printf(
        "A highlighter rectangle pulled over %d marks on a %dx%d layer (%zu marks after it):\n"
        "  longest hook procedure %.3f ms; longest gap of the marking loop %.1f ms\n"
        "  (the system drops a hook that answers after 1 s; the hooks ran on the loop's thread before)\n",
        marks, width, height, engine.History().Marks().size(), static_cast<double>(hook) / 1000.0,
        static_cast<double>(gap) / 1000.0);
    return engine.History().Marks().size() == static_cast<std::size_t>(marks) + 1 ? 0 : 1;
}
