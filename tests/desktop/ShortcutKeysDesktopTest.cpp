// Every key where the person meant it, on a real (Wine) desktop with another program in front:
// the text field takes every character, no key of a shortcut or typed right after the paint
// chord reaches the program, the modifiers' release arms no menu bar, a held shortcut acts once,
// and the pause shortcut lets every key through until it is pressed again.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <thread>

#include "InkDesktopFixture.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;

constexpr char kShortcutKeysFolder[] = "shortcut-keys";
constexpr int kHoldingCounter = 11, kLastTextHashCounter = 12, kPausedCounter = 13;

class ShortcutKeys : public InkDesktop<kShortcutKeysFolder> {
protected:
    // Types the text as a person does on a US keyboard, Shift for capitals and "!".
    void TypeLikeAPerson(const std::string& text)
    {
        for (const char c : text) {
            const bool shift = std::isupper(static_cast<unsigned char>(c)) || c == '!';
            std::string name(1, static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
            if (c == '!') name = "1";
            if (c == ' ') name = "space";
            if (c == ',') name = "comma";
            if (shift) screen_.KeyDown("Shift_L");
            screen_.Tap(name.c_str());
            if (shift) screen_.KeyUp("Shift_L");
        }
    }
    static long Fnv1a(const std::string& ascii)
    {
        std::uint32_t hash = 2166136261u;
        for (const char c : ascii) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        return static_cast<long>(hash);
    }
    int OrangeIn(const ScreenRect& area)
    {
        const Image now = screen_.GrabAll();
        int orange = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x) orange += now.At(x, y) == kMarkerOrange;
        return orange;
    }
    // The key log in front and taking keys: a Shift pressed reaches it (and means nothing to the
    // counts below). A window just made foreground may get the keyboard a moment later.
    ChildProcess OpenKeyLogTakingKeys()
    {
        ChildProcess log = OpenKeyLog();
        EXPECT_TRUE(WaitUntil(
            [&] {
                screen_.Tap("Shift_L");
                return Count(KeyLog(), "K10") > 0;
            },
            10s, 300ms))
            << "the key log takes no keys";
        return log;
    }
    std::string NotepadText() { return desktop_.Probe({"texts", "Notepad"}).Output; }
    bool Paused() { return Counter(kPausedCounter) == 1; }
    // Four short strokes in a column over the page: four marks.
    void DrawFourMarks()
    {
        for (int i = 0; i < 4; ++i) {
            const int y = edit_.Top + 60 + 30 * i;
            ASSERT_TRUE(Draw(StraightPath({edit_.Left + 300, y}, {edit_.Left + 380, y}, 4)));
            ASSERT_TRUE(WaitForHold(desktop_, false));
        }
        ASSERT_TRUE(WaitUntil([&] { return Marks() == 4; }, 5s)) << Marks();
    }
    // Alt+4 held long enough for the keyboard to repeat it many times.
    long MarksAfterAHeldUndo(long before)
    {
        {
            HeldKeys undo(screen_, kUndoChord);
            std::this_thread::sleep_for(1500ms);
        }
        WaitUntil([&] { return Marks() < before; }, 5s);
        return ReadSteady([&] { return Marks(); }, 3s, 300ms);
    }
};

