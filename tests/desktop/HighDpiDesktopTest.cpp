// Zelvora on a desktop of 144 dots per inch (150 %): marks land under the pointer, in screen
// pixels, and the pen keeps its physical width.
#include <gtest/gtest.h>

#include "SharedDesktopSuite.h"
#include "driver/NotepadPage.h"
#include "driver/Wait.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;

constexpr char kFolder[] = "dpi144";
constexpr int kDpi = 144;
constexpr int kPenWidth = 15;  // size 10 at 150 %

bool IsOrange(std::uint32_t pixel)
{
    return pixel == kMarkerOrange;
}

class MarkingAt144Dpi : public SharedDesktopSuite<kFolder, kDpi> {
protected:
    void SetUp() override
    {
        Shared().ClearSettings();
        edit_ = page_.Edit();
        ASSERT_GT(edit_.Width(), 400);
    }

    WineDesktop& desktop_ = Shared();
    X11Screen& screen_ = Shared().Screen();
    NotepadPage page_{Shared()};
    ScreenRect edit_;
};

TEST_F(MarkingAt144Dpi, TheMainWindowOpensAtOneAndAHalfTimesItsSize)
{
    ZelvoraSession zelvora(desktop_);
    const auto window = desktop_.WindowRect("TfrmZelvora");
    ASSERT_TRUE(window.has_value());
    // A client area of 626 x 362 inside the frame, title and menu bar.
    EXPECT_GE(window->Width(), 626);
    EXPECT_LE(window->Width(), 626 + 40);
    EXPECT_GE(window->Height(), 362 + 20);
}

TEST_F(MarkingAt144Dpi, AStrokeLiesOnThePointersPathAndIsFifteenPixelsWideOnTheScreenAndOnTheLayer)
{
    for (const int keepMarks : {0, 1}) {
        SCOPED_TRACE(keepMarks ? "on the ink layer" : "on the screen");
        desktop_.SetSetting("KeepMarks", keepMarks);
        ZelvoraSession zelvora(desktop_);
        const Image before = page_.Grab();
        // Every point the pointer passes turns orange: the mark is under the pointer.
        EXPECT_TRUE(page_.DrawStroke({"Alt_L", "1"})) << "a point of the pointer's path stayed unmarked";
        EXPECT_EQ(desktop_.WindowCount("TZelvoraInkLayer"), keepMarks);
        const Image after = page_.Grab();
        const int y = page_.StrokeStart().Y;
        for (int x = page_.StrokeStart().X + 10; x <= edit_.Left + 350; x += 17) {
            SCOPED_TRACE(x);
            EXPECT_EQ(StrokeWidthAt(after, x, y), kPenWidth);
            EXPECT_EQ(after.At(x, y - 10), before.At(x, y - 10)) << "nothing beyond the pen's reach";
            EXPECT_EQ(after.At(x, y + 10), before.At(x, y + 10));
        }
        PressChord(screen_, {"Alt_L", "2"});
        ASSERT_TRUE(WaitUntil([&] { return CountDifferences(before, page_.Grab()) == 0; }, 5s));
    }
}

TEST_F(MarkingAt144Dpi, TheControlFrameSurroundsNotepadsEditGrownByFifteen)
{
    ZelvoraSession zelvora(desktop_);
    const Image before = screen_.GrabAll();
    PressChord(screen_, {"Alt_L", "3"});
    page_.RestPointerAt({edit_.CentreX(), edit_.CentreY()});
    {
        HeldKeys chord(screen_, {"Alt_L", "1"});
        ASSERT_TRUE(
            WaitUntil([&] { return IsOrange(screen_.Pixel(edit_.Left - kPenWidth, edit_.CentreY())); }, 3s));
    }
    const Image framed = screen_.GrabAll();
    // A 15 px pen centred on the control's rectangle grown by 15: 7 px either side of that line.
    const int cx = edit_.CentreX(), cy = edit_.CentreY();
    for (int d = -6; d <= 6; ++d) {
        SCOPED_TRACE(d);
        EXPECT_TRUE(IsOrange(framed.At(edit_.Left - kPenWidth + d, cy))) << "left";
        EXPECT_TRUE(IsOrange(framed.At(edit_.Right + kPenWidth - 1 + d, cy))) << "right";
        EXPECT_TRUE(IsOrange(framed.At(cx, edit_.Top - kPenWidth + d))) << "top";
        EXPECT_TRUE(IsOrange(framed.At(cx, edit_.Bottom + kPenWidth - 1 + d))) << "bottom";
    }
    // The control itself and what lies beyond the pen stay as they were.
    for (const Point p : {Point{edit_.Left - 3, cy}, Point{edit_.Left - 27, cy}, Point{cx, cy},
                          Point{edit_.Left + 5, edit_.Top + 5}, Point{cx, edit_.Bottom + 27}})
        EXPECT_EQ(framed.At(p.X, p.Y), before.At(p.X, p.Y)) << p.X << "," << p.Y;
    PressChord(screen_, {"Alt_L", "2"});
    PressChord(screen_, {"Alt_L", "3"});
}

}  // namespace
}  // namespace zelvora::desktop
