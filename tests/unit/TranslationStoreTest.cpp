#include "i18n/TranslationStore.h"

#include <gtest/gtest.h>

#include "i18n/CommaText.h"

namespace zelvora {
namespace {

const std::string D(1, '\x01');

TEST(TranslationStore, ReadsSectionsByNameInAnyLetterCase)
{
    TTranslationStore store;
    store.ReadTranslationData("before the first header is dropped\r\nSTCAPTIONS\r\nTfrmX" + D + "Titel" + D +
                              "Title" + D + "\r\nstStrings\nsA" + D + "a" + D +
                              "\rstListView_TreeView_Items\r\nlost\r\n");
    ASSERT_EQ(store.Section(TStringsType::stCaptions).size(), 1u);
    EXPECT_EQ(store.Field(store.Section(TStringsType::stCaptions)[0], 2), "Title");
    EXPECT_EQ(store.Section(TStringsType::stStrings), (TRows{"sA" + D + "a" + D}));
}

TEST(TranslationStore, ConstructionDefaultsStayUnlessTheirSectionIsNamed)
{
    TTranslationStore store;
    ASSERT_EQ(store.Section(TStringsType::stDlgsCaptions).size(), 15u);
    EXPECT_EQ(store.Section(TStringsType::stDlgsCaptions)[4], "Yes" + D + "&Yes" + D);
    EXPECT_EQ(store.Section(TStringsType::stDlgsCaptions)[12], "No To All" + D + "N&o To All" + D);
    ASSERT_EQ(store.Section(TStringsType::stLocales).size(), 15u);
    EXPECT_EQ(store.Key(store.Section(TStringsType::stLocales)[14]), "Long Day Names");

    store.ReadTranslationData("stLocales\r\nstDlgsCaptions\r\n");  // header right after header
    EXPECT_TRUE(store.Section(TStringsType::stLocales).empty());
    EXPECT_TRUE(store.Section(TStringsType::stDlgsCaptions).empty());
}

TEST(TranslationStore, WritesEverySectionInOrderAndRoundTripsLineBreaks)
{
    TTranslationStore store;
    store.ReadTranslationData("stMultiLines\r\nMemo.Lines" + D + "one\x19\x1Atwo" + D + "\r\n");
    EXPECT_EQ(store.Field(store.Section(TStringsType::stMultiLines)[0], 1), "one\r\ntwo");
    const std::string payload = store.WriteTranslationData();
    EXPECT_EQ(payload.substr(0, 12), "stCaptions\r\n");
    EXPECT_NE(payload.find("stMultiLines\r\nMemo.Lines" + D + "one\x19\x1Atwo" + D + "\r\n"),
              std::string::npos);
    EXPECT_EQ(payload.find("stListView"), std::string::npos);
    EXPECT_EQ(payload.substr(payload.size() - 12), "stCharSets\r\n");
    TTranslationStore again;
    again.ReadTranslationData(payload);
    EXPECT_EQ(again.WriteTranslationData(), payload);
}

TEST(TranslationStore, EmptyCellsAndShortRows)
{
    TTranslationStore store;
    const std::string row = "K" + D + D + "b" + D;
    EXPECT_EQ(store.Field(row, 0), "K");
    EXPECT_EQ(store.Field(row, 1), "");
    EXPECT_EQ(store.Field(row, 2), "b");
    EXPECT_EQ(store.Field(row, 3), "");
    EXPECT_EQ(store.Field("K", 1), "");
    store.ReadTranslationData("stStrings\r\n" + row + "\r\n");
    store.BuildIndex(2);
    const TNamedMessage* message = store.FindMessage("k");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->Values, (std::vector<std::string>{"", "b"}));
}

TEST(TranslationStore, IndexIsSortedAndSearchedIgnoringCase)
{
    TTranslationStore store;
    store.ReadTranslationData("stStrings\r\nsWant" + D + "w" + D + "\r\nsCant" + D + "c" + D + "\r\nSmode" +
                              D + "m" + D + "\r\n");
    store.BuildIndex(1);
    ASSERT_EQ(store.Index().size(), 3u);
    EXPECT_EQ(store.Index()[0].Name, "sCant");
    EXPECT_EQ(store.Index()[1].Name, "Smode");
    EXPECT_EQ(store.FindMessage("SMODE")->Values[0], "m");
    EXPECT_EQ(store.FindMessage("sNothing"), nullptr);
}

TEST(TranslationStore, CuttingFiveLanguagesToFourKeepsTheClosingDelimiter)
{
    TTranslationStore store;
    const std::string five =
        "pmnuClose" + D + "Beenden" + D + "Close" + D + "Fermer" + D + "\xCEnchide" + D + D;
    const std::string four = "Panel1" + D + D + D + D + D;
    store.ReadTranslationData("stCaptions\r\n" + five + "\r\n" + four + "\r\nstStrings\r\nsX" + D + "x" + D +
                              "\r\n");
    store.ChangeNumOfLanguages(5, 4, true);
    EXPECT_EQ(store.Section(TStringsType::stCaptions)[0],
              "pmnuClose" + D + "Beenden" + D + "Close" + D + "Fermer" + D + "\xCEnchide" + D);
    EXPECT_EQ(store.Section(TStringsType::stCaptions)[1], four);  // never had a fifth cell
    EXPECT_EQ(store.Section(TStringsType::stStrings)[0],
              "sX" + D + "x" + D + D + D + D);  // padded at run time
    EXPECT_EQ(store.FindMessage("sX")->Values.size(), 4u);
}

TEST(TranslationStore, NoLanguagesIsRefusedAndChangesNothing)
{
    TTranslationStore store;
    store.ReadTranslationData("stCaptions\r\nA" + D + "x" + D + "y" + D + "\r\n");
    try {
        store.ChangeNumOfLanguages(2, 0, true);
        FAIL();
    } catch (const ELanguageError& error) {
        EXPECT_STREQ(error.what(), "0 - is not a valid property value !\rValue must be more than ZERO !");
    }
    EXPECT_EQ(store.Section(TStringsType::stCaptions)[0], "A" + D + "x" + D + "y" + D);
}

TEST(TranslationStore, LoadCompletionConvertsTabsFillsLocalesAndExcludes)
{
    TTranslationStore store;
    store.ReadTranslationData(
        "stCaptions\r\nTfrmX\tA\tB\t\r\nstLocales\r\n" + std::string("Currency String\tSFr.\t\r\n") +
        "b\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nstOtherStrings\r\nMemo.Name\tx\t\r\n"
        "lblSize.Caption\ty\t\r\nMemo.HelpFile\tz\t\r\nMemo.Text\tw\t\r\n");
    store.CompleteLoading({false, false, 2, {"HelpFile"}, {"lblSize.Caption"}});
    EXPECT_EQ(store.Section(TStringsType::stCaptions)[0], "TfrmX" + D + "A" + D + "B" + D);
    EXPECT_EQ(store.Section(TStringsType::stLocales).size(), 15u);
    EXPECT_EQ(store.Key(store.Section(TStringsType::stLocales)[11]), "Short Month Names");
    EXPECT_EQ(store.Section(TStringsType::stOtherStrings), (TRows{"Memo.Text" + D + "w" + D}));
}

TEST(CommaText, WritesAndReadsLikeTheToolkit)
{
    EXPECT_EQ(ToCommaText({"one", "two words", "", "say \"hi\"", "a,b"}),
              "one,\"two words\",,\"say \"\"hi\"\"\",\"a,b\"");
    EXPECT_EQ(ToCommaText({""}), "\"\"");
    EXPECT_EQ(ToCommaText({}), "");
    EXPECT_EQ(FromCommaText("one,\"two words\",,\"say \"\"hi\"\"\",\"a,b\""),
              (std::vector<std::string>{"one", "two words", "", "say \"hi\"", "a,b"}));
    EXPECT_EQ(FromCommaText("a b"), (std::vector<std::string>{"a", "b"}));  // a blank ends an unquoted item
    EXPECT_EQ(FromCommaText("a,"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(FromCommaText("\"\""), (std::vector<std::string>{""}));
    EXPECT_EQ(FromCommaText(""), (std::vector<std::string>{}));
    EXPECT_EQ(FromCommaText("\"unterminated"), (std::vector<std::string>{"unterminated"}));
    for (const std::vector<std::string>& lines :
         {std::vector<std::string>{"x", "", "y z"}, std::vector<std::string>{""}})
        EXPECT_EQ(FromCommaText(ToCommaText(lines)), lines);
}

}  // namespace
}  // namespace zelvora
