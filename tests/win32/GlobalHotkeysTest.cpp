#include "engine/win32/GlobalHotkeys.h"

#include <gtest/gtest.h>

#include "toolkit/win32/Handles.h"

namespace zelvora {
namespace {

UniqueWindow MakeWindow()
{
    return UniqueWindow(
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
}

// Ctrl+Shift+Alt+F11: nothing else on a test desktop holds it.
constexpr TShortCut kRareShortcut = 0xE07A;

TEST(GlobalHotkeys, AShortcutTakesExactlyItsKeyAndModifiers)
{
    UniqueWindow ours = MakeWindow();
    UniqueWindow probe = MakeWindow();
    struct Case {
        TShortCut Shortcut;
        UINT Modifiers, Key;
    };
    // Shift 0x2000, Ctrl 0x4000, Alt 0x8000 in the shortcut; the system's MOD_ bits differ.
    for (const Case& c :
         {Case{0xE07A, MOD_SHIFT | MOD_CONTROL | MOD_ALT, VK_F11}, Case{0xA07B, MOD_SHIFT | MOD_ALT, VK_F12},
          Case{0x6079, MOD_SHIFT | MOD_CONTROL, VK_F10}}) {
        SCOPED_TRACE(c.Shortcut);
        ASSERT_TRUE(RegisterShortcutHotkey(ours.get(), 0xC010, c.Shortcut));
        // The system now holds that very combination for us, and no other.
        EXPECT_FALSE(RegisterHotKey(probe.get(), 0xC011, c.Modifiers, c.Key));
        EXPECT_TRUE(RegisterHotKey(probe.get(), 0xC012, c.Modifiers ^ MOD_SHIFT, c.Key));
        UnregisterHotKey(probe.get(), 0xC012);
        UnregisterShortcutHotkey(ours.get(), 0xC010);
        EXPECT_TRUE(RegisterHotKey(probe.get(), 0xC011, c.Modifiers, c.Key)) << "given back";
        UnregisterHotKey(probe.get(), 0xC011);
    }
}

TEST(GlobalHotkeys, ASecondOwnerOfTheSameCombinationIsRefused)
{
    UniqueWindow first = MakeWindow();
    UniqueWindow second = MakeWindow();
    ASSERT_TRUE(RegisterShortcutHotkey(first.get(), 0xC001, kRareShortcut));
    EXPECT_FALSE(RegisterShortcutHotkey(second.get(), 0xC001, kRareShortcut));
    EXPECT_FALSE(RegisterShortcutHotkey(second.get(), 0xC002, kRareShortcut));

    UnregisterShortcutHotkey(first.get(), 0xC001);
    EXPECT_TRUE(RegisterShortcutHotkey(second.get(), 0xC001, kRareShortcut));
    UnregisterShortcutHotkey(second.get(), 0xC001);
}

TEST(GlobalHotkeys, ReRegisteringAnIdReplacesItsCombination)
{
    UniqueWindow owner = MakeWindow();
    UniqueWindow other = MakeWindow();
    ASSERT_TRUE(RegisterShortcutHotkey(owner.get(), 0xC003, kRareShortcut));
    ASSERT_TRUE(RegisterShortcutHotkey(owner.get(), 0xC003, kRareShortcut - 1));
    // The first combination is free again.
    EXPECT_TRUE(RegisterShortcutHotkey(other.get(), 0xC003, kRareShortcut));
    UnregisterShortcutHotkey(owner.get(), 0xC003);
    UnregisterShortcutHotkey(other.get(), 0xC003);
}

}  // namespace
}  // namespace zelvora
