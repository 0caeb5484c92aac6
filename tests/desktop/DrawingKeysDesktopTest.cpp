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
        ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
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
        WaitForHold(desktop_, false);  // the program has seen the chord go up, as a person waits
        PressChord(screen_, kUndoChord);
    }
    std::string NotepadText() { return desktop_.Probe({"texts", "Notepad"}).Output; }
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

TEST_F(DrawingKeys, ALineKeptFromItsPreviewHasSmoothEdgesOnTheKeyedLayerAsOnTheScreen)
{
    // A line 300 px long that climbs 24 px: every column crosses an edge pixel partly covered,
    // which shows the page beneath mixed with the pen where the shape took the page as its ground
    // (and the pen alone where it took its own preview).
    for (const bool keepMarks : {false, true}) {
        SCOPED_TRACE(keepMarks ? "ink layer" : "screen");
        desktop_.SetSetting("KeepMarks", keepMarks ? 1 : 0);
        ZelvoraSession zelvora(desktop_);
        const Point c = Centre();
        const Point from{c.X - 150, c.Y + 12}, to{c.X + 150, c.Y - 12};
        const Image page = screen_.Grab(from.X, to.Y - 20, 301, 64);
        PullShape({"Shift_L"}, from, StraightPath(from, to, 8));
        ASSERT_TRUE(WaitMarked({from, to, c}));
        std::this_thread::sleep_for(300ms);  // a keyed window's shape follows its pixels
        const Image line = screen_.Grab(from.X, to.Y - 20, 301, 64);
        int blended = 0, columns = 0;
        for (int x = from.X + 10; x < to.X - 10; ++x, ++columns) {
            bool mixed = false;
            for (int y = line.Top; y < line.Top + line.Height && !mixed; ++y)
                mixed = line.At(x, y) != page.At(x, y) && line.At(x, y) != kMarkerOrange;
            blended += mixed;
        }
        EXPECT_GE(blended, columns * 95 / 100)
            << "columns with a smooth edge: " << blended << " of " << columns;
        ASSERT_TRUE(zelvora.Close());
    }
}

