#include "toolkit/win32/KeyNames.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(SystemKeyNames, FixedCaptionsWinOverTheSystemsNames)
{
    EXPECT_EQ(ShortCutToText(0x8031), "Alt+1");
    EXPECT_EQ(ShortCutToText(0x6070), "Umsch+Strg+F1");
    EXPECT_EQ(ShortCutToText(0x2020), "Umsch+Leerzeichen");
}

TEST(SystemKeyNames, OtherKeysGetTheKeyboardDriversName)
{
    const std::string name = SystemKeyName(VK_MULTIPLY);
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(ShortCutToText(0x4000 | VK_MULTIPLY), "Strg+" + name);
}

TEST(SystemKeyNames, KeysWithoutAScanCodeHaveNoText)
{
    EXPECT_EQ(SystemKeyName(VK_LBUTTON), "");
    EXPECT_EQ(ShortCutToText(0x8000 | VK_LBUTTON), "");
    EXPECT_EQ(ShortCutToText(0), "");
}

}  // namespace
}  // namespace zelvora
