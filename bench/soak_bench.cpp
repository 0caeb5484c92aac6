// A long session with the running program on the Wine desktop, as a person who marks the screen
// all afternoon: strokes, frames, the highlighter, undo, wipe and its undo, vanishing marks,
// saves, keep marks on and off, now and then another language. At the start, at every reading
// and at the end it prints what the program holds: working set, GDI and user objects, kernel
// handles (the system's counts, which Wine answers with 0, and those of the program's own handle
// owners), the marks in its history and the pictures saved; at the end, each last reading beside
// the one after the first interval (goal: within 5 %).
//   zelvora-soak-bench [MINUTES [READING_MINUTES]]   (default 30 and 5)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "driver/NotepadPage.h"
#include "driver/Wait.h"
#include "driver/ZelvoraSession.h"

using namespace zelvora::desktop;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

const std::vector<const char*> kPaintChord{"Alt_L", "1"};
constexpr unsigned kQueryCounter = 0x0400 + 4;  // the main window's WM_QUERY_COUNTER
// Aktion's items as the keyboard reaches them, separators skipped.
constexpr int kKeepMarksItem = 2, kVanishItem = 3, kLanguageItem = 8;

struct Reading {
    double Minutes = 0;
    long WorkingSetKiB = 0, GdiObjects = 0, UserObjects = 0, KernelHandles = 0, OwnGdiObjects = 0,
         OwnWindows = 0, OwnKernelObjects = 0, Marks = 0, MarkKiB = 0, Pictures = 0;
};

long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

class Soak {
public:
    explicit Soak(WineDesktop& desktop) : desktop_(desktop), screen_(desktop.Screen()), page_(desktop) {}

    long Ask(int counter)
    {
        const CommandResult answer =
            desktop_.Probe({"ask", "TfrmZelvora", std::to_string(kQueryCounter), std::to_string(counter)});
        return answer.ExitCode == 0 ? std::atol(answer.Output.c_str()) : -1;
    }
    Reading Read(double minutes)
    {
        Reading r;
        r.Minutes = minutes;
        r.WorkingSetKiB = ResidentKiB(FindProcess("Zelvora.exe"));
        r.Marks = Ask(0), r.MarkKiB = Ask(1), r.GdiObjects = Ask(2), r.UserObjects = Ask(3);
        r.KernelHandles = Ask(4), r.OwnGdiObjects = Ask(5), r.OwnWindows = Ask(6),
        r.OwnKernelObjects = Ask(7);
        std::error_code error;
        for (const auto& file :
             std::filesystem::directory_iterator(desktop_.PicturesDir() + "/Zelvora", error))
            r.Pictures += file.path().extension() == ".png";
        return r;
    }

    // One round of what a person does; `round` picks the rarer things.
    void Round(int round)
    {
        const int dy = (round % 5) * 20;
        page_.DrawStroke(kPaintChord, dy);
        page_.DrawStroke(kPaintChord, dy + 10);
        PressChord(screen_, {"Alt_L", "4"});  // undo the last
        // A frame in control mode, and back.
        PressChord(screen_, {"Alt_L", "3"});
        page_.ChordFramesThePage(kPaintChord, 10);
        PressChord(screen_, {"Alt_L", "3"});
        if (round % 3 == 0) Highlight(dy);
        PressChord(screen_, {"Alt_L", "2"});  // wipe, then bring it back, then wipe for good
        std::this_thread::sleep_for(200ms);
        PressChord(screen_, {"Alt_L", "4"});
        std::this_thread::sleep_for(200ms);
        PressChord(screen_, {"Alt_L", "2"});
        if (round % 4 == 1) PressChord(screen_, {"Alt_L", "5"});
        if (round % 6 == 2) Vanish(dy);
        if (round % 7 == 3) ChooseMenu(desktop_, 1, {kKeepMarksItem});
        if (round % 11 == 5) {
            english_ = !english_;
            ChooseMenu(desktop_, 1, {kLanguageItem, english_ ? 0 : 1});
        }
    }

private:
    void Highlight(int dy)
    {
        ClickTransparency();
        page_.DrawStroke(kPaintChord, dy + 30, 0);  // the highlighter's colour varies with the page
        ClickTransparency();
    }
    void ClickTransparency()
    {
        desktop_.FocusDesktop();
        const CommandResult found =
            desktop_.Probe({"rect", "TfrmZelvora", "Button", english_ ? "Transparency" : "Transparenz"});
        int left = 0, top = 0, right = 0, bottom = 0;
        if (std::sscanf(found.Output.c_str(), "%d %d %d %d", &left, &top, &right, &bottom) != 4) return;
        screen_.Click((left + right) / 2, (top + bottom) / 2);
        std::this_thread::sleep_for(200ms);
    }
    void Vanish(int dy)
    {
        ChooseMenu(desktop_, 1, {kVanishItem, 1});  // after 2 seconds
        page_.DrawStroke(kPaintChord, dy);
        std::this_thread::sleep_for(2500ms);
        ChooseMenu(desktop_, 1, {kVanishItem, 0});  // never
    }

