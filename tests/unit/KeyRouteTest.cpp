// Where each key goes from the program-long keyboard hook: shortcuts taken at their own press,
// once however long held; the hold from the chord's press on; the text field's keys; pause.
#include "engine/KeyRoute.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

constexpr int kLeftAlt = 0xA4, kLeftShift = 0xA0, kLeftCtrl = 0xA2, kRightAlt = 0xA5, kEscape = 0x1B;
constexpr auto kPass = TKeyVerdict::Pass, kSwallow = TKeyVerdict::Swallow, kType = TKeyVerdict::Type,
               kEdit = TKeyVerdict::Edit;
constexpr std::size_t kWipe = IndexOf(TShortcutCommand::Wipe), kUndo = IndexOf(TShortcutCommand::Undo),
                      kPause = IndexOf(TShortcutCommand::Pause);

// A keyboard as the hook sees it: the modifiers each key finds down are those pressed before it.
class Keyboard {
public:
    explicit Keyboard(TKeyRoute& route) : route_(route) {}
    TRouted Down(int key, bool injected = false)
    {
        TKeyEvent event{key, true, injected, modifiers_, windows_};
        const TRouted routed = route_.Key(event);
        Track(key, true);
        return routed;
    }
    TKeyVerdict Press(int key)
    {
        const TKeyVerdict verdict = Down(key).Verdict;
        Up(key);
        return verdict;
    }
    TKeyVerdict Up(int key)
    {
        Track(key, false);
        return route_.Key({key, false, false, modifiers_, windows_}).Verdict;
    }

private:
    void Track(int key, bool down)
    {
        const auto set = [&](TShiftState::Flag flag) {
            TShiftState changed;
            for (const auto f : {TShiftState::ssShift, TShiftState::ssAlt, TShiftState::ssCtrl})
                if (f == flag ? down : modifiers_.Has(f)) changed.Add(f);
            modifiers_ = changed;
        };
        if (key == kLeftAlt || key == kRightAlt) set(TShiftState::ssAlt);
        if (key == kLeftShift) set(TShiftState::ssShift);
        if (key == kLeftCtrl) set(TShiftState::ssCtrl);
        if (key == 0x5B) windows_ = down;
    }

    TKeyRoute& route_;
    TShiftState modifiers_;
    bool windows_ = false;
};

TEST(KeyRoute, ThePaintChordHoldsFromItsOwnPressAndNoKeyAfterItOrItselfReachesTheProgram)
{
    TKeyRoute route;
    Keyboard keys(route);
    EXPECT_TRUE(route.Watches('1'));
    EXPECT_FALSE(route.Watches('S')) << "idle, a key that makes no shortcut is not looked at";
    EXPECT_FALSE(route.Active());
    EXPECT_EQ(keys.Down(kLeftAlt).Verdict, kPass);
    const TRouted chord = keys.Down('1');
    EXPECT_EQ(chord.Verdict, kSwallow) << "the chord's own press reached the program";
    EXPECT_TRUE(chord.MaskModifiers) << "Alt's release would arm the menu bar";
    EXPECT_TRUE(route.Holding());
    EXPECT_TRUE(route.Active());
    EXPECT_TRUE(route.WantsPointer());
    // The very next key, however soon, is the hold's.
    const TRouted next = keys.Down('S');
    EXPECT_EQ(next.Verdict, kSwallow);
    keys.Up('S');
    const TRouted repeat = keys.Down('1');
    EXPECT_EQ(repeat.Verdict, kSwallow) << "the chord's repeat";
    EXPECT_FALSE(repeat.MaskModifiers) << "masked once a press";
    EXPECT_TRUE(route.TakeHeld());
    EXPECT_EQ(keys.Up(kLeftAlt), kPass) << "releases pass";
    EXPECT_FALSE(route.Holding());
    EXPECT_FALSE(route.TakeHeld());
    keys.Up('1');
    EXPECT_FALSE(route.Active());

    // A quick tap between two ticks of the loop is still seen once.
    keys.Down(kLeftAlt);
    keys.Press('1');
    keys.Up(kLeftAlt);
    EXPECT_TRUE(route.TakeHeld());
    EXPECT_FALSE(route.TakeHeld());
    // Without its modifier, or with another one, the key is the program's.
    EXPECT_EQ(keys.Press('1'), kPass);
    keys.Down(kLeftCtrl);
    keys.Down(kLeftAlt);
    EXPECT_EQ(keys.Press('1'), kPass) << "Ctrl+Alt+1 (AltGr+1) is not Alt+1";
    EXPECT_FALSE(route.TakeHeld());
}

