// One action per press: a held hotkey that the system repeats acts once, until its key is seen up.
#include "engine/HotkeyPresses.h"

#include <gtest/gtest.h>

#include <set>

namespace zelvora {
namespace {

TEST(HotkeyPresses, ARepeatBeforeTheKeyIsSeenUpIsNoNewPress)
{
    THotkeyPresses presses;
    std::set<int> down{4, 5};
    const auto keyDown = [&](int id) { return down.count(id) != 0; };
    EXPECT_TRUE(presses.Press(5));
    EXPECT_TRUE(presses.Press(4)) << "another hotkey is a press of its own";
    presses.Watch(keyDown);
    EXPECT_FALSE(presses.Press(5)) << "held: the keyboard's repeat";
    EXPECT_FALSE(presses.Press(4));
    down.erase(5);
    presses.Watch(keyDown);
    EXPECT_TRUE(presses.Waiting()) << "Alt+4 is still held";
    EXPECT_TRUE(presses.Press(5)) << "released and pressed again";
    EXPECT_FALSE(presses.Press(4));
    down.clear();
    presses.Watch(keyDown);
    EXPECT_FALSE(presses.Waiting());
}

}  // namespace
}  // namespace zelvora
