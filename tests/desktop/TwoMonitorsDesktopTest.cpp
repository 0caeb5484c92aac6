// Two monitors, the second left of the primary at negative points, with a corner of the virtual
// screen that no monitor shows: marks, the layer, saved screens and windows across both.
#include <gtest/gtest.h>

#include <thread>

#include "InkDesktopFixture.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;

constexpr char kTwoMonitorsFolder[] = "two-monitors";

class TwoMonitors : public SharedDesktopSuite<kTwoMonitorsFolder, 96, Monitors::TwoLeftOfPrimary> {
protected:
    WineDesktop& desktop_ = Shared();
    X11Screen& screen_ = Shared().Screen();
};

TEST_F(TwoMonitors, Starts)
{
    const ScreenRect left = desktop_.LeftNotepadEdit();
    std::printf("left edit %d %d %d %d\n", left.Left, left.Top, left.Right, left.Bottom);
    std::printf("fg %s\n", desktop_.Probe({"foreground"}).Output.c_str());
    screen_.Click(left.Left + 40, left.Top + 40);
    std::this_thread::sleep_for(500ms);
    std::printf("loc %s\n", RunCommand({"xdotool", "getmouselocation"}).Output.c_str());
    std::printf("fg %s\n", desktop_.Probe({"foreground"}).Output.c_str());
    screen_.TypeText("MMMM WWWW");
    std::this_thread::sleep_for(500ms);
    const Image all = screen_.GrabAll();
    EXPECT_EQ(all.Left, -1024);
    WritePng(all, desktop_.WorkDir() + "/all.png");
}

}  // namespace
}  // namespace zelvora::desktop
