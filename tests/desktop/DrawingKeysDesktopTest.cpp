// The keys held with the paint shortcut on a real (Wine) desktop: shapes, colours, widths and
// text drawn over Notepad with real keys, wheel and pointer, checked on the screen's pixels,
// in Notepad's text and in the registry.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <thread>

#include "InkDesktopFixture.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;

constexpr char kKeysFolder[] = "keys";
constexpr std::uint32_t kGreen = 0x00A000;  // (0, 160, 0) as the window system keeps colours

class DrawingKeys : public InkDesktop<kKeysFolder> {
protected:
    // Holds the paint chord at `from`, then `keys` once the pen is down, and pulls the pointer
    // along `path`; lets go of the keys, then of the chord.
    void PullShape(const std::vector<const char*>& keys, Point from, const std::vector<Point>& path)
    {
        page_.RestPointerAt(from);
        HeldKeys chord(screen_, kPaintChord);
        std::this_thread::sleep_for(100ms);  // the keyboard is Zelvora's from the next tick
        {
            HeldKeys shape(screen_, keys);
            std::this_thread::sleep_for(50ms);
            MovePointerAlong(screen_, path, false);
            std::this_thread::sleep_for(100ms);
        }
        std::this_thread::sleep_for(50ms);
    }
    bool Marked(Point p, std::uint32_t colour = kMarkerOrange) { return screen_.Pixel(p.X, p.Y) == colour; }
    // Every point marked (or, with `marked` false, none), within a few seconds.
    bool WaitMarked(const std::vector<Point>& points, bool marked = true)
    {
        return WaitUntil(
            [&] {
                for (const Point& p : points)
                    if (Marked(p) != marked) return false;
                return true;
            },
            5s);
    }
    void Undo()
    {
        std::this_thread::sleep_for(300ms);  // the program has seen the chord go up, as a person waits
        PressChord(screen_, kUndoChord);
    }
    long Marks() { return std::stol(desktop_.Probe({"ask", "TfrmZelvora", "1028", "0"}).Output); }
    std::string NotepadText() { return desktop_.Probe({"texts", "Notepad"}).Output; }
    std::string Front()
    {
        std::string name = Foreground();
        while (!name.empty() && name.back() == '\n') name.pop_back();
        return name;
    }
    Point Centre() const { return {edit_.Left + edit_.Width() / 2, edit_.Top + 200}; }
};

TEST_F(DrawingKeys, ShapesFollowTheirGeometryAndEachIsOneMarkOnTheLayerAndOnTheScreen)
{
    for (const bool keepMarks : {true, false}) {
        SCOPED_TRACE(keepMarks ? "ink layer" : "screen");
        desktop_.SetSetting("KeepMarks", keepMarks ? 1 : 0);
        ZelvoraSession zelvora(desktop_);
        const Point c = Centre();

        // Shift: a straight line from where the keys went down to the pointer, whatever the path.
        const Point lineFrom{c.X - 150, c.Y - 120};
        std::vector<Point> curve;
        for (int i = 1; i <= 12; ++i)
            curve.push_back(
                {lineFrom.X + 300 * i / 12, lineFrom.Y + static_cast<int>(60 * std::sin(3.14159 * i / 12))});
        PullShape({"Shift_L"}, lineFrom, curve);
        EXPECT_TRUE(WaitMarked({lineFrom, {c.X, lineFrom.Y}, {c.X + 100, lineFrom.Y}}));
        EXPECT_FALSE(Marked({c.X, lineFrom.Y + 60})) << "the line followed the curve";

        // Ctrl: a rectangle between the two points; Tab: the ellipse inscribed in such a box.
        const Point boxFrom{c.X - 150, c.Y - 60}, boxTo{c.X - 30, c.Y + 20};
        PullShape({"Control_L"}, boxFrom, StraightPath(boxFrom, boxTo, 6));
        EXPECT_TRUE(WaitMarked({boxFrom, boxTo, {boxFrom.X, boxTo.Y}, {boxTo.X, boxFrom.Y}}));
        EXPECT_FALSE(Marked({(boxFrom.X + boxTo.X) / 2, (boxFrom.Y + boxTo.Y) / 2}))
            << "a hollow box is filled";

        const Point ovalFrom{c.X + 30, c.Y - 60}, ovalTo{c.X + 190, c.Y + 20};
        PullShape({"Tab"}, ovalFrom, StraightPath(ovalFrom, ovalTo, 6));
        const int midX = (ovalFrom.X + ovalTo.X) / 2, midY = (ovalFrom.Y + ovalTo.Y) / 2;
        EXPECT_TRUE(WaitMarked({{midX, ovalFrom.Y}, {midX, ovalTo.Y}, {ovalFrom.X, midY}, {ovalTo.X, midY}}));
        EXPECT_FALSE(Marked(ovalFrom)) << "the ellipse's box corner is marked";

        // Ctrl+Shift: an arrow whose head is where it began, barbs 30 degrees off the shaft.
        const Point head{c.X - 100, c.Y + 100}, tail{c.X + 100, c.Y + 100};
        PullShape({"Control_L", "Shift_L"}, head, StraightPath(head, tail, 6));
        const int barb = 40;  // four widths of the 10 px pen
        const int dx = static_cast<int>(barb * std::cos(3.14159 / 6)), dy = barb / 2;
        EXPECT_TRUE(
            WaitMarked({head, tail, {head.X + dx - 3, head.Y - dy + 2}, {head.X + dx - 3, head.Y + dy - 2}}));
        EXPECT_FALSE(Marked({tail.X - dx, tail.Y - dy})) << "barbs at the tail";

        // Four shapes, four marks: each undo takes one away, the last shape first.
        EXPECT_EQ(Marks(), 4);
        Undo();
        EXPECT_TRUE(WaitMarked({head, tail}, false));
        EXPECT_TRUE(Marked({boxFrom.X, boxTo.Y})) << "the undo took more than the arrow";
        Undo();
        EXPECT_TRUE(WaitMarked({{midX, ovalFrom.Y}, {ovalTo.X, midY}}, false));
        Undo();
        EXPECT_TRUE(WaitMarked({{boxFrom.X, boxTo.Y}, {boxTo.X, boxFrom.Y}}, false));
        EXPECT_TRUE(Marked({c.X, lineFrom.Y}));
        Undo();
        EXPECT_TRUE(WaitMarked({{c.X, lineFrom.Y}}, false));
        ASSERT_TRUE(zelvora.Close());
    }
}

