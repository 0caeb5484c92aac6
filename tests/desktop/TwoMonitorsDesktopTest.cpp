// Two monitors, the second left of the primary at negative points, with a corner of the virtual
// screen that no monitor shows: marks on both surfaces, the layer's panes, the saved screen and
// where windows open.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>

#include "ProgramDesktopFixture.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;

constexpr char kTwoMonitorsFolder[] = "two-monitors";
constexpr char kLayerClass[] = "TZelvoraInkLayer";

bool Inside(const ScreenRect& r, const ScreenRect& monitor)
{
    return r.Left >= monitor.Left && r.Top >= monitor.Top && r.Right <= monitor.Right &&
           r.Bottom <= monitor.Bottom;
}

class TwoMonitors : public SharedDesktopSuite<kTwoMonitorsFolder, 96, Monitors::TwoLeftOfPrimary> {
protected:
    void SetUp() override { desktop_.ClearSettings(); }

    // From below the primary's Notepad, over the backdrop, across the edge into the left
    // monitor's Notepad page.
    std::vector<Point> AcrossBoth() const { return StraightPath({300, 540}, {-700, 540}, 20); }
    bool Draw(const std::vector<Point>& path)
    {
        screen_.MovePointer(path.front().X + 4, path.front().Y);
        std::this_thread::sleep_for(80ms);
        HeldKeys chord(screen_, kPaintChord);
        MovePointerAlong(screen_, {{path.front().X + 2, path.front().Y}}, false);  // Wine sees the keys
        return MovePointerAlong(screen_, path, true);
    }
    // Unmarked pixels on the row of a level path between its ends, on both monitors.
    int GapsAlong(const std::vector<Point>& path)
    {
        const Image all = screen_.GrabAll();
        int gaps = 0;
        for (int x = std::min(path.front().X, path.back().X); x <= std::max(path.front().X, path.back().X);
             ++x)
            gaps += all.At(x, path.front().Y) != kMarkerOrange;
        return gaps;
    }
    static int Length(const std::vector<Point>& path) { return std::abs(path.back().X - path.front().X) + 1; }
    int Marks() { return std::atoi(desktop_.Probe({"ask", "TfrmZelvora", "1028", "0"}).Output.c_str()); }
    int Layers() { return desktop_.WindowCount(kLayerClass); }
    std::optional<ScreenRect> Rect(const char* windowClass)
    {
        std::optional<ScreenRect> found;
        WaitUntil([&] { return (found = desktop_.WindowRect(windowClass)).has_value(); }, 10s, 100ms);
        return found;
    }
    // Centred on the monitor as the same window is on the primary: to a pixel.
    static bool CentredOn(const ScreenRect& r, const ScreenRect& monitor)
    {
        return std::abs(r.CentreX() - monitor.CentreX()) <= 1 &&
               std::abs(r.CentreY() - monitor.CentreY()) <= 1;
    }

    WineDesktop& desktop_ = Shared();
    X11Screen& screen_ = Shared().Screen();
};

