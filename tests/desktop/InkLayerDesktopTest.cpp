// Keep marks on a real (Wine) desktop: the ink layer over Notepad, driven with real keys, clicks
// and pointer moves, checked on the screen's pixels and in the registry.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <thread>

#include "InkDesktopFixture.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;

constexpr char kInkFolder[] = "ink";
using InkLayer = InkDesktop<kInkFolder>;

// How much of a pixel orange ink covers over Notepad's white page, from its green and blue
// (255 for white, 128 and 0 for orange); none when the pixel is no such mix.
std::optional<double> OrangeOverWhite(std::uint32_t pixel)
{
    const int r = pixel & 0xFF, g = (pixel >> 8) & 0xFF, b = (pixel >> 16) & 0xFF;
    if (r != 255) return std::nullopt;
    const double byGreen = (255 - g) / 127.0, byBlue = (255 - b) / 255.0;
    if (byGreen < -0.01 || byGreen > 1.01 || std::abs(byGreen - byBlue) > 0.03) return std::nullopt;
    return byBlue;
}

// Partly covered: neither the page nor the pen, but a mix of the two.
int Smoothed(const Image& image)
{
    int smoothed = 0;
    for (const std::uint32_t pixel : image.Pixels) {
        const auto share = OrangeOverWhite(pixel);
        smoothed += share && *share > 0.02 && *share < 0.98;
    }
    return smoothed;
}

class SmoothInk : public InkLayer {
protected:
    // A slanted stroke over the white of the page, drawn with the chord held: the screen as the
    // last tick left it, and as it is once the chord is up.
    std::pair<Image, Image> SlantedStroke()
    {
        const Point from{edit_.Left + 40, edit_.Top + 200}, to{edit_.Left + 300, edit_.Top + 110};
        page_.RestPointerAt({from.X - 4, from.Y});
        Image live;
        {
            HeldKeys chord(screen_, kPaintChord);
            MovePointerAlong(screen_, {{from.X - 2, from.Y}}, false);
            EXPECT_TRUE(MovePointerAlong(screen_, StraightPath(from, to, 6), true));
            std::this_thread::sleep_for(300ms);
            live = StrokeArea();
        }
        std::this_thread::sleep_for(300ms);
        return {live, StrokeArea()};
    }
    Image StrokeArea() { return screen_.Grab(edit_.Left + 20, edit_.Top + 90, 300, 130); }
};

TEST_F(InkLayer, KeptMarksSurviveTypingUnderThemAndSelectingAllWhileScreenMarksDoNot)
{
    const std::vector<Point> stroke = FirstLineStroke();
    {
        ZelvoraSession zelvora(desktop_);
        ASSERT_TRUE(Draw(stroke));
        TypeUnderAndSelectAll();
        EXPECT_EQ(Orange(stroke), 0) << "on the screen the repaint takes the mark";
        RestoreText();
    }
    desktop_.SetSetting("KeepMarks", 1);
    ZelvoraSession zelvora(desktop_);
    EXPECT_EQ(Layers(), 0) << "a layer before anything is drawn";
    ASSERT_TRUE(Draw(stroke));
    EXPECT_EQ(Layers(), 1);
    TypeUnderAndSelectAll();
    EXPECT_EQ(Orange(stroke), 9);
    RestoreText();
    EXPECT_EQ(Orange(stroke), 9);
}

TEST_F(InkLayer, KeepMarksIsChosenInTheMenuReadAtStartSavedAtExitAndLeavesNothingBehind)
{
    Image clean;
    {
        ZelvoraSession zelvora(desktop_);
        clean = page_.Grab();  // Notepad inactive: no caret
        ChooseMenu(desktop_, 1, {kKeepMarksItem});
        ASSERT_TRUE(page_.DrawStroke(kPaintChord));
        EXPECT_EQ(Layers(), 1) << "the menu did not turn keep marks on";
        ASSERT_TRUE(zelvora.Close());
    }
    EXPECT_EQ(desktop_.Settings().at("KeepMarks"), Dword(1));
    EXPECT_EQ(Layers(), 0);
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(clean, page_.Grab()) == 0; }, 5s))
        << "a mark outlived the exit";

    ZelvoraSession zelvora(desktop_);
    ASSERT_TRUE(page_.DrawStroke(kPaintChord));
    EXPECT_EQ(Layers(), 1) << "the stored value was not read";
    ChooseMenu(desktop_, 1, {kKeepMarksItem});  // off: the layer and its marks go
    EXPECT_TRUE(WaitUntil([&] { return Layers() == 0; }, 5s));
    if (!WaitUntil([&] { return CountDifferences(clean, page_.Grab()) == 0; }, 5s)) {
        ADD_FAILURE() << CountDifferences(clean, page_.Grab()) << " pixels still marked after turning it off";
        page_.KeepForInspection("keep-off", clean);
    }
    ASSERT_TRUE(page_.DrawStroke(kPaintChord));
    EXPECT_EQ(Layers(), 0) << "off draws on the screen again";
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings().at("KeepMarks"), Dword(0));
}

