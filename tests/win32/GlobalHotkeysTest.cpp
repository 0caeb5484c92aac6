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

TEST(GlobalHotkeys, AtomsAreStableAcrossCallers)
{
    const ATOM wipe = AddHotkeyAtom(kWipeHotkeyAtomName);
    const ATOM mode = AddHotkeyAtom(kModeHotkeyAtomName);
    EXPECT_NE(wipe, 0);
    EXPECT_NE(wipe, mode);
    EXPECT_EQ(AddHotkeyAtom(kWipeHotkeyAtomName), wipe);
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

TEST(GlobalHotkeys, UnregisteringWhatIsNotRegisteredIsHarmless)
{
    UniqueWindow owner = MakeWindow();
    UnregisterShortcutHotkey(owner.get(), 0xC004);
    EXPECT_TRUE(RegisterShortcutHotkey(owner.get(), 0xC004, kRareShortcut));
    UnregisterShortcutHotkey(owner.get(), 0xC004);
}

}  // namespace
}  // namespace zelvora
