// The ink layer on a desktop of two 1024x768 monitors, the second left of the primary, beside
// the build of another commit (scripts/build-baseline COMMIT ink-bench) in the same run:
//  - the program's resident memory added by one stroke on the left monitor alone and by one
//    stroke across both, with keep marks on;
//  - the ink benchmark of each build there: working set after 1,000 strokes on the primary and
//    the undo of the last ones.
//   ZELVORA_BASELINE_EXE=.../Zelvora.exe zelvora-two-monitors-bench [memory]
// (the baseline's ink-bench.exe lies beside its Zelvora.exe)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "driver/Wait.h"
#include "driver/ZelvoraSession.h"

using namespace zelvora::desktop;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

double ResidentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;  // kB
    return 0;
}

// Resident memory a stroke along the path adds, once the layer has painted it.
double StrokeCost(WineDesktop& desktop, pid_t pid, const std::vector<Point>& path)
{
    X11Screen& screen = desktop.Screen();
    // A click on the left Notepad's page where the stroke begins: without a window manager the
    // keyboard is lost with the layer window it was in when the last stroke went.
    screen.Click(path.front().X + 4, path.front().Y);
    std::this_thread::sleep_for(500ms);
    const double before = ResidentMiB(pid);
    {
        HeldKeys chord(screen, {"Alt_L", "1"});
        MovePointerAlong(screen, {{path.front().X + 2, path.front().Y}}, false);
        if (!MovePointerAlong(screen, path, true)) std::printf("  (the stroke did not show whole)\n");
    }
    std::this_thread::sleep_for(500ms);
    const double after = ResidentMiB(pid);
    PressChord(screen, {"Alt_L", "2"});  // the layer goes with its last mark
    std::this_thread::sleep_for(500ms);
    return after - before;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool memoryOnly = argc > 1 && std::string(argv[1]) == "memory";
    const char* baseline = std::getenv("ZELVORA_BASELINE_EXE");
    if (!baseline) {
        std::fprintf(stderr,
                     "ZELVORA_BASELINE_EXE: the other build's Zelvora.exe (scripts/build-baseline)\n");
        return 2;
    }
    try {
        const fs::path work = fs::path(ZELVORA_BIN_DIR) / ".." / "bench-two-monitors";
        WineDesktop desktop(work.string(), ZELVORA_BIN_DIR, 96, Monitors::TwoLeftOfPrimary);
        // Both run from folders alike, as in the other benchmarks.
        const fs::path builds[2][2] = {{fs::path(baseline).parent_path(), "before"},
                                       {ZELVORA_BIN_DIR, "today"}};
        fs::path folder[2];
        for (int i = 0; i < 2; ++i) {
            folder[i] = work / builds[i][1];
            fs::create_directories(folder[i]);
            for (const char* file : {"Zelvora.exe", "ink-bench.exe"})
                fs::copy_file(builds[i][0] / file, folder[i] / file, fs::copy_options::overwrite_existing);
        }
        const std::vector<Point> onLeft = StraightPath({-700, 540}, {-400, 540}, 10),
                                 across = StraightPath({-700, 540}, {300, 540}, 20);
        std::printf("Resident memory a stroke adds with keep marks on, two 1024x768 monitors:\n");
        for (int i = 0; i < 2; ++i) {
            double added[2] = {};
            // Each in a program of its own: memory a wipe gave back is taken again unseen.
            for (int stroke = 0; stroke < 2; ++stroke) {
                desktop.SetSetting("KeepMarks", 1);
                ZelvoraSession zelvora(desktop,
                                       std::vector<std::string>{(folder[i] / "Zelvora.exe").string()});
                std::this_thread::sleep_for(2s);
                added[stroke] =
                    StrokeCost(desktop, FindProcess("Zelvora.exe"), stroke == 0 ? onLeft : across);
                zelvora.Close();
            }
            std::printf("  %-6s on the left monitor alone %+.1f MiB, across both %+.1f MiB\n",
                        builds[i][1].c_str(), added[0], added[1]);
        }
        std::printf(
            "  (a 1024x768 pane holds 3.0 MiB of pixels; the whole virtual screen, 2048x868, 6.8 MiB)\n");
        if (memoryOnly) return 0;
        for (int i = 0; i < 2; ++i) {
            std::printf("The ink benchmark of the build %s, on this desktop:\n", builds[i][1].c_str());
            const CommandResult run = RunCommand({"wine", (folder[i] / "ink-bench.exe").string()}, 600s);
            std::istringstream lines(run.Output);
            for (std::string line; std::getline(lines, line);) std::printf("  %s\n", line.c_str());
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