    WineDesktop& desktop_;
    X11Screen& screen_;
    NotepadPage page_;
    bool english_ = true;
};

void Print(const Reading& r)
{
    std::printf(
        "  %5.1f min  working set %7ld KiB  GDI %5ld (own %4ld)  user %5ld (own windows %3ld)  kernel "
        "handles "
        "%5ld (own %3ld)  marks %5ld (%ld KiB)  pictures %4ld\n",
        r.Minutes, r.WorkingSetKiB, r.GdiObjects, r.OwnGdiObjects, r.UserObjects, r.OwnWindows,
        r.KernelHandles, r.OwnKernelObjects, r.Marks, r.MarkKiB, r.Pictures);
    std::fflush(stdout);
}

void Compare(const char* name, long first, long last)
{
    const double ratio =
        first > 0 ? static_cast<double>(last) / static_cast<double>(first) : (last == 0 ? 1 : 0);
    std::printf("  %-16s %8ld -> %8ld   %.3fx %s\n", name, first, last, ratio,
                ratio >= 0.95 && ratio <= 1.05 ? "(within 5 %)" : "(NOT within 5 %)");
}

}  // namespace

int main(int argc, char** argv)
{
    const double minutes = argc > 1 ? std::atof(argv[1]) : 30;
    const double every = argc > 2 ? std::atof(argv[2]) : 5;
    const char* binDirEnv = std::getenv("ZELVORA_BIN_DIR");
    const std::string binDir = binDirEnv ? binDirEnv : ZELVORA_BIN_DIR;
    try {
        WineDesktop desktop(std::string(ZELVORA_BIN_DIR) + "/../soak-work", binDir);
        std::filesystem::remove_all(desktop.PicturesDir() + "/Zelvora");
        ZelvoraSession zelvora(desktop);
        Soak soak(desktop);
        std::printf("A long session of %.0f minutes on the Wine desktop, read every %.0f minutes:\n", minutes,
                    every);
        const auto start = Clock::now();
        const auto elapsed = [&] {
            return std::chrono::duration<double, std::ratio<60>>(Clock::now() - start).count();
        };
        std::this_thread::sleep_for(3s);
        Print(soak.Read(0));
        std::vector<Reading> readings;
        double next = every;
        for (int round = 0; elapsed() < minutes; ++round) {
            soak.Round(round);
            if (elapsed() >= next) {
                std::this_thread::sleep_for(3s);  // the marks vanish, the pictures are written
                readings.push_back(soak.Read(elapsed()));
                Print(readings.back());
                next += every;
            }
        }
        std::this_thread::sleep_for(3s);
        readings.push_back(soak.Read(elapsed()));
        Print(readings.back());
        if (readings.size() >= 2) {
            const Reading& first = readings.front();
            const Reading& last = readings.back();
            std::printf("The last reading beside the one after the first %.0f minutes:\n", every);
            Compare("working set KiB", first.WorkingSetKiB, last.WorkingSetKiB);
            Compare("GDI objects", first.GdiObjects, last.GdiObjects);
            Compare("own GDI objects", first.OwnGdiObjects, last.OwnGdiObjects);
            Compare("user objects", first.UserObjects, last.UserObjects);
            Compare("kernel handles", first.KernelHandles, last.KernelHandles);
            Compare("own windows", first.OwnWindows, last.OwnWindows);
            Compare("own kernel objects", first.OwnKernelObjects, last.OwnKernelObjects);
            Compare("marks", first.Marks, last.Marks);
        }
        zelvora.Close();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "soak bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