TEST_F(InkLayer, ClicksGoThroughTheLayerWhichIsNeverActiveNorOnTheTaskbarNorFramed)
{
    desktop_.SetSetting("KeepMarks", 1);
    ZelvoraSession zelvora(desktop_);
    const auto taskbar = [&] { return screen_.Grab(0, 748, 1024, 20); };
    // The desktop shows its taskbar once the program's tray icon is there, a moment after the window.
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("Shell_TrayWnd") == 1; }, 10s)) << "no taskbar";
    const Image taskbarBefore = ReadSteady(taskbar, 5s, 150ms);
    // A stroke across Notepad's menu bar, over "File".
    int x = 0, menuY = 0;
    ASSERT_EQ(std::sscanf(desktop_.Probe({"hit", "Notepad", "5"}).Output.c_str(), "%d %d", &x, &menuY), 2);
    const std::vector<Point> overMenu = StraightPath({edit_.Left, menuY}, {edit_.Left + 60, menuY}, 6);
    ASSERT_TRUE(Draw(overMenu));
    EXPECT_NE(Foreground(), std::string(kLayerClass) + "\n");
    EXPECT_EQ(desktop_.Probe({"focus", "TfrmZelvora"}).Output.find(kLayerClass), std::string::npos)
        << "the layer took the keyboard";
    if (CountDifferences(taskbarBefore, taskbar()) != 0) {
        ADD_FAILURE() << "the layer has a taskbar button";
        page_.KeepForInspection("taskbar", taskbarBefore);
    }

    screen_.Click(edit_.Left + 12, menuY);
    EXPECT_TRUE(WaitUntil([&] { return desktop_.WindowCount("#32768") == 1; }, 5s))
        << "Notepad's menu did not open";
    EXPECT_NE(Foreground(), std::string(kLayerClass) + "\n");
    screen_.Tap("Escape");
    screen_.Tap("Escape");
    EXPECT_TRUE(WaitForOrange(overMenu, 6)) << "the mark under the menu went";

    // Control mode finds Notepad's page under the layer and frames it (10 px, grown by 10).
    PressChord(screen_, {"Alt_L", "3"});
    EXPECT_TRUE(page_.ChordFramesThePage(kPaintChord, 10)) << "control mode framed something else";
    PressChord(screen_, {"Alt_L", "3"});
    PressChord(screen_, {"Alt_L", "2"});
}

TEST_F(InkLayer, MarksStayAboveAWindowThatBecomesTopMostLater)
{
    desktop_.SetSetting("KeepMarks", 1);
    ZelvoraSession zelvora(desktop_);
    const std::vector<Point> stroke = page_.Stroke(0);
    ASSERT_TRUE(page_.DrawStroke(kPaintChord, 0));
    // A white top-most window over the stroke, shown without taking the activation.
    const ScreenRect& edit = edit_;
    ChildProcess overlay({"wine", desktop_.BinDir() + "/zelvora-probe.exe", "topmost",
                          std::to_string(edit.Left + 40), std::to_string(edit.Top + 180), "360", "40", "20"});
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("ProbeTopMost") == 1; }, 20s, 100ms));
    EXPECT_TRUE(WaitForOrange(stroke, static_cast<int>(stroke.size())))
        << "the top-most window covers the mark";
    EXPECT_EQ(screen_.Pixel(edit.Left + 45, edit.Top + 185), 0xFFFFFFu) << "no white window there";
    overlay.Stop();
    PressChord(screen_, {"Alt_L", "2"});
}

