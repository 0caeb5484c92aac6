#include "base/ShortCut.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>

#include <vector>

namespace zelvora {
namespace {

using S = TShiftState;

TEST(ShortCutToKey, SplitsKeyAndModifiers)
{
    EXPECT_EQ(ShortCutToKey(0x8031), (TKeyAndShift{0x31, S(S::ssAlt)}));
    EXPECT_EQ(ShortCutToKey(0x6070), (TKeyAndShift{0x70, S(S::ssShift | S::ssCtrl)}));
    EXPECT_EQ(ShortCutToKey(0xE041), (TKeyAndShift{0x41, S(S::ssShift | S::ssCtrl | S::ssAlt)}));
    EXPECT_EQ(ShortCutToKey(0), (TKeyAndShift{0, S()}));
}

TEST(ShortCutToKey, BitsAboveTheKeyByteStayWithTheKey)
{
    EXPECT_EQ(ShortCutToKey(0x9F31), (TKeyAndShift{0x1F31, S(S::ssAlt)}));
}

TEST(ShortCutToKey, ModifierSetUsesTheProgramsBitLayout)
{
    EXPECT_EQ(ShortCutToKey(scShift).Shift.Bits(), 0b001);
    EXPECT_EQ(ShortCutToKey(scAlt).Shift.Bits(), 0b010);
    EXPECT_EQ(ShortCutToKey(scCtrl).Shift.Bits(), 0b100);
}

TEST(ShiftToHotkeyModifiers, MapsToTheSystemHotkeyFlags)
{
    EXPECT_EQ(ShiftToHotkeyModifiers(S()), 0u);
    EXPECT_EQ(ShiftToHotkeyModifiers(S(S::ssShift)), 4u);
    EXPECT_EQ(ShiftToHotkeyModifiers(S(S::ssCtrl)), 2u);
    EXPECT_EQ(ShiftToHotkeyModifiers(S(S::ssAlt)), 1u);
    EXPECT_EQ(ShiftToHotkeyModifiers(S(S::ssShift | S::ssCtrl | S::ssAlt)), 7u);
}

struct TextCase {
    TShortCut Shortcut;
    const char* Text;
};

// Failure messages and case names show the shortcut code, not the parameter's raw bytes.
std::string HexCode(TShortCut shortcut)
{
    char code[8];
    std::snprintf(code, sizeof code, "%04X", shortcut);
    return code;
}

void PrintTo(const TextCase& c, std::ostream* out)
{
    *out << "0x" << HexCode(c.Shortcut) << " \"" << c.Text << '"';
}

std::string CaseName(const ::testing::TestParamInfo<TextCase>& info)
{
    return "Code" + HexCode(info.param.Shortcut);
}

class ShortCutToTextTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(ShortCutToTextTable, GivesTheFixedCaption)
{
    const auto noSystemName = [](std::uint8_t) { return std::string("SYSTEM"); };
    EXPECT_EQ(ShortCutToText(GetParam().Shortcut, noSystemName), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ShortCutToTextTable,
    ::testing::Values(TextCase{0x8031, "Alt+1"}, TextCase{0x6070, "Umsch+Strg+F1"}, TextCase{0x8032, "Alt+2"},
                      TextCase{0x0008,
                               "R\xFC"
                               "ck"},
                      TextCase{0x0009, "Tab"}, TextCase{0x000D, "Enter"}, TextCase{0x001B, "Esc"},
                      TextCase{0x0020, "Leerzeichen"}, TextCase{0x0021, "BildAuf"},
                      TextCase{0x0022, "BildAb"}, TextCase{0x0023, "Ende"}, TextCase{0x0024, "Start"},
                      TextCase{0x0025, "Links"}, TextCase{0x0026, "Nach oben"}, TextCase{0x0027, "Rechts"},
                      TextCase{0x0028, "Nach unten"}, TextCase{0x002D, "Einfg"}, TextCase{0x002E, "Entf"},
                      TextCase{0x0030, "0"}, TextCase{0x0039, "9"}, TextCase{0x0041, "A"},
                      TextCase{0x005A, "Z"}, TextCase{0x0060, "0"}, TextCase{0x0069, "9"},
                      TextCase{0x0070, "F1"}, TextCase{0x007B, "F12"}, TextCase{0x0087, "F24"},
                      TextCase{0xE041, "Umsch+Strg+Alt+A"}, TextCase{0xA05A, "Umsch+Alt+Z"},
                      TextCase{0xC02E, "Strg+Alt+Entf"},
                      // The name comes from the low byte only.
                      TextCase{0x9F31, "Alt+1"}),
    CaseName);

TEST(ShortCutToText, AsksTheSystemForKeysOutsideTheTable)
{
    std::vector<int> asked;
    const auto systemName = [&](std::uint8_t vk) {
        asked.push_back(vk);
        return std::string("Num *");
    };
    EXPECT_EQ(ShortCutToText(0x406A, systemName), "Strg+Num *");
    EXPECT_EQ(asked, std::vector<int>{0x6A});
    // Just outside the ranges of the fixed table.
    for (TShortCut key : {0x2F, 0x3A, 0x40, 0x5B, 0x6A, 0x88, 0xFF}) {
        asked.clear();
        ShortCutToText(key, systemName);
        EXPECT_EQ(asked, std::vector<int>{key}) << key;
    }
}

TEST(ShortCutToText, EmptyNameGivesEmptyTextWithoutModifiers)
{
    const auto unnamed = [](std::uint8_t) { return std::string(); };
    EXPECT_EQ(ShortCutToText(0, unnamed), "");
    EXPECT_EQ(ShortCutToText(0xE000, unnamed), "");
    EXPECT_EQ(ShortCutToText(0x80FF, unnamed), "");
    EXPECT_EQ(ShortCutToText(0x80FF, nullptr), "");
}

}  // namespace
}  // namespace zelvora
