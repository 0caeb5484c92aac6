#include "base/CodePage.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(CodePage, Utf8ToWindows1252)
{
    EXPECT_EQ(Utf8ToWindows1252("Zeichnung l\xC3\xB6schen"), "Zeichnung l\xF6schen");
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC \xE2\x80\x9E\xE2\x80\x9C \xC5\xB8"),
              "\x80 \x84\x93 \x9F");  // € „“ Ÿ
    EXPECT_EQ(Utf8ToWindows1252(""), "");
    EXPECT_EQ(Utf8ToWindows1252("\xC3\xBF"), "\xFF");
}

TEST(CodePage, RefusesWhatTheCodePageLacksAndBrokenUtf8)
{
    EXPECT_FALSE(Utf8ToWindows1252("\xC4\x83"));          // ă is Romanian, not Western
    EXPECT_FALSE(Utf8ToWindows1252("\xC2\x81"));          // U+0081: a hole of the code page
    EXPECT_FALSE(Utf8ToWindows1252("\xC3"));              // truncated
    EXPECT_FALSE(Utf8ToWindows1252("\xC0\xAF"));          // overlong
    EXPECT_FALSE(Utf8ToWindows1252("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(Utf8ToWindows1252("\xF0\x9F\x98\x80"));  // emoji
    EXPECT_FALSE(Utf8ToWindows1252("\xFF"));
}

TEST(CodePage, RoundTripsEveryDefinedByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
    EXPECT_EQ(Windows1252ToUtf8("\x81"), "\xEF\xBF\xBD");
}

TEST(CodePage, RomanianLettersInWindows1250)
{
    // s and t with cedilla, a with breve, i and a with circumflex.
    EXPECT_EQ(Utf8ToCodePage("\xC5\x9F \xC5\xA3 \xC4\x83 \xC3\xAE \xC3\xA2 \xC5\x9E \xC5\xA2",
                             TCodePage::Windows1250),
              "\xBA \xFE \xE3 \xEE \xE2 \xAA \xDE");
    EXPECT_FALSE(Utf8ToCodePage("\xC3\xA8", TCodePage::Windows1250));  // e grave is French only
    EXPECT_EQ(CodePageToUtf8("Limb\xE3", TCodePage::Windows1250), "Limb\xC4\x83");
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x81 && b != 0x83 && b != 0x88 && b != 0x90 && b != 0x98) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCodePage(CodePageToUtf8(all, TCodePage::Windows1250), TCodePage::Windows1250), all);
}

}  // namespace
}  // namespace zelvora
