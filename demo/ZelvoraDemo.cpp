// Headless demonstration: Zelvora on a Wine desktop over Notepad, photographed step by step.
//   zelvora-demo OUTPUT_DIR [BIN_DIR]
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>

#include "driver/Wait.h"
#include "driver/ZelvoraSession.h"

using namespace zelvora::desktop;
using namespace std::chrono_literals;

namespace {

bool Snapshot(X11Screen& screen, const std::string& dir, const char* name)
{
    const std::string path = dir + "/" + name;
    if (!WritePng(screen.GrabAll(), path)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

// A picture of one window only, for the README.
bool SnapshotOf(WineDesktop& desktop, const std::string& windowClass, const std::string& dir,
                const char* name)
{
    auto r = desktop.WindowRect(windowClass);
    const std::string path = dir + "/" + name;
    if (r) {  // what lies on the screen
        r->Left = std::max(r->Left, 0), r->Top = std::max(r->Top, 0);
        r->Right = std::min(r->Right, WineDesktop::kWidth),
        r->Bottom = std::min(r->Bottom, WineDesktop::kHeight);
    }
    if (!r || !WritePng(desktop.Screen().Grab(r->Left, r->Top, r->Width(), r->Height()), path)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: zelvora-demo OUTPUT_DIR [BIN_DIR]\n");
        return 2;
    }
    const std::string outDir = argv[1];
    const std::string binDir = argc > 2 ? argv[2] : ZELVORA_BIN_DIR;
    mkdir(outDir.c_str(), 0755);
    try {
        WineDesktop desktop(outDir + "/work", binDir);
        ZelvoraSession zelvora(desktop);
        X11Screen& screen = desktop.Screen();
        const ScreenRect edit = desktop.NotepadEdit();
        bool ok = Snapshot(screen, outDir, "01-start.png");

        // A wave across Notepad while Alt+1 is held.
        const Point start{edit.Left + 40, edit.Top + 200};
        screen.MovePointer(start.X, start.Y);
        std::this_thread::sleep_for(100ms);
        {
            HeldKeys chord(screen, {"Alt_L", "1"});
            std::vector<Point> wave;
            for (int i = 1; i <= 40; ++i)
                wave.push_back({start.X + i * 12, start.Y + static_cast<int>(60 * std::sin(i / 4.0))});
            MovePointerAlong(screen, {{start.X + 3, start.Y}}, true);
            MovePointerAlong(screen, wave, true);
        }
        ok = Snapshot(screen, outDir, "02-stroke.png") && ok;
        ok = SnapshotOf(desktop, "Notepad", outDir, "mark-over-notepad.png") && ok;

        // Control mode: a frame around Notepad's page.
        PressChord(screen, {"Alt_L", "3"});
        screen.MovePointer(edit.CentreX(), edit.CentreY() + 100);
        {
            HeldKeys chord(screen, {"Alt_L", "1"});
            WaitUntil([&] { return screen.Pixel(edit.Left - 10, edit.CentreY()) == kMarkerOrange; }, 3s);
        }
        ok = Snapshot(screen, outDir, "03-frame.png") && ok;

        PressChord(screen, {"Alt_L", "2"});
        WaitUntil([&] { return screen.Pixel(edit.Left - 10, edit.CentreY()) != kMarkerOrange; }, 5s);
        std::this_thread::sleep_for(300ms);  // let every window finish its repaint for the picture
        ok = Snapshot(screen, outDir, "04-wiped.png") && ok;

        // The main window whole (it was parked half below the screen's edge, off the page).
        desktop.Probe({"move", "TfrmZelvora", "590", "150"});
        std::this_thread::sleep_for(500ms);
        ok = SnapshotOf(desktop, "TfrmZelvora", outDir, "main-window.png") && ok;
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelvora-demo: %s\n", error.what());
        return 1;
    }
}