TEST_F(TwoMonitors, AStrokeFromThePrimaryIntoTheLeftMonitorIsOneMarkOnItsPathThatGoesWholeOnBothSurfaces)
{
    const std::vector<Point> path = AcrossBoth();
    const struct {
        int Keep, VanishSeconds;
        std::vector<const char*> Chord;  // none: it vanishes
        const char* Name;
    } ways[] = {{0, 0, {"Alt_L", "2"}, "on the screen, wiped"},
                {1, 0, {"Alt_L", "4"}, "kept, undone"},
                {1, 2, {}, "kept, vanishing"}};
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Name);
        desktop_.SetSetting("KeepMarks", way.Keep);
        desktop_.SetSetting("VanishSeconds", way.VanishSeconds);
        ZelvoraSession zelvora(desktop_);
        ASSERT_TRUE(Draw(path));
        // A slow machine lays the last pieces after the pointer has come to rest.
        EXPECT_TRUE(WaitUntil([&] { return GapsAlong(path) == 0; }, 5s))
            << GapsAlong(path) << " gaps: broken, or off the pointer's path";
        EXPECT_EQ(StrokeWidthAt(screen_.GrabAll(), -500, 540), 10) << "the pen at the left monitor's DPI";
        EXPECT_EQ(Marks(), 1);
        EXPECT_EQ(Layers(), way.Keep ? 2 : 0) << "a pane on each monitor the stroke crossed";
        if (!way.Chord.empty()) PressChord(screen_, way.Chord);
        EXPECT_TRUE(WaitUntil([&] { return GapsAlong(path) == Length(path); }, 6s))
            << "the mark did not go whole";
        EXPECT_EQ(Marks(), 0);
        EXPECT_TRUE(WaitUntil([&] { return Layers() == 0; }, 5s)) << "a pane outlived its last mark";
    }
    desktop_.SetSetting("VanishSeconds", 0);
    // A stroke on the left monitor alone makes a pane there only; one on the primary adds its
    // pane, and undoing that takes the primary's pane away again.
    desktop_.SetSetting("KeepMarks", 1);
    ZelvoraSession zelvora(desktop_);
    const std::vector<Point> onLeft = StraightPath({-700, 500}, {-400, 500}, 6),
                             onPrimary = StraightPath({100, 520}, {400, 520}, 6);
    ASSERT_TRUE(Draw(onLeft));
    EXPECT_EQ(Layers(), 1);
    ASSERT_TRUE(Draw(onPrimary));
    EXPECT_EQ(Layers(), 2);
    PressChord(screen_, {"Alt_L", "4"});
    EXPECT_TRUE(WaitUntil([&] { return Layers() == 1 && GapsAlong(onPrimary) == Length(onPrimary); }, 5s));
    EXPECT_EQ(GapsAlong(onLeft), 0);
    PressChord(screen_, {"Alt_L", "2"});
}

TEST_F(TwoMonitors, ControlModeFramesTheLeftNotepadsPageAndTheHighlighterThereIsItsPixelsAndedWithThePen)
{
    NotepadPage left(desktop_, desktop_.LeftNotepadEdit());
    desktop_.SetSetting("Mode", 2);
    {
        ZelvoraSession zelvora(desktop_);
        EXPECT_TRUE(left.ChordFramesThePage(kPaintChord, 10)) << "no frame around the page where it is";
        PressChord(screen_, {"Alt_L", "2"});
    }
    desktop_.SetSetting("KeepMarks", 1);
    desktop_.SetSetting("Transparency", 1);
    desktop_.SetSetting("FloodFill", 1);
    ZelvoraSession zelvora(desktop_);
    EXPECT_EQ(left.PixelsNotAndedByFill(kPaintChord), 0)
        << "pixels that are not what was there ANDed with the pen (-1: no text, or no fill)";
    EXPECT_EQ(Layers(), 1) << "a pane on the left monitor only";
    PressChord(screen_, {"Alt_L", "2"});
}

TEST_F(TwoMonitors, SaveScreenIsOnePictureOfTheWholeVirtualScreenWithTheUnshownCornerBlackAndOnTheClipboard)
{
    namespace fs = std::filesystem;
    fs::remove_all(fs::path(desktop_.PicturesDir()) / "Zelvora");
    desktop_.SetSetting("KeepMarks", 1);
    ZelvoraSession zelvora(desktop_);
    const std::vector<Point> path = AcrossBoth();
    ASSERT_TRUE(Draw(path));
    std::this_thread::sleep_for(300ms);
    const Image screen = screen_.GrabAll();
    PressChord(screen_, {"Alt_L", "5"});
    std::optional<Image> picture;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const auto files = FinishedPictures(desktop_.PicturesDir());
            return !files.empty() && (picture = ReadPng(files.front().string())).has_value();
        },
        10s, 100ms));
    ASSERT_EQ(picture->Width, 2048);
    ASSERT_EQ(picture->Height, 868);
    picture->Left = kLeftMonitor.Left;  // the virtual screen's top left
    int differences = 0, lit = 0;
    for (const ScreenRect& monitor : {kPrimaryMonitor, kLeftMonitor})
        for (int y = monitor.Top; y < monitor.Bottom; ++y)
            for (int x = monitor.Left; x < monitor.Right; ++x)
                differences += picture->At(x, y) != screen.At(x, y);
    for (int y = 0; y < kLeftMonitor.Top; ++y)
        for (int x = kLeftMonitor.Left; x < kLeftMonitor.Right; ++x) lit += picture->At(x, y) != 0;
    EXPECT_EQ(differences, 0) << "a monitor's pixels are not where the screen shows them";
    EXPECT_EQ(lit, 0) << "the corner no monitor shows is not black";
    for (const Point& p : path) EXPECT_EQ(picture->At(p.X, p.Y), kMarkerOrange) << p.X << "," << p.Y;
    if (differences || lit) WritePng(*picture, desktop_.WorkDir() + "/saved.png");

    const auto pasted = ReadClipboardPicture(desktop_);
    ASSERT_TRUE(pasted) << "no bitmap on the clipboard";
    EXPECT_EQ(pasted->Header, "2048 868 png=1\n");
    EXPECT_TRUE(pasted->Pixels == picture->Pixels) << "the clipboard's bitmap is not the picture";
    PressChord(screen_, {"Alt_L", "2"});
}