TEST_F(InkLayer, UndoTakesTheLastMarkThenTheOneBeforeAndAWipeTakesAll)
{
    desktop_.SetSetting("KeepMarks", 1);
    ZelvoraSession zelvora(desktop_);
    const Image clean = page_.Grab();
    const std::vector<Point> first = page_.Stroke(0), second = page_.Stroke(40);
    ASSERT_TRUE(page_.DrawStroke(kPaintChord, 0));
    ASSERT_TRUE(page_.DrawStroke(kPaintChord, 40));
    WaitForHold(desktop_, false);  // the program has seen the chord go up, as a person waits

    PressChord(screen_, kUndoChord);
    EXPECT_TRUE(WaitForOrange(second, 0)) << "the last mark stayed";
    EXPECT_EQ(Orange(first), static_cast<int>(first.size())) << "the first mark went too";
    ChooseMenu(desktop_, 1, {1});  // Aktion > Letzte Markierung entfernen
    EXPECT_TRUE(WaitForOrange(first, 0)) << "the first mark stayed";
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(clean, page_.Grab()) == 0; }, 5s));
    EXPECT_EQ(Layers(), 0) << "an empty layer stays";

    ASSERT_TRUE(page_.DrawStroke(kPaintChord, 0));
    ASSERT_TRUE(page_.DrawStroke(kPaintChord, 40));
    PressChord(screen_, {"Alt_L", "2"});
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(clean, page_.Grab()) == 0; }, 5s))
        << "the wipe left ink";
    EXPECT_EQ(Layers(), 0);
    PressChord(screen_, kUndoChord);  // the wipe is undone: both marks come back
    EXPECT_TRUE(WaitForOrange(first, static_cast<int>(first.size()))) << "the wipe was not undone";
    EXPECT_EQ(Orange(second), static_cast<int>(second.size()));
    PressChord(screen_, kUndoChord);  // and then the last mark goes, as before the wipe
    EXPECT_TRUE(WaitForOrange(second, 0));
    PressChord(screen_, {"Alt_L", "2"});
    ASSERT_TRUE(page_.DrawStroke(kPaintChord, 40));
    std::this_thread::sleep_for(300ms);
    PressChord(screen_, kUndoChord);  // a mark drawn after the wipe: undo takes it, not the wipe
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(clean, page_.Grab()) == 0; }, 5s))
        << "the wiped mark came back after a new one";
}

TEST_F(InkLayer, OnTheScreenUndoRepaintsTheWindowsUnderTheLastMark)
{
    ZelvoraSession zelvora(desktop_);
    const std::vector<Point> first = page_.Stroke(0), second = page_.Stroke(40);
    ASSERT_TRUE(page_.DrawStroke(kPaintChord, 0));
    ASSERT_TRUE(page_.DrawStroke(kPaintChord, 40));
    std::this_thread::sleep_for(300ms);
    PressChord(screen_, kUndoChord);
    EXPECT_TRUE(WaitForOrange(second, 0)) << "the windows under the last mark did not repaint";
    EXPECT_EQ(Orange(first), static_cast<int>(first.size())) << "a window beyond the mark repainted";
    EXPECT_TRUE(WaitUntil([&] { return Layers() == 0; }, 5s)) << "a layer on the screen surface";
    PressChord(screen_, {"Alt_L", "2"});
    EXPECT_TRUE(WaitForOrange(first, 0));
    PressChord(screen_, kUndoChord);  // the wipe is undone on the screen too
    EXPECT_TRUE(WaitForOrange(first, static_cast<int>(first.size()))) << "the wipe was not undone";
    PressChord(screen_, {"Alt_L", "2"});
}