TEST_F(DrawingKeys, KeysTypedDuringTheHoldNeverReachTheWindowBeneath)
{
    ZelvoraSession zelvora(desktop_);
    screen_.Click(edit_.Left + 40, edit_.Top + 120);  // Notepad has the keyboard
    ASSERT_TRUE(WaitUntil([&] { return Front() == "Notepad"; }, 5s));
    const std::string before = NotepadText();
    page_.RestPointerAt(Centre());
    {
        HeldKeys chord(screen_, kPaintChord);
        std::this_thread::sleep_for(100ms);
        screen_.TypeText("hello w k");
        PressChord(screen_, {"Tab"});  // Alt is still down: Alt+Tab
        PressChord(screen_, {"Return"});
        std::this_thread::sleep_for(200ms);
    }
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(NotepadText(), before);
    EXPECT_EQ(Front(), "Notepad");
    // The keyboard is Notepad's again once the chord is up.
    screen_.TypeText("q");
    EXPECT_TRUE(WaitUntil([&] { return NotepadText() != before; }, 5s));
    ASSERT_TRUE(zelvora.Close());
    RestoreText();
}

TEST_F(DrawingKeys, ColourKeysAndTheWheelChangeThePenTheMainWindowAndTheStoredSettings)
{
    desktop_.SetSetting("KeepMarks", 1);
    ZelvoraSession zelvora(desktop_);
    const Point from = Centre();
    const std::vector<Point> stroke = StraightPath(from, {from.X + 200, from.Y}, 8);
    page_.RestPointerAt(from);
    {
        HeldKeys chord(screen_, kPaintChord);
        std::this_thread::sleep_for(100ms);
        PressChord(screen_, {"g"});
        for (int notch = 0; notch < 2; ++notch) {
            screen_.Button(4, true);  // away from the person: wider
            screen_.Button(4, false);
        }
        std::this_thread::sleep_for(50ms);
        MovePointerAlong(screen_, stroke, false);
        EXPECT_TRUE(WaitUntil([&] { return Marked(stroke.back(), kGreen); }, 5s));
    }
    const Image now = screen_.GrabAll();
    EXPECT_EQ(StrokeWidthAt(now, from.X + 100, from.Y, kGreen), 12);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return desktop_.Probe({"texts", "TfrmZelvora"}).Output.find("12 px") != std::string::npos;
        },
        5s))
        << "the size label did not follow";
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings().at("MarkerColor"), Dword(kGreen));
    EXPECT_EQ(desktop_.Settings().at("MarkerSize"), Dword(12));
}