TEST_F(TwoMonitors, TheSpotlightsHoleIsWholeAcrossTheBorderAndTheLaserLeavesTheLeftMonitorAsItWas)
{
    ZelvoraSession zelvora(desktop_);
    // Over the border, a circle half on each monitor.
    const Point centre{6, 540};
    screen_.MovePointer(centre.X, centre.Y);
    std::this_thread::sleep_for(300ms);
    const auto around = [&] { return screen_.Grab(centre.X - 300, centre.Y - 200, 600, 400); };
    const Image before = around();
    PressChord(screen_, {"Alt_L", "7"});
    ASSERT_TRUE(WaitUntil([&] { return screen_.Pixel(-250, 540) != before.At(-250, 540); }, 5s))
        << "the left monitor is not dimmed";
    std::this_thread::sleep_for(200ms);
    const Image lit = around();
    int holeWrong = 0, hole = 0, dimWrong = 0;
    for (int y = lit.Top; y < lit.Top + lit.Height; ++y)
        for (int x = lit.Left; x < lit.Left + lit.Width; ++x) {
            const double d = std::hypot(x - centre.X, y - centre.Y);
            if (d <= 119) {
                ++hole;
                holeWrong += lit.At(x, y) == before.At(x, y) ? 0 : 1;
            } else if (d >= 124) {
                dimWrong += Dimmed(before.At(x, y), lit.At(x, y)) ? 0 : 1;
            }
        }
    EXPECT_GT(hole, 44000);
    EXPECT_EQ(holeWrong, 0) << "the hole is not the screen on both monitors";
    EXPECT_EQ(dimWrong, 0) << "undimmed outside the hole";
    PressChord(screen_, {"Alt_L", "7"});
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(before, around()) == 0; }, 5s)) << "a dim stayed";

    // The laser across the left monitor's Notepad, at negative points.
    const auto left = [&] { return screen_.Grab(-900, 300, 800, 400); };
    screen_.MovePointer(-700, 500);
    std::this_thread::sleep_for(300ms);
    const Image unlit = left();
    {
        HeldKeys laser(screen_, {"Alt_L", "6"});
        MovePointerAlong(screen_, {{-698, 500}}, false);
        MovePointerAlong(screen_, StraightPath({-700, 500}, {-300, 560}, 16), false);
        EXPECT_TRUE(WaitUntil([&] { return CountDifferences(unlit, left()) > 1000; }, 3s)) << "no trail";
    }
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(unlit, left()) == 0; }, 5s))
        << "the laser left pixels";
}