TEST_F(DrawingKeys, KeysTypedDuringTheHoldNeverReachTheWindowBeneath)
{
    ZelvoraSession zelvora(desktop_);
    screen_.Click(edit_.Left + 40, edit_.Top + 120);  // Notepad has the keyboard
    ASSERT_TRUE(WaitUntil([&] { return Front() == "Notepad"; }, 5s));
    // The click moves the caret, which the status bar shows once Notepad has taken it.
    const std::string before = ReadSteady([&] { return NotepadText(); }, 5s, 300ms);
    page_.RestPointerAt(Centre());
    {
        HeldKeys chord(screen_, kPaintChord);
        ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
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
        ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
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

// The field never takes the foreground: another program's window keeps it and the keyboard,
// and a click inside the field between letters loses nothing.
TEST_F(DrawingKeys, TextTypedAfterTIsKeptInThePenWhileAnotherProgramKeepsTheForegroundAndTheKeyboard)
{
    for (const bool keepMarks : {true, false}) {
        SCOPED_TRACE(keepMarks ? "ink layer" : "screen");
        desktop_.SetSetting("KeepMarks", keepMarks ? 1 : 0);
        ZelvoraSession zelvora(desktop_);
        ChildProcess log = OpenKeyLog();
        const Point at{logArea_.Left + 60, logArea_.Top + 60};
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
            ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
            PressChord(screen_, {"t"});
            std::this_thread::sleep_for(50ms);
        }
        // The field's caret shows where the letters will go.
        ASSERT_TRUE(WaitUntil([&] { return orangeIn() > 30; }, 5s)) << "no text field";
        screen_.TypeText("Ha");
        ASSERT_TRUE(WaitUntil([&] { return orangeIn() > 90; }, 5s)) << "the field shows no letters";
        screen_.Click(at.X + 14, at.Y + 20);  // inside the field, between two letters
        std::this_thread::sleep_for(100ms);
        screen_.TypeText("llo");
        EXPECT_TRUE(WaitUntil([&] { return orangeIn() > 150; }, 5s)) << "the field shows " << orangeIn();
        screen_.Tap("Return");
        EXPECT_TRUE(WaitUntil([&] { return Marks() == 1; }, 5s)) << "the text was not kept";
        // The field goes, the window beneath repaints, and the kept text is laid there again.
        EXPECT_TRUE(WaitUntil([&] { return orangeIn() > 150; }, 5s)) << "the kept text shows " << orangeIn();
        EXPECT_EQ(Front(), "ProbeKeyLog");
        // Not even the chord's press reached the window in front.
        const std::string keys = KeyLog();
        EXPECT_EQ(Count(keys, "LOST"), 0) << keys;
        EXPECT_EQ(Count(keys, "K"), 0) << keys;
        EXPECT_EQ(Count(keys, "S31"), 0) << keys;
        Undo();
        EXPECT_TRUE(WaitUntil([&] { return orangeIn() == 0; }, 5s)) << "the text is not one mark";
        ASSERT_TRUE(zelvora.Close());
    }
}

// Keys of the hold stay Zelvora's: the chord's own key repeating, a shape key held past the
// chord's release; a key that makes another shortcut runs it.
TEST_F(DrawingKeys, NoKeyOfTheHoldReachesTheProgramInFrontAndAlt2DuringItWipes)
{
    ZelvoraSession zelvora(desktop_);
    ChildProcess log = OpenKeyLog();
    const Point from{logArea_.Left + 40, logArea_.Top + 40};
    page_.RestPointerAt(from);
    {
        HeldKeys chord(screen_, kPaintChord);
        std::this_thread::sleep_for(2s);  // the keyboard repeats the 1
    }
    EXPECT_EQ(Count(KeyLog(), "S31"), 0) << "the chord's key reached the window: " << KeyLog();

    // Tab pulls an ellipse; the chord goes up, Tab 0.6 s later.
    {
        auto chord = std::make_unique<HeldKeys>(screen_, kPaintChord);
        ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
        screen_.KeyDown("Tab");
        std::this_thread::sleep_for(50ms);
        MovePointerAlong(screen_, StraightPath(from, {from.X + 120, from.Y + 80}, 6), false);
        chord.reset();
        std::this_thread::sleep_for(600ms);
        screen_.KeyUp("Tab");
    }
    EXPECT_TRUE(WaitUntil([&] { return Marks() == 2; }, 5s)) << "the dot of the first hold and the ellipse";

    // A stroke, and Alt+2 while the chord is still held.
    const std::vector<Point> stroke = StraightPath({from.X, from.Y + 120}, {from.X + 200, from.Y + 120}, 8);
    page_.RestPointerAt({stroke.front().X - 3, stroke.front().Y});
    {
        HeldKeys chord(screen_, kPaintChord);
        EXPECT_TRUE(MovePointerAlong(screen_, stroke, true));
        screen_.Tap("2");
        EXPECT_TRUE(WaitMarked(stroke, false))
            << "Alt+2 did not wipe during the hold: " << Marks() << " marks, " << KeyLog();
    }
    EXPECT_TRUE(WaitUntil([&] { return Marks() == 0; }, 5s));
    const std::string keys = KeyLog();
    EXPECT_EQ(Count(keys, "K09") + Count(keys, "C09"), 0) << "Tab reached the window in front: " << keys;
    EXPECT_EQ(Count(keys, "S32"), 0) << keys;
    EXPECT_EQ(Count(keys, "LOST"), 0) << keys;
    EXPECT_EQ(desktop_.Probe({"ask", "TfrmZelvora", "1028", "8"}).Output, "0\n") << "hooks installed again";
    ASSERT_TRUE(zelvora.Close());
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
        // A busy machine lays the last pieces after the hold.
        Image shown;
        std::string cut;
        WaitUntil(
            [&] {
                shown = screen_.GrabAll();
                cut.clear();
                for (const Point& turn : turns)
                    if (shown.At(turn.X, turn.Y) != kMarkerOrange)
                        cut += " " + std::to_string(turn.X) + "," + std::to_string(turn.Y);
                return cut.empty();
            },
            3s, 100ms);
        EXPECT_EQ(cut, "") << "turns the stroke does not pass through";
        if (!cut.empty()) WritePng(shown, desktop_.WorkDir() + "/zigzag.png");
        EXPECT_EQ(desktop_.Probe({"ask", "TfrmZelvora", "1028", "0"}).Output, "1\n") << "one mark";
        PressChord(screen_, {"Alt_L", "2"});
    }
}

