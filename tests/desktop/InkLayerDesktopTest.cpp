// Keep marks on a real (Wine) desktop: the ink layer over Notepad, driven with real keys, clicks
// and pointer moves, checked on the screen's pixels and in the registry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "InkDesktopFixture.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;

constexpr char kInkFolder[] = "ink";
using InkLayer = InkDesktop<kInkFolder>;

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
    const Image taskbarBefore = taskbar();
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
    EXPECT_EQ(Orange(overMenu), 6) << "the mark under the menu went";

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
    std::this_thread::sleep_for(300ms);  // the program has seen the chord go up, as a person waits

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
    EXPECT_EQ(Layers(), 0);
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
    const auto changes = [&](std::vector<std::string> classes) {
        std::vector<std::string> command{"zorder-changes", "4"};
        command.insert(command.end(), classes.begin(), classes.end());
        return std::atoi(desktop_.Probe(command).Output.c_str());
    };
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

}  // namespace
}  // namespace zelvora::desktop