TEST(KeyRoute, AHeldShortcutActsOncePerPressFromItsOwnDownAndUp)
{
    TKeyRoute route;
    Keyboard keys(route);
    keys.Down(kLeftAlt);
    for (int press = 0; press < 3; ++press) {
        EXPECT_TRUE(keys.Down('4').MaskModifiers);
        for (int repeat = 0; repeat < 20; ++repeat) EXPECT_EQ(keys.Down('4').Verdict, kSwallow);
        keys.Up('4');
    }
    EXPECT_EQ(route.TakeCommands(), (std::vector<std::size_t>{kUndo, kUndo, kUndo}));
    // Alt goes up first: the 4's repeats are still the press's, not the program's.
    keys.Down('2');
    keys.Up(kLeftAlt);
    EXPECT_EQ(keys.Down('2').Verdict, kSwallow);
    EXPECT_EQ(route.TakeCommands(), (std::vector<std::size_t>{kWipe}));
    // The 2's release went elsewhere (the secure desktop): once no modifier is down, the next
    // press acts again.
    EXPECT_TRUE(route.WouldEndWith({}));
    route.FollowModifiers({});
    EXPECT_FALSE(route.Active());
    keys.Down(kLeftAlt);
    keys.Down('2');
    EXPECT_EQ(route.TakeCommands(), (std::vector<std::size_t>{kWipe}));

    // Changed shortcuts free the old keys at once.
    TShortcuts changed = DefaultShortcuts();
    changed[kWipe] = 0x8038;  // Alt+8
    route.SetShortcuts(changed);
    route.ForgetKeys();
    EXPECT_FALSE(route.Watches('2'));
    EXPECT_EQ(keys.Down('2').Verdict, kPass);
    keys.Up('2');
    EXPECT_EQ(keys.Down('8').Verdict, kSwallow);
    EXPECT_EQ(route.TakeCommands(), (std::vector<std::size_t>{kWipe}));
}

TEST(KeyRoute, PausedOrWhileTheEditorReadsKeysTheyPassAndOnlyThePauseShortcutActs)
{
    TKeyRoute route;
    Keyboard keys(route);
    keys.Down(kLeftAlt);
    keys.Down('1');
    route.SetPaused(true);
    EXPECT_FALSE(route.Holding()) << "pausing ends the hold";
    keys.Up('1');
    for (const int key : {'1', '2', '6', '7'}) {
        EXPECT_FALSE(route.Watches(key));
        EXPECT_EQ(keys.Down(key).Verdict, kPass) << key;
        keys.Up(key);
    }
    EXPECT_FALSE(route.TakeHeld());
    EXPECT_FALSE(route.LaserHeld());
    EXPECT_TRUE(route.TakeCommands().empty());
    route.SetSpotlight(true);
    EXPECT_EQ(keys.Press(kEscape), kPass);
    EXPECT_EQ(keys.Down('0').Verdict, kSwallow);
    keys.Up('0');
    EXPECT_EQ(route.TakeCommands(), (std::vector<std::size_t>{kPause}));
    route.SetPaused(false);
    EXPECT_EQ(keys.Down('1').Verdict, kSwallow);
    EXPECT_TRUE(route.Holding());
    keys.Up('1');

    route.SetEnabled(false);
    for (const int key : {'0', '1', '2'}) EXPECT_EQ(keys.Press(key), kPass) << "the editor reads " << key;
    EXPECT_TRUE(route.TakeCommands().empty());
    EXPECT_FALSE(route.Holding());
}