TEST_F(DrawingKeys, WShowsAWhiteBoardUnderTheMarksAndTakingItAwayLeavesTheScreenAsBeforeOnBothSurfaces)
{
    const std::vector<Point> stroke = FirstLineStroke();
    // Pixels neither white nor near the stroke: what shows through the board. (On the screen, a
    // window that repaints beneath takes the board with it, as it takes marks: the taskbar does
    // when windows come and go.)
    bool keep = false;
    const auto throughBoard = [&](const Image& image) {
        int through = 0;
        for (int y = image.Top; y < image.Top + image.Height - (keep ? 0 : 30); ++y)
            for (int x = image.Left; x < image.Left + image.Width; ++x) {
                const bool nearStroke = x > stroke.front().X - 20 && x < stroke.back().X + 20 &&
                                        std::abs(y - stroke.front().Y) < 20;
                through += !nearStroke && image.At(x, y) != 0xFFFFFF;
            }
        return through;
    };
    const Point taskbar{5, WineDesktop::kHeight - 5};
    for (const bool keepMarks : {false, true}) {
        keep = keepMarks;
        SCOPED_TRACE(keep ? "keep marks" : "on the screen");
        desktop_.SetSetting("KeepMarks", keep ? 1 : 0);
        ZelvoraSession zelvora(desktop_);
        page_.RestPointerAt({stroke.front().X - 4, stroke.front().Y});
        std::this_thread::sleep_for(300ms);
        const Image before = screen_.GrabAll();
        ASSERT_GT(throughBoard(before), 5000) << "windows, text and taskbar";
        {
            HeldKeys chord(screen_, kPaintChord);
            ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
            screen_.Tap("w");
            EXPECT_TRUE(WaitUntil([&] { return Marked(taskbar, 0xFFFFFF); }, 5s)) << "no board";
            EXPECT_TRUE(MovePointerAlong(screen_, stroke, true)) << "no stroke on the board";
        }
        std::this_thread::sleep_for(300ms);
        const Image onBoard = screen_.GrabAll();
        WritePng(onBoard, desktop_.WorkDir() + (keep ? "/board-kept.png" : "/board-screen.png"));
        EXPECT_LT(throughBoard(onBoard), 30);
        EXPECT_EQ(Marks(), 2) << "the board and the stroke";
        const std::optional<Image> picture = SaveScreen();
        ASSERT_TRUE(picture);
        EXPECT_LT(throughBoard(*picture), 30) << "the board in the saved picture";
        EXPECT_EQ(picture->At(stroke[4].X, stroke[4].Y), kMarkerOrange) << "and the stroke on it";

        // W again: the board goes with the stroke drawn on it.
        {
            HeldKeys chord(screen_, kPaintChord);
            ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
            screen_.Tap("w");
            std::this_thread::sleep_for(100ms);
        }
        EXPECT_TRUE(WaitUntil([&] { return CountDifferences(before, screen_.GrabAll()) == 0; }, 5s))
            << CountDifferences(before, screen_.GrabAll()) << " pixels unlike before the board";
        EXPECT_EQ(Marks(), 0);

        // K, and undo with nothing drawn on the board takes it.
        {
            HeldKeys chord(screen_, kPaintChord);
            ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
            screen_.Tap("k");
            EXPECT_TRUE(
                WaitUntil([&] { return Marked(taskbar, 0x000000) && Marked(stroke[4], 0x000000); }, 5s))
                << "no black board";
        }
        Undo();
        EXPECT_TRUE(WaitUntil([&] { return CountDifferences(before, screen_.GrabAll()) == 0; }, 5s))
            << CountDifferences(before, screen_.GrabAll()) << " pixels unlike before the board";
    }
}