TEST_F(TwoMonitors, ABoardCoversTheMonitorUnderThePointerAloneOnBothSurfaces)
{
    // Each monitor apart: the corner of the virtual screen that none shows holds no defined pixels.
    const auto grab = [&](const ScreenRect& m) { return screen_.Grab(m.Left, m.Top, m.Width(), m.Height()); };
    for (const int keep : {0, 1}) {
        SCOPED_TRACE(keep ? "keep marks" : "on the screen");
        desktop_.SetSetting("KeepMarks", keep);
        ZelvoraSession zelvora(desktop_);
        screen_.MovePointer(-500, 400);
        std::this_thread::sleep_for(300ms);
        const Image left = grab(kLeftMonitor), primary = grab(kPrimaryMonitor);
        {
            HeldKeys chord(screen_, kPaintChord);
            ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
            screen_.Tap("k");
            EXPECT_TRUE(
                WaitUntil([&] { return screen_.Pixel(kLeftMonitor.Left, kLeftMonitor.Bottom - 1) == 0; }, 5s))
                << "no board on the left monitor";
        }
        std::this_thread::sleep_for(300ms);
        const Image board = grab(kLeftMonitor);
        EXPECT_EQ(std::count(board.Pixels.begin(), board.Pixels.end(), 0u),
                  static_cast<long>(board.Pixels.size()))
            << "the whole left monitor, to its edges";
        EXPECT_EQ(CountDifferences(primary, grab(kPrimaryMonitor)), 0) << "not a pixel of it elsewhere";
        {
            HeldKeys chord(screen_, kPaintChord);
            ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
            screen_.Tap("k");
            std::this_thread::sleep_for(100ms);
        }
        const auto unlike = [&] {
            return CountDifferences(left, grab(kLeftMonitor)) +
                   CountDifferences(primary, grab(kPrimaryMonitor));
        };
        EXPECT_TRUE(WaitUntil([&] { return unlike() == 0; }, 5s))
            << unlike() << " pixels unlike before the board";
        EXPECT_EQ(Marks(), 0);
        EXPECT_EQ(Layers(), 0);
    }
}

TEST_F(TwoMonitors, WindowsOfAMainWindowOnTheLeftMonitorOpenThereAndTheTrayBringsItBackThere)
{
    ZelvoraSession zelvora(desktop_);
    const auto main = Rect("TfrmZelvora");
    ASSERT_TRUE(main);
    // Onto the left monitor. (Without a window manager Wine shows no caption to drag: the window
    // is moved as the end of a drag moves it.)
    desktop_.Probe({"move", "TfrmZelvora", "-700", "300"});
    std::optional<ScreenRect> moved;
    ASSERT_TRUE(WaitUntil(
        [&] { return (moved = desktop_.WindowRect("TfrmZelvora")) && Inside(*moved, kLeftMonitor); }, 5s,
        100ms))
        << "not moved there";

    const struct {
        int Menu, Item;
        const char* Window;
    } opened[] = {{2, 4, "TfrmAbout"}, {2, 1, "TfrmLicense"}, {1, 8, "TfrmEditHotkey"}};
    for (const auto& [menu, item, window] : opened) {
        ChooseMenu(desktop_, menu, {item});
        const auto r = Rect(window);
        ASSERT_TRUE(r) << window;
        EXPECT_TRUE(CentredOn(*r, kLeftMonitor)) << window << " at " << r->Left << "," << r->Top;
        desktop_.Probe({"close", window});
        EXPECT_TRUE(WaitUntil([&] { return desktop_.WindowCount(window) == 0; }, 5s)) << window;
    }
    ChooseOnlineUpdate(desktop_);  // first asks whether to go online
    ASSERT_FALSE(WaitForMessageBox(desktop_).empty());
    const auto box = desktop_.WindowRect("#32770");
    ASSERT_TRUE(box);
    EXPECT_TRUE(Inside(*box, kLeftMonitor)) << "the box is at " << box->Left << "," << box->Top;
    AnswerMessageBox(desktop_, "no");

    ChooseMenu(desktop_, 0, {0});  // Datei > Minimieren: to the tray
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("TfrmZelvora") == 0; }, 5s));
    // A click on the icon, as the shell hands it on: there is no notification area without a
    // desktop, but the icon's window is there.
    for (const char* mouse : {"0x201", "0x202"})
        desktop_.Probe({"ask", "TTrayIconHandler", "2048", "1", mouse});
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("TfrmZelvora") == 1; }, 5s)) << "not restored";
    const auto restored = desktop_.WindowRect("TfrmZelvora");
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->Left, moved->Left);
    EXPECT_EQ(restored->Top, moved->Top);
}

}  // namespace
}  // namespace zelvora::desktop
