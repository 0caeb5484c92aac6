#include "base/Format.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(FormatText, FillsPlaceholdersInOrder)
{
    EXPECT_EQ(FormatText("Hold %s, wipe with %s.", {"Alt+1", "Alt+2"}), "Hold Alt+1, wipe with Alt+2.");
    EXPECT_EQ(FormatText("%d px", {20LL}), "20 px");
    EXPECT_EQ(FormatText("100%% %s", {"sure"}), "100% sure");
}

TEST(FormatText, BrokenFormatsNeverReadPastTheArguments)
{
    EXPECT_EQ(FormatText("%s and %s", {"one"}), "one and ");
    EXPECT_EQ(FormatText("%s", {}), "");
    EXPECT_EQ(FormatText("ends with %", {"x"}), "ends with %");
    EXPECT_EQ(FormatText("%x %s", {"y"}), "%x y");
    EXPECT_EQ(FormatText("%d", {"text"}), "text");
    EXPECT_EQ(FormatText("%s", {-7LL}), "-7");
    EXPECT_EQ(FormatText("no placeholder", {"extra"}), "no placeholder");
}

TEST(FormatText, EightBitTextPassesUnchanged)
{
    EXPECT_EQ(FormatText("Gr\xFC\xDF %s", {"R\xFC"
                                           "ck"}),
              "Gr\xFC\xDF R\xFC"
              "ck");
}

}  // namespace
}  // namespace zelvora