TEST_F(DrawingKeys, TextTypedAfterTIsKeptInThePenWhereThePointerWasAndTheKeyboardGoesBack)
{
    for (const bool keepMarks : {true, false}) {
        SCOPED_TRACE(keepMarks ? "ink layer" : "screen");
        desktop_.SetSetting("KeepMarks", keepMarks ? 1 : 0);
        ZelvoraSession zelvora(desktop_);
        screen_.Click(edit_.Left + 40, edit_.Top + 120);
        ASSERT_TRUE(WaitUntil([&] { return Front() == "Notepad"; }, 5s));
        const std::string before = NotepadText();
        const Point at = Centre();
        const ScreenRect words{at.X, at.Y, at.X + 80, at.Y + 40};
        const auto orangeIn = [&] {
            const Image now = screen_.GrabAll();
            int orange = 0;
            for (int y = words.Top; y < words.Bottom; ++y)
                for (int x = words.Left; x < words.Right; ++x) orange += now.At(x, y) == kMarkerOrange;
            return orange;
        };
        page_.RestPointerAt(at);
        {
            HeldKeys chord(screen_, kPaintChord);
            std::this_thread::sleep_for(100ms);
            PressChord(screen_, {"t"});
            std::this_thread::sleep_for(50ms);
        }
        // The field's caret shows where the letters will go. (No probe runs until the letters
        // are typed: a program starting on this desktop may take the keyboard for a moment.)
        ASSERT_TRUE(WaitUntil([&] { return orangeIn() > 30; }, 5s)) << "no text field";
        screen_.TypeText("Hallo");
        EXPECT_TRUE(WaitUntil([&] { return orangeIn() > 150; }, 5s))
            << "the field shows no letters: " << orangeIn();
        screen_.Tap("Return");
        EXPECT_TRUE(WaitUntil([&] { return Front() == "Notepad"; }, 5s)) << Front();
        EXPECT_EQ(Marks(), 1);
        EXPECT_GT(orangeIn(), 150) << "the text was not kept";
        EXPECT_EQ(NotepadText(), before) << "the letters reached Notepad";
        Undo();
        EXPECT_TRUE(WaitUntil([&] { return orangeIn() == 0; }, 5s)) << "the text is not one mark";
        ASSERT_TRUE(zelvora.Close());
    }
}

// A quick hand: pointer moves sent inside the desktop faster than the marking loop ticks (XTest
// motion would be merged into about one move a tick); the hook notes each on the way.
TEST_F(DrawingKeys, AQuickZigzagKeepsEveryTurnOnTheScreenAndOnTheLayer)
{
    const Point start{edit_.Left + 20, edit_.Top + 320};
    for (const int keep : {0, 1}) {
        SCOPED_TRACE(keep ? "keep marks" : "on the screen");
        desktop_.SetSetting("KeepMarks", keep);
        ZelvoraSession zelvora(desktop_);
        std::vector<Point> turns;
        {
            page_.RestPointerAt({start.X - 2, start.Y});
            HeldKeys chord(screen_, kPaintChord);
            ASSERT_TRUE(MovePointerAlong(screen_, {start}, true)) << "the chord draws nothing";
            // 14 turns 120 pixels high, 3 pixels a move: 560 moves, four a call.
            std::istringstream lines(
                desktop_.Probe({"zigzag", std::to_string(start.X), std::to_string(start.Y), "14", "120", "3"})
                    .Output);
            for (Point p; lines >> p.X >> p.Y;) turns.push_back(p);
            std::this_thread::sleep_for(300ms);  // the last tick
        }
        ASSERT_EQ(turns.size(), 14u);
        const Image shown = screen_.GrabAll();
        std::string cut;
        for (const Point& turn : turns)
            if (shown.At(turn.X, turn.Y) != kMarkerOrange)
                cut += " " + std::to_string(turn.X) + "," + std::to_string(turn.Y);
        EXPECT_EQ(cut, "") << "turns the stroke does not pass through";
        if (!cut.empty()) WritePng(shown, desktop_.WorkDir() + "/zigzag.png");
        EXPECT_EQ(desktop_.Probe({"ask", "TfrmZelvora", "1028", "0"}).Output, "1\n") << "one mark";
        PressChord(screen_, {"Alt_L", "2"});
    }
}

}  // namespace
}  // namespace zelvora::desktop