TEST_F(DrawingKeys,
       AStillSecondShowsTheHoldsKeysBesideThePointerUntilItMovesNeverInAPictureAndTheKeysWindowTurnsThemOff)
{
    constexpr char kCard[] = "TZelvoraKeyHints";
    ZelvoraSession zelvora(desktop_);
    const Point at = Centre();
    page_.RestPointerAt(at);
    const Image before = screen_.GrabAll();
    ASSERT_TRUE(SaveScreen()) << "a picture with nothing of ours showing";
    {
        HeldKeys chord(screen_, kPaintChord);
        ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount(kCard) == 1; }, 5s)) << "no card";
        const auto card = desktop_.WindowRect(kCard);
        ASSERT_TRUE(card);
        EXPECT_FALSE(at.X >= card->Left && at.X < card->Right && at.Y >= card->Top && at.Y < card->Bottom)
            << "under the pointer";
        EXPECT_TRUE(card->Left >= 0 && card->Top >= 0 && card->Right <= WineDesktop::kWidth &&
                    card->Bottom <= WineDesktop::kHeight);
        const auto changedOnCard = [&](const Image& image) {
            int changed = 0;
            for (int y = card->Top; y < card->Bottom; ++y)
                for (int x = card->Left; x < card->Right; ++x) changed += image.At(x, y) != before.At(x, y);
            return changed;
        };
        const Image shown = screen_.GrabAll();
        WritePng(shown, desktop_.WorkDir() + "/key-hints.png");
        EXPECT_GT(changedOnCard(shown), 1000) << "its frame and five lines of text on the screen";
        EXPECT_EQ(Marks(), 1) << "the dot where the pen rests; the card is no mark";
        const std::optional<Image> picture = SaveScreen(true);
        ASSERT_TRUE(picture);
        EXPECT_EQ(changedOnCard(*picture), 0) << "the card in the saved picture";
        EXPECT_TRUE(WaitUntil([&] { return desktop_.WindowCount(kCard) == 0; }, 2s)) << "a key ends it";
    }
    {
        HeldKeys chord(screen_, kPaintChord);
        ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount(kCard) == 1; }, 5s))
            << "not in the next hold";
        screen_.MovePointer(at.X + 30, at.Y + 5);
        EXPECT_TRUE(WaitUntil([&] { return desktop_.WindowCount(kCard) == 0; }, 2s))
            << "still there after a move";
    }
    Undo();

    // Off in the keys window: no card, and so it is stored.
    ChooseMenu(desktop_, 2, {3});  // Help > Keys while drawing...
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("TfrmDrawingKeys") == 1; }, 10s));
    std::this_thread::sleep_for(300ms);
    const CommandResult box = desktop_.Probe(
        {"rect", "TfrmDrawingKeys", "Button", "Show these keys beside the pointer after a second at rest"});
    ScreenRect r;
    std::istringstream in(box.Output);
    ASSERT_TRUE(in >> r.Left >> r.Top >> r.Right >> r.Bottom) << box.Output;
    screen_.Click(r.Left + 8, r.CentreY());
    std::this_thread::sleep_for(300ms);
    desktop_.Probe({"close", "TfrmDrawingKeys"});
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("TfrmDrawingKeys") == 0; }, 5s));
    page_.RestPointerAt(at);
    {
        HeldKeys chord(screen_, kPaintChord);
        std::this_thread::sleep_for(2s);
        EXPECT_EQ(desktop_.WindowCount(kCard), 0) << "shown though turned off";
    }
    Undo();
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings()["ShowKeyHints"], Dword(0));
}

TEST_F(DrawingKeys, AStrokeTheCardCoveredIsDrawnAgainOnTheScreenPixelForPixelAsItWas)
{
    constexpr char kCard[] = "TZelvoraKeyHints";
    desktop_.SetSetting("KeepMarks", 0);
    ZelvoraSession zelvora(desktop_);
    const Point at = Centre();
    const auto showCard = [&] {
        page_.RestPointerAt(at);
        HeldKeys chord(screen_, kPaintChord);
        EXPECT_TRUE(WaitUntil([&] { return desktop_.WindowCount(kCard) == 1; }, 5s)) << "no card";
        return desktop_.WindowRect(kCard);
    };
    const auto card = showCard();
    ASSERT_TRUE(card);
    Undo();  // the dot where the pen rested
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount(kCard) == 0 && Marks() == 0; }, 5s));

    // A smooth stroke corner to corner through where the card shows.
    const Point from{card->Left + 12, card->Top + 8}, to{card->Right - 12, card->Bottom - 8};
    page_.RestPointerAt(from);
    {
        HeldKeys chord(screen_, kPaintChord);
        ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
        MovePointerAlong(screen_, StraightPath(from, to, 24), false);
        std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(WaitMarked({from, to}));
    std::this_thread::sleep_for(500ms);  // the stroke's redraws are over
    const auto grab = [&] { return screen_.Grab(card->Left, card->Top, card->Width(), card->Height()); };
    const Image drawn = grab();

    showCard();
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount(kCard) == 0; }, 5s));
    std::this_thread::sleep_for(800ms);  // the windows beneath repaint and the stroke is drawn again
    const Image again = grab();
    int changed = 0;
    for (int y = card->Top; y < card->Bottom; ++y)
        for (int x = card->Left; x < card->Right; ++x) {
            const int dx = x - at.X, dy = y - at.Y;
            if (dx * dx + dy * dy > 12 * 12) changed += again.At(x, y) != drawn.At(x, y);  // not the dot
        }
    EXPECT_EQ(changed, 0) << "pixels of the stroke unlike before the card";
    ASSERT_TRUE(zelvora.Close());
}

}  // namespace
}  // namespace zelvora::desktop