TEST_F(InkLayer, TwoCopiesKeepingMarksAndAWindowThatKeepsItselfOnTopDoNotFightForTheTop)
{
    desktop_.SetSetting("KeepMarks", 1);
    ZelvoraSession first(desktop_);
    ZelvoraSession second(desktop_, 0);  // its hotkeys are taken: it says so, box after box
    ASSERT_TRUE(second.WaitPastReports(2));
    ASSERT_TRUE(page_.DrawStroke(kPaintChord, 0));  // both copies draw, each on its own layer
    ASSERT_TRUE(WaitUntil([&] { return Layers() == 2; }, 10s));
    const auto changes = [&](std::vector<std::string> classes, const char* seconds = "4") {
        std::vector<std::string> command{"zorder-changes", seconds};
        command.insert(command.end(), classes.begin(), classes.end());
        return std::atoi(desktop_.Probe(command).Output.c_str());
    };
    // A new layer takes its place above the others in a few moves; two that fight never rest.
    EXPECT_TRUE(WaitUntil([&] { return changes({kLayerClass}, "1") == 0; }, 10s)) << "the layers never rest";
    EXPECT_LE(changes({kLayerClass}), 1) << "the two layers take turns on top";
    ChildProcess pushy({"wine", desktop_.BinDir() + "/zelvora-probe.exe", "pushy",
                        std::to_string(edit_.Left + 40), std::to_string(edit_.Top + 280), "300", "30", "20"});
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("ProbePushy") == 1; }, 20s, 100ms));
    EXPECT_LE(changes({kLayerClass, "ProbePushy"}), 4)
        << "the layers fight a window that keeps itself on top";
    pushy.Stop();
    ASSERT_TRUE(second.Close());
    PressChord(screen_, {"Alt_L", "2"});
}

TEST_F(InkLayer, TheHighlighterShowsThePenOverWhiteAndTheTextAndedWithIt)
{
    desktop_.SetSetting("KeepMarks", 1);
    desktop_.SetSetting("Transparency", 1);
    desktop_.SetSetting("Mode", 2);
    desktop_.SetSetting("FloodFill", 1);
    ZelvoraSession zelvora(desktop_);
    EXPECT_EQ(page_.PixelsNotAndedByFill(kPaintChord), 0)
        << "pixels that are not what was there ANDed with the pen (-1: no text, or no fill)";
    EXPECT_EQ(Layers(), 1);
    PressChord(screen_, {"Alt_L", "2"});
}

TEST_F(SmoothInk, ASlantedStrokeHasSmoothEdgesAsDrawnAndAsKeptAndUndoLeavesNoFringeOnBothSurfaces)
{
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "keep marks" : "on the screen");
        desktop_.SetSetting("KeepMarks", keep ? 1 : 0);
        ZelvoraSession zelvora(desktop_);
        const Image clean = StrokeArea();
        const auto [live, kept] = SlantedStroke();
        // 270 px long, about 20 degrees: each edge crosses a partly covered pixel in almost every
        // column.
        EXPECT_GT(Smoothed(kept), 2 * 240) << "edges of whole pixels";
        // (The pen's ring over the stroke's end, where the pointer rests, is no part of it.)
        const Point end{edit_.Left + 300, edit_.Top + 110};
        int unlike = 0;
        for (std::size_t i = 0; i < kept.Pixels.size(); ++i) {
            const int x = kept.Left + static_cast<int>(i) % kept.Width,
                      y = kept.Top + static_cast<int>(i) / kept.Width;
            unlike +=
                kept.Pixels[i] != live.Pixels[i] && (std::abs(x - end.X) > 8 || std::abs(y - end.Y) > 8);
            EXPECT_TRUE(kept.Pixels[i] == clean.Pixels[i] || OrangeOverWhite(kept.Pixels[i]))
                << "neither page nor a mix of pen and page at " << i;
        }
        EXPECT_EQ(unlike, 0) << "the stroke changed when the chord went up";

        // Save screen writes the edges as the screen shows them.
        const std::optional<Image> picture = SaveScreen();
        ASSERT_TRUE(picture);
        int differ = 0;
        for (int y = 0; y < kept.Height; ++y)
            for (int x = 0; x < kept.Width; ++x)
                differ += picture->At(kept.Left + x, kept.Top + y) !=
                          kept.Pixels[static_cast<std::size_t>(y) * kept.Width + x];
        EXPECT_EQ(differ, 0) << "the saved picture is not the screen";
        PressChord(screen_, kUndoChord);
        EXPECT_TRUE(WaitUntil([&] { return CountDifferences(clean, StrokeArea()) == 0; }, 5s))
            << CountDifferences(clean, StrokeArea()) << " pixels left after undo";
    }
}