TEST_F(ShortcutKeys, ATextWithDigitsTheChordsKeyAndShiftCharactersLandsWholeAndNothingReachesTheProgram)
{
    ZelvoraSession zelvora(desktop_);
    ChildProcess log = OpenKeyLogTakingKeys();
    const Point at{logArea_.Left + 20, logArea_.Top + 60};
    page_.RestPointerAt(at);
    {
        HeldKeys chord(screen_, kPaintChord);
        ASSERT_TRUE(WaitForHold(desktop_)) << "the hold did not begin";
        screen_.Tap("t");
    }
    ASSERT_TRUE(WaitForHold(desktop_, false));
    // The field's caret shows where the letters will go.
    ASSERT_TRUE(WaitUntil(
        [&] {
            return OrangeIn({at.X, at.Y, at.X + 80, at.Y + 40}) > 30;
        },
        5s))
        << "no field";
    // Typed with a slip mended as people mend them: Backspace, Home, the arrows, Delete.
    TypeLikeAPerson("tep 1 and 3");
    screen_.Tap("BackSpace");
    TypeLikeAPerson("2, 16 percentx!");
    screen_.Tap("Left");
    screen_.Tap("BackSpace");
    screen_.Tap("Home");
    TypeLikeAPerson("S");
    screen_.Tap("End");
    screen_.Tap("Return");
    EXPECT_TRUE(
        WaitUntil([&] { return Counter(kLastTextHashCounter) == Fnv1a("Step 1 and 2, 16 percent!"); }, 5s))
        << "the kept text is not \"Step 1 and 2, 16 percent!\"";
    EXPECT_EQ(Marks(), 1);
    // Shift alone reaches it (the system keeps the modifiers' state), no key that makes text.
    const std::string keys = KeyLog();
    EXPECT_EQ(Count(keys, "K") - Count(keys, "K10") + Count(keys, "C") + Count(keys, "S31"), 0)
        << "keys reached the program: " << keys;
    ASSERT_TRUE(zelvora.Close());
}

// The paint chord is the hook's from its press: a key 5 ms after it goes nowhere, and after
// the chord Alt's release arms no menu: the next letter is a letter.
TEST_F(ShortcutKeys, AKeyFiveMillisecondsAfterTheChordGoesNowhereAndTheNextLetterIsALetter)
{
    ZelvoraSession zelvora(desktop_);
    ChildProcess log = OpenKeyLogTakingKeys();
    page_.RestPointerAt({logArea_.Left + 40, logArea_.Top + 40});
    for (int round = 0; round < 5; ++round) {
        screen_.KeyDown("Alt_L");
        screen_.KeyDown("1");
        std::this_thread::sleep_for(5ms);
        screen_.Tap("s");
        screen_.KeyUp("1");
        screen_.KeyUp("Alt_L");
        ASSERT_TRUE(WaitForHold(desktop_, false));
        screen_.Tap("x");
    }
    EXPECT_TRUE(WaitUntil([&] { return Count(KeyLog(), "K58") == 5; }, 5s))
        << "x did not arrive as x: " << KeyLog();
    const std::string keys = KeyLog();
    EXPECT_EQ(Count(keys, "S53") + Count(keys, "K53") + Count(keys, "S31"), 0) << keys;
    EXPECT_EQ(Count(keys, "S58"), 0) << "a menu was armed: " << keys;
    ASSERT_TRUE(zelvora.Close());
}

TEST_F(ShortcutKeys, LettersTypedAfterAlt2AndAfterALaserStrokeLandInNotepad)
{
    ZelvoraSession zelvora(desktop_);
    screen_.Click(edit_.Left + 40, edit_.Top + 120);
    ASSERT_TRUE(WaitUntil([&] { return Front() == "Notepad"; }, 5s));
    PressChord(screen_, {"Alt_L", "2"});
    TypeLikeAPerson("abc");
    {
        HeldKeys laser(screen_, {"Alt_L", "6"});
        MovePointerAlong(
            screen_,
            StraightPath({edit_.Left + 200, edit_.Top + 200}, {edit_.Left + 400, edit_.Top + 220}, 8), false);
        std::this_thread::sleep_for(100ms);
    }
    TypeLikeAPerson("def");
    EXPECT_TRUE(WaitUntil([&] { return NotepadText().find("abcdef") != std::string::npos; }, 5s))
        << "Notepad has: " << NotepadText();
    ASSERT_TRUE(zelvora.Close());
    RestoreText();
}

TEST_F(ShortcutKeys, AHeldAlt4TakesOneMarkEachTimeWithNotepadAndWithZelvorasWindowInFront)
{
    ZelvoraSession zelvora(desktop_);
    DrawFourMarks();
    EXPECT_EQ(MarksAfterAHeldUndo(4), 3) << "with Notepad in front";
    desktop_.Probe({"front", "TfrmZelvora"});
    ASSERT_TRUE(WaitUntil([&] { return Front() == "TfrmZelvora"; }, 5s)) << Front();
    EXPECT_EQ(MarksAfterAHeldUndo(3), 2) << "with Zelvora's window in front";
    ASSERT_TRUE(zelvora.Close());
}

