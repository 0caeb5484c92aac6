// Zelvora on a real (Wine) desktop over Notepad, driven with real keys and pointer moves and
// checked on the screen's pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "driver/NotepadPage.h"
#include "driver/Wait.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;

WineDesktop* theDesktop = nullptr;

class DesktopEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        const char* binDir = std::getenv("ZELVORA_BIN_DIR");
        desktop_ = std::make_unique<WineDesktop>(ZELVORA_DESKTOP_WORK_DIR, binDir ? binDir : ZELVORA_BIN_DIR);
        theDesktop = desktop_.get();
    }
    void TearDown() override
    {
        theDesktop = nullptr;
        desktop_.reset();
    }

private:
    std::unique_ptr<WineDesktop> desktop_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new DesktopEnvironment);

bool IsOrange(std::uint32_t pixel)
{
    return pixel == kMarkerOrange;
}

class MarkingOnTheDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(theDesktop, nullptr);
        desktop_.ClearSettings();
        edit_ = page_.Edit();
        ASSERT_GT(edit_.Width(), 400);
    }

    Image GrabEdit() { return page_.Grab(); }
    std::vector<Point> Stroke(int dy = 0) const { return page_.Stroke(dy); }
    Point StrokeStart(int dy = 0) const { return page_.StrokeStart(dy); }
    void RestPointerAt(Point p) { page_.RestPointerAt(p); }
    void DrawStroke(int dy = 0)
    {
        EXPECT_TRUE(page_.DrawStroke({"Alt_L", "1"}, dy)) << "a point of the stroke stayed unmarked";
    }
    void KeepForInspection(const std::string& name, const Image& expected)
    {
        page_.KeepForInspection(name, expected);
    }

    WineDesktop& desktop_ = *theDesktop;
    X11Screen& screen_ = theDesktop->Screen();
    NotepadPage page_{*theDesktop};
    ScreenRect edit_;
};

TEST_F(MarkingOnTheDesktop, HoldingThePaintChordDrawsAWideOrangeLineAlongThePointersPath)
{
    ZelvoraSession zelvora(desktop_);
    const Image before = GrabEdit();
    DrawStroke();

    const Image after = GrabEdit();
    const int y = StrokeStart().Y;
    for (int x = StrokeStart().X + 6; x <= edit_.Left + 354; x += 3) {
        for (int dy = -4; dy <= 4; ++dy) EXPECT_TRUE(IsOrange(after.At(x, y + dy))) << x << "," << y + dy;
        // Width 10: nothing beyond the pen's reach.
        EXPECT_EQ(after.At(x, y - 8), before.At(x, y - 8)) << x;
        EXPECT_EQ(after.At(x, y + 8), before.At(x, y + 8)) << x;
    }

    // Moving without the chord only moves the invisible pen.
    const Point from{edit_.Left + 60, edit_.Top + 280}, to{edit_.Left + 360, edit_.Top + 280};
    MovePointerAlong(screen_, StraightPath(from, to, 10), false);
    std::this_thread::sleep_for(100ms);
    const Image untouched = GrabEdit();
    for (int x = from.X; x <= to.X; ++x) EXPECT_EQ(untouched.At(x, from.Y), before.At(x, from.Y)) << x;
}