TEST_F(SmoothInk, AQuickCircleIsRoundWithinAPixel)
{
    // Radius 120 through 20 positions 38 px apart: a polyline through them strays 1.5 px.
    desktop_.SetSetting("KeepMarks", 1);
    ZelvoraSession zelvora(desktop_);
    const double cx = edit_.Left + 300, cy = edit_.Top + 230, radius = 120;
    const auto at = [&](double i) {
        const double angle = 2 * std::numbers::pi * i / 20;
        return Point{static_cast<int>(std::lround(cx + radius * std::cos(angle))),
                     static_cast<int>(std::lround(cy + radius * std::sin(angle)))};
    };
    // How far the ink's centre strays from the circle at the worst degree: the mean distance from
    // the centre along each degree, weighed by coverage.
    const auto worstStray = [&] {
        const Image image = screen_.Grab(static_cast<int>(cx) - 140, static_cast<int>(cy) - 140, 280, 280);
        std::vector<double> weight(360), distance(360);
        for (int y = 0; y < image.Height; ++y)
            for (int x = 0; x < image.Width; ++x) {
                const auto share =
                    OrangeOverWhite(image.Pixels[static_cast<std::size_t>(y) * image.Width + x]);
                const double dx = image.Left + x + 0.5 - cx, dy = image.Top + y + 0.5 - cy,
                             r = std::hypot(dx, dy);
                if (!share || *share == 0 || std::abs(r - radius) > 12) continue;
                const int degree = static_cast<int>(std::atan2(dy, dx) * 180 / std::numbers::pi + 360) % 360;
                weight[degree] += *share, distance[degree] += *share * r;
            }
        double worst = 0;
        for (int degree = 0; degree < 360; ++degree) {
            if (weight[degree] <= 3) return radius;  // no ink there
            worst = std::max(worst, std::abs(distance[degree] / weight[degree] - radius));
        }
        return worst;
    };
    // A position Wine reads late is merged into the next, and a stall of 100 ms ends the curve
    // where the pen rested: a machine under load may draw a circle from fewer positions. Such a
    // circle is drawn again; a polyline strays 1.5 px every time.
    double worst = radius;
    for (int attempt = 0; attempt < 3 && worst > 1.0; ++attempt) {
        page_.RestPointerAt(at(0));
        {
            HeldKeys chord(screen_, kPaintChord);
            MovePointerAlong(screen_, {at(0)}, false);
            ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
            for (int i = 1; i <= 21; ++i) {
                screen_.MovePointer(at(i).X, at(i).Y);
                std::this_thread::sleep_for(25ms);
            }
            // The last arc of its own, drawn once the position after it came.
            const Point last = at(19.5);
            WaitUntil([&] { return screen_.Pixel(last.X, last.Y) == kMarkerOrange; }, 3s);
        }
        ASSERT_TRUE(WaitForHold(desktop_, false));
        worst = worstStray();
        PressChord(screen_, kUndoChord);
        EXPECT_TRUE(WaitUntil([&] { return worstStray() == radius; }, 5s)) << "the circle was not undone";
    }
    EXPECT_LE(worst, 1.0);
}

TEST_F(SmoothInk, OnTheAlphaPathThePanesOwnPixelsHoldPremultipliedInkAndClearElsewhere)
{
    desktop_.SetSetting("KeepMarks", 1);
    setenv("ZELVORA_INK_ALPHA", "1", 1);
    ZelvoraSession zelvora(desktop_);
    unsetenv("ZELVORA_INK_ALPHA");
    SlantedStroke();
    const auto pane = screen_.GrabAlphaWindow(edit_.Left + 20, edit_.Top + 90, 300, 130);
    ASSERT_TRUE(pane) << "no window with per-pixel alpha over the stroke";
    int full = 0, partly = 0, clear = 0, wrong = 0;
    for (const std::uint32_t pixel : pane->Pixels) {
        const unsigned a = pixel >> 24, r = pixel & 0xFF, g = (pixel >> 8) & 0xFF, b = (pixel >> 16) & 0xFF;
        if (pixel == 0)
            ++clear;
        else if (a == 255 && (pixel & 0xFFFFFF) == kMarkerOrange)
            ++full;
        else if (a > 0 && r == a && b == 0 &&
                 std::abs(static_cast<int>(g) - static_cast<int>(a * 128 / 255)) <= 1)
            ++partly;
        else
            ++wrong;
    }
    EXPECT_GT(full, 260 * 6);
    EXPECT_GT(partly, 2 * 240) << "premultiplied edges";
    EXPECT_GT(clear, 300 * 130 / 2) << "the page around the stroke";
    EXPECT_EQ(wrong, 0);
    PressChord(screen_, kUndoChord);
    EXPECT_TRUE(WaitUntil([&] { return Layers() == 0; }, 5s));
}

}  // namespace
}  // namespace zelvora::desktop