TEST_F(ShortcutKeys, ThePauseShortcutStopsDrawingLetsAlt1ThroughAndASecondPressBringsItBack)
{
    ZelvoraSession zelvora(desktop_);
    ChildProcess log = OpenKeyLogTakingKeys();
    PressChord(screen_, {"Alt_L", "0"});
    ASSERT_TRUE(WaitUntil([&] { return Paused(); }, 5s)) << "Alt+0 did not pause";
    const std::vector<Point> stroke =
        StraightPath({logArea_.Left + 40, logArea_.Top + 60}, {logArea_.Left + 240, logArea_.Top + 60}, 6);
    page_.RestPointerAt(stroke.front());
    {
        HeldKeys chord(screen_, kPaintChord);
        MovePointerAlong(screen_, stroke, false);
        std::this_thread::sleep_for(300ms);
        EXPECT_EQ(Counter(kHoldingCounter), 0) << "a hold began while paused";
    }
    EXPECT_TRUE(WaitUntil([&] { return Count(KeyLog(), "S31") >= 1; }, 5s))
        << "Alt+1 did not reach: " << KeyLog();
    PressChord(screen_, {"Alt_L", "2"});
    EXPECT_TRUE(WaitUntil([&] { return Count(KeyLog(), "S32") == 1; }, 5s))
        << "Alt+2 did not reach: " << KeyLog();
    EXPECT_EQ(Marks(), 0);
    EXPECT_EQ(Orange(stroke), 0);

    PressChord(screen_, {"Alt_L", "0"});
    ASSERT_TRUE(WaitUntil([&] { return !Paused(); }, 5s)) << "a second Alt+0 did not resume";
    page_.RestPointerAt({stroke.front().X - 4, stroke.front().Y});
    {
        HeldKeys chord(screen_, kPaintChord);
        MovePointerAlong(screen_, {{stroke.front().X - 2, stroke.front().Y}}, false);
        EXPECT_TRUE(MovePointerAlong(screen_, stroke, true)) << "Alt+1 does not draw after the pause";
    }
    EXPECT_EQ(Count(KeyLog(), "S30"), 0) << "the pause shortcut reached the program: " << KeyLog();
    ASSERT_TRUE(zelvora.Close());
}

// Right after the editor's OK the old shortcut's keys are the programs' again.
TEST_F(ShortcutKeys, AnOldShortcutReachesTheProgramRightAfterTheEditorsOk)
{
    ZelvoraSession zelvora(desktop_);
    ChooseMenu(desktop_, 1, {8});
    ASSERT_TRUE(WaitUntil([&] { return Front() == "TfrmEditHotkey"; }, 10s)) << Front();
    const CommandResult field = desktop_.Probe({"top-child", "TfrmEditHotkey", "msctls_hotkey32"});
    ScreenRect first;
    std::istringstream in(field.Output);
    ASSERT_TRUE(in >> first.Left >> first.Top >> first.Right >> first.Bottom) << field.Output;
    screen_.Click(first.CentreX(), first.CentreY());
    std::this_thread::sleep_for(200ms);
    for (const char* key : {"Tab", "w", "Return"}) screen_.Tap(key);  // wipe: Alt+W
    ASSERT_TRUE(WaitUntil([&] { return Front() != "TfrmEditHotkey"; }, 5s));
    ChildProcess log = OpenKeyLogTakingKeys();
    PressChord(screen_, {"Alt_L", "2"});
    EXPECT_TRUE(WaitUntil([&] { return Count(KeyLog(), "S32") == 1; }, 5s))
        << "Alt+2 is still taken: " << KeyLog();
    PressChord(screen_, {"Alt_L", "w"});
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(Count(KeyLog(), "S57"), 0) << "the new shortcut reached the program: " << KeyLog();
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings().at("DeleteHotkey"), Dword(0x8057));
}

}  // namespace
}  // namespace zelvora::desktop
