#include "i18n/TranslationSource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace zelvora {
namespace {

const std::string D(1, '\x01');

TTranslationStore Compile(const std::string& text)
{
    return CompileTranslationSource(text, "test.lang", [](const std::string& name) -> std::string {
        if (name == "common.lang") return "[stStrings]\nsShared | geteilt | shared | | \n";
        throw ETranslationSourceError("no file " + name);
    });
}

std::string ErrorOf(const std::string& text)
{
    try {
        Compile(text);
    } catch (const ETranslationSourceError& error) {
        return error.what();
    }
    return "no error";
}

TEST(TranslationSource, ConvertsEachColumnToItsCodePage)
{
    const TTranslationStore store = Compile(
        "languages = 4\n[stCaptions]\nSprache1 | Sprache | Language | Langage | Limbă\n"
        "Stiftlschen1 | Zeichnung löschen | | Effacer | Şterge\n");
    EXPECT_EQ(store.Section(TStringsType::stCaptions),
              (TRows{"Sprache1" + D + "Sprache" + D + "Language" + D + "Langage" + D + "Limb\xE3" + D,
                     "Stiftlschen1" + D + "Zeichnung l\xF6schen" + D + D + "Effacer" + D + "\xAAterge" + D}));
    EXPECT_TRUE(store.Section(TStringsType::stDlgsCaptions).empty());  // sources replace every default
}

TEST(TranslationSource, FiveLanguageRowsIncludesEscapesAndMultiLines)
{
    const TTranslationStore store = Compile(
        "languages = 5\n# comment\n[stCaptions]\nbtnOk | OK | | | |\nLabel | a \\| b | x\\ny | | |\n"
        "[stMultiLines]\nMemo.Lines | eins\\n\\nzwei drei | one | | |\n@include common.lang\n");
    EXPECT_EQ(store.Section(TStringsType::stCaptions)[0], "btnOk" + D + "OK" + D + D + D + D + D);
    EXPECT_EQ(store.Field(store.Section(TStringsType::stCaptions)[1], 1), "a | b");
    EXPECT_EQ(store.Field(store.Section(TStringsType::stCaptions)[1], 2), "x\r\ny");
    EXPECT_EQ(store.Field(store.Section(TStringsType::stMultiLines)[0], 1), "eins,,\"zwei drei\"");
    EXPECT_EQ(store.Section(TStringsType::stStrings),
              (TRows{"sShared" + D + "geteilt" + D + "shared" + D + D + D + D}));
}

TEST(TranslationSource, ErrorsNameTheFileLineRowAndColumn)
{
    EXPECT_EQ(ErrorOf("languages = 4\n[stCaptions]\nmnuFrancais | Francais | | | Très\n"),
              "test.lang:3: row 'mnuFrancais', column 4 (Romanian): text not representable in Windows-1250");
    EXPECT_EQ(ErrorOf("languages = 4\n[stCaptions]\nx | Acţiune | | |\n"),
              "test.lang:3: row 'x', column 1 (Deutsch): text not representable in Windows-1252");
    EXPECT_EQ(ErrorOf("languages = 2\n[stCaptions]\nx | a | b | c\n"),
              "test.lang:3: row 'x' has more than 2 cells");
    EXPECT_EQ(ErrorOf("languages = 2\n[stNothing]\n"), "test.lang:2: unknown section [stNothing]");
    EXPECT_EQ(ErrorOf("languages = 2\nx | a\n"), "test.lang:2: row outside a section");
    EXPECT_EQ(ErrorOf("[stCaptions]\nx | a\n"), "test.lang:2: languages = N must come first");
    EXPECT_EQ(ErrorOf("languages = 9\n"), "test.lang:1: languages must be 1 to 5");
    EXPECT_EQ(ErrorOf("languages = 2\n@include missing.lang\n"), "no file missing.lang");
    EXPECT_EQ(ErrorOf("languages = 2\n[stCaptions]\nx | a\\qb\n"), "test.lang:3: unknown escape \\q");
}

TEST(TranslationSource, TheMainWindowsModePanelRowIsExactlyTheseBytes)
{
    const std::string dir = ZELVORA_SOURCE_DIR "/resources/";
    const auto read = [&](const std::string& name) {
        std::ifstream in(dir + name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    const TTranslationStore store =
        CompileTranslationSource(read("frmZelvora.lang"), "frmZelvora.lang", read);
    const std::string payload = store.WriteTranslationData();
    EXPECT_NE(payload.find("\r\nsModePanel\x01Modus\x01Mode\x01Mode\x01Mod\x01\r\n"), std::string::npos);
    // The named messages are in name order, as the store keeps them.
    const TRows& strings = store.Section(TStringsType::stStrings);
    ASSERT_EQ(strings.size(), 26u);
    EXPECT_EQ(store.Key(strings.front()), "sCantConnect");
    EXPECT_EQ(store.Key(strings.back()), "sWantUpdate");
    EXPECT_EQ(store.Section(TStringsType::stDlgsCaptions).size(), 15u);
    EXPECT_EQ(store.Section(TStringsType::stLocales).size(), 15u);
}

}  // namespace
}  // namespace zelvora