TEST_F(MarkingOnTheDesktop, AnExtraModifierOrAMissingKeyCodeNeverDraws)
{
    {
        ZelvoraSession zelvora(desktop_);
        const Image before = GrabEdit();
        RestPointerAt(StrokeStart());
        {
            HeldKeys ctrlAlt1(screen_, {"Control_L", "Alt_L", "1"});
            MovePointerAlong(screen_, Stroke(), false);
            std::this_thread::sleep_for(100ms);
        }
        EXPECT_EQ(CountDifferences(before, GrabEdit()), 0) << "Ctrl+Alt+1 drew";
        // The same copy still draws with the plain chord: the ticks were running all along.
        DrawStroke(60);
    }
    desktop_.SetSetting("PaintHotkey", 0x8000);  // Alt with no key
    ZelvoraSession zelvora(desktop_);
    const Image before = GrabEdit();
    RestPointerAt(StrokeStart());
    {
        HeldKeys alt(screen_, {"Alt_L"});
        MovePointerAlong(screen_, Stroke(), false);
        HeldKeys alt1(screen_, {"1"});
        MovePointerAlong(screen_, Stroke(30), false);
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_EQ(CountDifferences(before, GrabEdit()), 0) << "a shortcut without a key drew";
}

TEST_F(MarkingOnTheDesktop, TheWipeHotkeyRestoresEveryMarkedPixel)
{
    ZelvoraSession zelvora(desktop_);
    const Image before = GrabEdit();
    DrawStroke();
    DrawStroke(40);
    ASSERT_GT(CountDifferences(before, GrabEdit()), 3000);

    PressChord(screen_, {"Alt_L", "2"});
    if (!WaitUntil([&] { return CountDifferences(before, GrabEdit()) == 0; }, 5s)) {
        ADD_FAILURE() << CountDifferences(before, GrabEdit()) << " pixels still differ";
        KeepForInspection("wipe", before);
    }
}

TEST_F(MarkingOnTheDesktop, TheModeHotkeyFramesTheControlUnderThePointerAndSwitchesBack)
{
    ZelvoraSession zelvora(desktop_);
    const Image before = screen_.GrabAll();
    PressChord(screen_, {"Alt_L", "3"});
    RestPointerAt({edit_.CentreX(), edit_.CentreY()});
    {
        HeldKeys chord(screen_, {"Alt_L", "1"});
        ASSERT_TRUE(WaitUntil([&] { return IsOrange(screen_.Pixel(edit_.Left - 10, edit_.CentreY())); }, 3s));
    }
    const Image framed = screen_.GrabAll();
    // A 10 px pen centred on the control's rectangle grown by 10.
    const int cx = edit_.CentreX(), cy = edit_.CentreY();
    for (int d = -3; d <= 3; ++d) {
        EXPECT_TRUE(IsOrange(framed.At(edit_.Left - 10 + d, cy))) << "left " << d;
        EXPECT_TRUE(IsOrange(framed.At(edit_.Right + 9 + d, cy))) << "right " << d;
        EXPECT_TRUE(IsOrange(framed.At(cx, edit_.Top - 10 + d))) << "top " << d;
        EXPECT_TRUE(IsOrange(framed.At(cx, edit_.Bottom + 9 + d))) << "bottom " << d;
    }
    // Hollow: the control itself and what lies beyond the pen are untouched.
    for (const Point p : {Point{edit_.Left - 2, cy}, Point{edit_.Left - 18, cy}, Point{cx, cy},
                          Point{edit_.Left + 5, edit_.Top + 5}, Point{cx, edit_.Bottom + 18}})
        EXPECT_EQ(framed.At(p.X, p.Y), before.At(p.X, p.Y)) << p.X << "," << p.Y;

    // Wipe, switch back to free hand and draw a line again.
    PressChord(screen_, {"Alt_L", "2"});
    ASSERT_TRUE(WaitUntil([&] { return !IsOrange(screen_.Pixel(edit_.Left - 10, cy)); }, 5s));
    PressChord(screen_, {"Alt_L", "3"});
    DrawStroke();
    EXPECT_FALSE(IsOrange(screen_.Pixel(edit_.Left - 10, cy))) << "drew a frame instead of a line";
}

TEST_F(MarkingOnTheDesktop, FilledBoxesCoverTheControlAndTheTransparentPenMasksIt)
{
    desktop_.SetSetting("Mode", 2);
    desktop_.SetSetting("FloodFill", 1);
    const Image before = GrabEdit();
    {
        ZelvoraSession zelvora(desktop_);
        RestPointerAt({edit_.CentreX(), edit_.CentreY()});
        {
            HeldKeys chord(screen_, {"Alt_L", "1"});
            ASSERT_TRUE(
                WaitUntil([&] { return IsOrange(screen_.Pixel(edit_.CentreX(), edit_.CentreY())); }, 3s));
        }
        const Image filled = GrabEdit();
        int orange = 0;
        for (std::uint32_t pixel : filled.Pixels) orange += IsOrange(pixel);
        EXPECT_EQ(orange, edit_.Width() * edit_.Height()) << "the box does not cover the control";
        EXPECT_NE(screen_.Pixel(edit_.Left - 2, edit_.CentreY()), kMarkerOrange);
        EXPECT_NE(screen_.Pixel(edit_.Right + 1, edit_.CentreY()), kMarkerOrange);
    }
    ASSERT_TRUE(WaitUntil([&] { return CountDifferences(before, GrabEdit()) == 0; }, 5s));

    desktop_.SetSetting("Transparency", 1);
    ZelvoraSession zelvora(desktop_);
    const Image clean = GrabEdit();
    int white = 0, black = 0;
    for (std::uint32_t pixel : clean.Pixels) white += pixel == 0xFFFFFF, black += pixel == 0;
    ASSERT_GT(white, 1000);
    ASSERT_GT(black, 10) << "no black pixels to see through";
    RestPointerAt({edit_.CentreX(), edit_.CentreY()});
    {
        HeldKeys chord(screen_, {"Alt_L", "1"});
        ASSERT_TRUE(WaitUntil([&] { return IsOrange(screen_.Pixel(edit_.CentreX(), edit_.CentreY())); }, 3s));
    }
    const Image masked = GrabEdit();
    int wrong = 0;
    for (std::size_t i = 0; i < clean.Pixels.size(); ++i)
        wrong += masked.Pixels[i] != (clean.Pixels[i] & kMarkerOrange);
    EXPECT_EQ(wrong, 0) << "pixels that are not screen AND marker colour";
}

TEST_F(MarkingOnTheDesktop, ASecondCopyReportsEveryTakenHotkeyTwiceAndStillDraws)
{
    ZelvoraSession first(desktop_);
    ZelvoraSession second(desktop_, 0);
    std::vector<std::string> reports;
    WaitUntil(
        [&] {
            const CommandResult boxes = desktop_.Probe({"msgboxes"});
            if (!boxes.Output.empty()) {
                reports.push_back(boxes.Output);
                desktop_.Probe({"dismiss-msgboxes"});
            }
            return reports.size() >= 14;
        },
        60s, 100ms);
    const std::vector<std::string> once{"Zelvora\tCan't register the hotkey Alt+2. Please select another.\n",
                                        "Zelvora\tCan't register the hotkey Alt+3. Please select another.\n",
                                        "Zelvora\tCan't register the hotkey Alt+4. Please select another.\n",
                                        "Zelvora\tCan't register the hotkey Alt+5. Please select another.\n",
                                        "Zelvora\tCan't register the hotkey Alt+6. Please select another.\n",
                                        "Zelvora\tCan't register the hotkey Alt+7. Please select another.\n",
                                        "Zelvora\tCan't register the hotkey Alt+0. Please select another.\n"};
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(reports, twice);
    ASSERT_TRUE(second.WaitForMainWindow(2));
    EXPECT_EQ(desktop_.Probe({"msgboxes"}).Output, "") << "more than fourteen reports";

    ASSERT_TRUE(first.Close());
    const Image before = GrabEdit();
    DrawStroke();  // only the second copy is left to draw
    EXPECT_GT(CountDifferences(before, GrabEdit()), 3000);
}

TEST_F(MarkingOnTheDesktop, TheReportSpeaksTheStoredLanguageAndOddLanguagesFallBackToEnglish)
{
    ZelvoraSession first(desktop_);
    const auto firstReport = [&] {
        std::string report;
        WaitUntil([&] { return !(report = desktop_.Probe({"msgboxes"}).Output).empty(); }, 30s, 100ms);
        // The other five reports follow one by one; dismiss them as they come.
        WaitUntil([&] { return desktop_.Probe({"dismiss-msgboxes"}).Output == "0\n"; }, 30s, 300ms);
        return report;
    };
    desktop_.SetSetting("Lang", 1);
    {
        ZelvoraSession german(desktop_, 0);
        EXPECT_EQ(firstReport(),
                  "Zelvora\tDer Hotkey Alt+2 konnte nicht registriert werden. Bitte w\xE4hlen Sie einen "
                  "anderen aus.\n");
    }
    desktop_.SetSetting("Lang", 9);
    ZelvoraSession unknown(desktop_, 0);
    EXPECT_EQ(firstReport(), "Zelvora\tCan't register the hotkey Alt+2. Please select another.\n");
}

TEST_F(MarkingOnTheDesktop, TheAboutWindowOpensFromTheMenuAndDrawingGoesOnWhileItIsOpen)
{
    ZelvoraSession zelvora(desktop_);
    const auto window = desktop_.WindowRect("TfrmZelvora");
    ASSERT_TRUE(window);
    screen_.Click(window->Left + 60, window->Top + 10);  // the title bar: the keyboard goes there
    // Hilfe > Info... with the keyboard: Alt selects the menu bar, Up wraps to the last item.
    for (const char* key : {"Alt_L", "Right", "Right", "Down", "Up", "Return"}) {
        screen_.Tap(key);
        std::this_thread::sleep_for(200ms);  // the menu loop takes each key in its own time
    }
    if (!WaitUntil([&] { return desktop_.WindowCount("TfrmAbout") == 1; }, 10s)) {
        KeepForInspection("about", GrabEdit());
        FAIL() << "no about window";
    }

    const Image before = GrabEdit();
    DrawStroke(-60);
    EXPECT_GT(CountDifferences(before, GrabEdit()), 3000) << "the modal window stopped the drawing";

    screen_.Tap("Escape");
    EXPECT_TRUE(WaitUntil([&] { return desktop_.WindowCount("TfrmAbout") == 0; }, 10s))
        << "Esc did not close it";
}

TEST_F(MarkingOnTheDesktop, ClosingTheWindowLeavesNoMarks)
{
    ZelvoraSession zelvora(desktop_);
    const Image before = GrabEdit();
    DrawStroke();
    ASSERT_GT(CountDifferences(before, GrabEdit()), 3000);

    const CommandResult closeButton = desktop_.Probe({"hit", "TfrmZelvora", "20"});  // HTCLOSE
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(closeButton.Output.c_str(), "%d %d", &x, &y), 2) << closeButton.Output;
    screen_.Click(x, y);
    EXPECT_TRUE(WaitUntil([&] { return zelvora.Exited(); }, 20s))
        << "the close button did not end the program";
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(before, GrabEdit()) == 0; }, 5s))
        << CountDifferences(before, GrabEdit()) << " pixels still marked";
}

}  // namespace
}  // namespace zelvora::desktop