TEST(KeyRoute, TheFieldTakesEveryCharacterItsEditingKeysAndLetsMediaKeysAndWindowsCombinationsPass)
{
    TKeyRoute route;
    Keyboard keys(route);
    route.Keys().SetTyping(true, false);
    EXPECT_TRUE(route.Active());
    EXPECT_TRUE(route.WantsPointer()) << "a click outside closes the field";
    // "Step 1 and 2, 16 percent!": the paint chord's own key, with and without Shift.
    EXPECT_EQ(keys.Press('1'), kType);
    keys.Down(kLeftShift);
    EXPECT_EQ(keys.Press('1'), kType);
    keys.Up(kLeftShift);
    EXPECT_EQ(keys.Press(0xBC), kType);  // comma
    EXPECT_EQ(keys.Press(0x61), kType);  // the keypad's 1
    // AltGr characters and the key a German keyboard has between Shift and Y.
    keys.Down(kLeftCtrl);
    keys.Down(kRightAlt);
    EXPECT_EQ(keys.Press('Q'), kType);
    keys.Up(kRightAlt);
    keys.Up(kLeftCtrl);
    EXPECT_EQ(keys.Press(0xE2), kType);
    for (const int key : {0x25, 0x27, 0x24, 0x23, 0x2E, 0x08, 0x0D, 0x1B})
        EXPECT_EQ(keys.Press(key), kEdit) << key;
    keys.Down(kLeftCtrl);
    EXPECT_EQ(keys.Press('V'), kEdit) << "paste";
    EXPECT_EQ(keys.Press(0x08), kEdit) << "a word back";
    EXPECT_TRUE(route.Keys().CtrlDown());
    EXPECT_EQ(keys.Press('A'), kSwallow) << "Ctrl with a letter makes no text";
    keys.Up(kLeftCtrl);
    for (const int key : {0xAD, 0xAF, 0xB3, 0xA6, 0x2C})  // mute, volume up, play, browser back, Print
        EXPECT_EQ(keys.Press(key), kPass) << key;
    for (const int key : {0x74, 0x09, 0x21, 0x26, 0x2D})  // F5, Tab, Page Up, Up, Insert
        EXPECT_EQ(keys.Press(key), kSwallow) << key;
    keys.Down(0x5B);
    EXPECT_EQ(keys.Press('D'), kPass) << "Win+D";
    keys.Up(0x5B);
    // Caps Lock followed from its presses, its repeats not.
    EXPECT_EQ(keys.Down(0x14).Verdict, kPass);
    keys.Down(0x14);
    keys.Up(0x14);
    EXPECT_TRUE(route.Keys().CapsLock());
    keys.Press(0x14);
    EXPECT_FALSE(route.Keys().CapsLock());
    // Zelvora's own mask key comes back injected and goes on to the system.
    EXPECT_EQ(keys.Down(TKeyRoute::kMaskKey, true).Verdict, kPass);
    // Alt+1 is still the chord: a new hold, the field's text kept by the engine.
    keys.Down(kLeftAlt);
    EXPECT_EQ(keys.Down('1').Verdict, kSwallow);
    EXPECT_TRUE(route.Holding());
}

TEST(KeyRoute, TheLaserAndTheSpotlightsEscAreTakenWholeAndEndWhenTheirKeysGoEvenUnseen)
{
    TKeyRoute route;
    Keyboard keys(route);
    keys.Down(kLeftAlt);
    EXPECT_TRUE(keys.Down('6').MaskModifiers);
    EXPECT_TRUE(route.LaserHeld());
    EXPECT_EQ(keys.Down('6').Verdict, kSwallow);
    EXPECT_TRUE(route.TakeCommands().empty()) << "the laser is held, not pressed";
    keys.Up(kLeftAlt);
    EXPECT_FALSE(route.LaserHeld());
    keys.Up('6');

    keys.Down(kLeftAlt);
    keys.Down('6');
    keys.Down('1');
    EXPECT_TRUE(route.Holding());
    route.ForgetKeys();  // the session was locked with both held
    EXPECT_FALSE(route.Holding());
    EXPECT_FALSE(route.LaserHeld());
    EXPECT_FALSE(route.Active());

    EXPECT_EQ(keys.Press(kEscape), kPass) << "Esc is the program's while no spotlight shows";
    route.SetSpotlight(true);
    EXPECT_EQ(keys.Down(kEscape).Verdict, kSwallow);
    EXPECT_TRUE(route.TakeEscape());
    EXPECT_FALSE(route.TakeEscape());
    route.SetSpotlight(false);
    EXPECT_EQ(keys.Up(kEscape), kSwallow) << "its release follows its press";
}

}  // namespace
}  // namespace zelvora
