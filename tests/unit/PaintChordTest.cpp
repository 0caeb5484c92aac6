#include "engine/PaintChord.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace zelvora {
namespace {

struct Keyboard {
    explicit Keyboard(std::set<int> downKeys, std::set<int> tappedKeys = {})
        : down(std::move(downKeys)), pressedSinceLastQuery(std::move(tappedKeys))
    {
    }
    std::set<int> down;
    std::set<int> pressedSinceLastQuery;  // down a moment ago, up again now
    std::vector<int> queried;
};

short Query(int vk, void* context)
{
    auto& keys = *static_cast<Keyboard*>(context);
    keys.queried.push_back(vk);
    if (keys.down.count(vk)) return static_cast<short>(0x8000);
    if (keys.pressedSinceLastQuery.erase(vk)) return 1;
    return 0;
}

bool Held(TShortCut shortcut, Keyboard& keys)
{
    return IsChordHeld(shortcut, Query, &keys);
}

TEST(PaintChord, HeldWithExactlyTheShortcutsModifiers)
{
    Keyboard keys({vkMenu, '1'});
    EXPECT_TRUE(Held(0x8031, keys));
    Keyboard shiftCtrlF1({vkShift, vkControl, 0x70});
    EXPECT_TRUE(Held(0x6070, shiftCtrlF1));
    Keyboard plainKey({'A'});
    EXPECT_TRUE(Held(0x0041, plainKey));
}

TEST(PaintChord, AnExtraModifierBreaksTheChord)
{
    Keyboard ctrlAlt1({vkControl, vkMenu, '1'});
    EXPECT_FALSE(Held(0x8031, ctrlAlt1));
    Keyboard shiftAlt1({vkShift, vkMenu, '1'});
    EXPECT_FALSE(Held(0x8031, shiftAlt1));
}

TEST(PaintChord, AMissingModifierOrKeyBreaksTheChord)
{
    Keyboard only1({'1'});
    EXPECT_FALSE(Held(0x8031, only1));
    Keyboard onlyAlt({vkMenu});
    EXPECT_FALSE(Held(0x8031, onlyAlt));
    Keyboard otherKey({vkMenu, '2'});
    EXPECT_FALSE(Held(0x8031, otherKey));
}

TEST(PaintChord, KeyCodeZeroIsNeverHeld)
{
    Keyboard everything({vkShift, vkControl, vkMenu, 0});
    EXPECT_FALSE(Held(0x8000, everything));
    EXPECT_FALSE(Held(0xE000, everything));
    EXPECT_FALSE(Held(0x0000, everything));
}

TEST(PaintChord, APressSinceTheLastQueryCountsAsDown)
{
    Keyboard quickTap({vkMenu}, {'1'});
    EXPECT_TRUE(Held(0x8031, quickTap));
    EXPECT_FALSE(Held(0x8031, quickTap));  // the tap was consumed by the first tick
}

TEST(PaintChord, QueriesCtrlAltShiftThenTheKey)
{
    Keyboard keys({vkMenu, '1'});
    Held(0x8031, keys);
    EXPECT_EQ(keys.queried, (std::vector<int>{vkControl, vkMenu, vkShift, '1'}));
}

}  // namespace
}  // namespace zelvora
