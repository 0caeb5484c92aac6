// Keep marks on a real (Wine) desktop: the ink layer over Notepad, driven with real keys, clicks
// and pointer moves, checked on the screen's pixels and in the registry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "ProgramDesktopFixture.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;

constexpr char kInkFolder[] = "ink";
constexpr char kLayerClass[] = "TZelvoraInkLayer";
constexpr int kKeepMarksItem = 2;  // in the Aktion menu, after "Zeichnung löschen" and undo

class InkLayer : public SharedDesktopSuite<kInkFolder> {
protected:
    void SetUp() override
    {
        desktop_.ClearSettings();
        edit_ = page_.Edit();
    }

    // Nine points along a stroke over the first line of Notepad's text.
    std::vector<Point> FirstLineStroke() const
    {
        return StraightPath({edit_.Left + 20, edit_.Top + 11}, {edit_.Left + 260, edit_.Top + 11}, 9);
    }
    bool Draw(const std::vector<Point>& path)
    {
        page_.RestPointerAt({path.front().X - 4, path.front().Y});
        HeldKeys chord(screen_, kPaintChord);
        return MovePointerAlong(screen_, {{path.front().X - 2, path.front().Y}}, false) &&
               MovePointerAlong(screen_, path, true);
    }
    int StillOrange(const std::vector<Point>& points)
    {
        const Image now = screen_.GrabAll();
        int orange = 0;
        for (const Point& p : points) orange += now.At(p.X, p.Y) == kMarkerOrange;
        return orange;
    }
    // A person clicks below the text, types a line and selects everything; Notepad repaints.
    void TypeUnderAndSelectAll()
    {
        screen_.Click(edit_.Left + 40, edit_.Top + 120);
        std::this_thread::sleep_for(200ms);
        screen_.Tap("Return");
        screen_.TypeText("WWWW MMMM");
        std::this_thread::sleep_for(300ms);
        HeldKeys selectAll(screen_, {"Control_L", "a"});
        std::this_thread::sleep_for(300ms);
    }
    // Puts the page's text back as the suite found it.
    void RestoreText()
    {
        screen_.Click(edit_.Left + 40, edit_.Top + 120);
        {
            HeldKeys selectAll(screen_, {"Control_L", "a"});
        }
        screen_.TypeText("MMMM WWWW MMMM WWWW MMMM WWWW");
        std::this_thread::sleep_for(300ms);
    }

    WineDesktop& desktop_ = Shared();
    X11Screen& screen_ = Shared().Screen();
    NotepadPage page_{Shared()};
    ScreenRect edit_;
};

TEST_F(InkLayer, KeptMarksSurviveTypingUnderThemAndSelectingAllWhileScreenMarksDoNot)
{
    const std::vector<Point> stroke = FirstLineStroke();

    desktop_.SetSetting("KeepMarks", 1);
    ZelvoraSession zelvora(desktop_);
    EXPECT_EQ(desktop_.WindowCount(kLayerClass), 0) << "a layer before anything is drawn";
    ASSERT_TRUE(Draw(stroke));
    EXPECT_EQ(desktop_.WindowCount(kLayerClass), 1);
    page_.KeepForInspection("drawn", screen_.GrabAll());
    std::system("xwininfo -root -tree | grep -v '1x1+' | head -40");
    std::printf("fg after draw: %s\n", desktop_.Probe({"foreground"}).Output.c_str());
    std::printf("rects: %s\n", desktop_.Probe({"rects", kLayerClass}).Output.c_str());
    screen_.Click(edit_.Left + 40, edit_.Top + 120);
    std::this_thread::sleep_for(500ms);
    page_.KeepForInspection("clicked", screen_.GrabAll());
    std::system("xwininfo -root -tree | grep -v '1x1+' | head -40");
    std::printf("fg after click: %s\n", desktop_.Probe({"foreground"}).Output.c_str());
    std::printf("count: %d\n", desktop_.WindowCount(kLayerClass));

    Draw(StraightPath({edit_.Left + 20, edit_.Top + 200}, {edit_.Left + 260, edit_.Top + 200}, 8));
    page_.KeepForInspection("second", screen_.GrabAll());
    TypeUnderAndSelectAll();
    page_.KeepForInspection("kept", screen_.GrabAll());
    EXPECT_EQ(StillOrange(stroke), 9);
    RestoreText();
}

}  // namespace
}  // namespace zelvora::desktop
