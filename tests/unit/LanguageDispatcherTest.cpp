#include <gtest/gtest.h>

#include "i18n/TranslationComponent.h"

#include "LanguageTestComponents.h"

namespace zelvora {
namespace {

using testing::TTestControl;
using testing::TTestWindow;

const std::string D(1, '\x01');

std::string Row(std::initializer_list<std::string> fields)
{
    std::string row;
    for (const std::string& f : fields) row += f + D;
    row.pop_back();
    return row + D;
}

// A window with a few controls and a four-language store.
struct Window {
    explicit Window(const char* className, int languages = 4) : form(className)
    {
        label = &TComponent::Create<TTestControl>(form);
        label->SetName("lblInfo");
        label->caption = "Hallo";
        inherited = &TComponent::Create<TTestControl>(form);
        inherited->SetName("lblPlain");
        inherited->parentFont = true;
        memo = &TComponent::Create<TTestControl>(form);
        memo->SetName("Memo");
        memo->lines = {"Erste", "Zweite", "Dritte"};
        lang = &TComponent::Create<TsiLang>(form);
        lang->SetName("siLang");
        lang->BeginLoading();
        lang->SetNumOfLanguages(languages);
        const std::string fifth = languages == 5 ? D : "";
        lang->ReadTranslationData(
            "stCaptions\r\n" + Row({className, "Fenster", "Window", "", "Fereastr\xE3"}) + fifth + "\r\n" +
            Row({"lblInfo", "Hallo", "Hello", "Bonjour", ""}) + fifth + "\r\n" +
            Row({"lblGone", "x", "x", "x", "x"}) + fifth + "\r\nstHints\r\nstFonts\r\n" +
            Row({className, "Tahoma", "", "", ""}) + fifth + "\r\n" + Row({"lblInfo", "Tahoma", "", "", ""}) +
            fifth + "\r\n" + Row({"lblPlain", "Arial", "", "", ""}) + fifth + "\r\nstCharSets\r\n" +
            Row({className, "ANSI_CHARSET", "", "", "EASTEUROPE_CHARSET"}) + fifth + "\r\n" +
            Row({"lblInfo", "ANSI_CHARSET", "", "", "easteurope_charset"}) + fifth + "\r\n" +
            Row({"lblPlain", "ANSI_CHARSET", "", "", "EASTEUROPE_CHARSET"}) + fifth + "\r\nstMultiLines\r\n" +
            Row({"Memo.Lines", "Erste,Zweite,Dritte", "First,Second", "", ""}) + fifth + "\r\nstStrings\r\n" +
            Row({"sHello", "Hallo %s", "Hello %s", "", "Salut %s"}) + fifth + "\r\n");
    }
    void Load(TsiLangDispatcher* dispatcher = nullptr)
    {
        if (dispatcher) lang->SetLangDispatcher(dispatcher);
        lang->Loaded();
    }
    TTestWindow form;
    TTestControl* label;
    TTestControl* inherited;
    TTestControl* memo;
    TsiLang* lang;
};

struct Dispatcher {
    Dispatcher()
    {
        dispatcher.SetNumOfLanguages(4);
        dispatcher.SetLangNames({"Deutsch", "English", "French", "Romanian"});
    }
    TComponent owner{nullptr};
    TsiLangDispatcher dispatcher{&owner};
};

TEST(LanguageDispatcher, LinkingCutsFiveLanguagesAndSwitchesToTheActiveOne)
{
    Dispatcher d;
    d.dispatcher.SetActiveLanguage(2);
    Window about("TfrmAbout", 5);
    int changes = 0;
    about.lang->OnChangeLanguage = TEventRef{"x", [&](TEventArgs& e) {
                                                 EXPECT_EQ(e.Sender, about.lang);
                                                 ++changes;
                                             }};
    about.Load(&d.dispatcher);
    EXPECT_EQ(about.lang->NumOfLanguages(), 4);
    EXPECT_EQ(about.lang->LangNames(), (TStringList{"Deutsch", "English", "French", "Romanian"}));
    EXPECT_EQ(about.lang->Section(TStringsType::stCaptions)[0],
              Row({"TfrmAbout", "Fenster", "Window", "", "Fereastr\xE3"}));
    EXPECT_EQ(about.form.caption, "Window");  // created while English is active: English at once
    EXPECT_EQ(about.label->caption, "Hello");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(d.dispatcher.Linked(), (std::vector<TsiLang*>{about.lang}));
}

TEST(LanguageDispatcher, EmptyCellsKeepTheTextAndTheSameLanguageIsANoOp)
{
    Dispatcher d;
    Window main("TfrmMain");
    int changes = 0;
    main.lang->OnChangeLanguage = TEventRef{"x", [&](TEventArgs&) { ++changes; }};
    main.Load(&d.dispatcher);
    EXPECT_EQ(changes, 0);  // language 1 is already active: nothing applied

    d.dispatcher.SetActiveLanguage(4);
    EXPECT_EQ(main.form.caption, "Fereastr\xE3");
    EXPECT_EQ(main.label->caption, "Hallo");  // the Romanian cell is empty
    d.dispatcher.SetActiveLanguage(3);
    EXPECT_EQ(main.form.caption, "Fereastr\xE3");  // French window cell is empty: the Romanian text stays
    EXPECT_EQ(main.label->caption, "Bonjour");
    EXPECT_EQ(changes, 2);
    const int writes = main.label->writes;
    d.dispatcher.SetActiveLanguage(3);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(main.label->writes, writes);
    EXPECT_EQ(d.dispatcher.Language(), "French");
}

TEST(LanguageDispatcher, RowsNamingNothingAreDroppedForGood)
{
    Dispatcher d;
    Window main("TfrmMain");
    main.Load(&d.dispatcher);
    d.dispatcher.SetActiveLanguage(2);
    for (const std::string& row : main.lang->Section(TStringsType::stCaptions))
        EXPECT_EQ(row.find("lblGone"), std::string::npos);
    EXPECT_EQ(main.lang->Section(TStringsType::stCaptions).size(), 2u);
}

TEST(LanguageDispatcher, FontsAndCharsetsFollowFilledCellsAndSpareParentFonts)
{
    Dispatcher d;
    Window main("TfrmMain");
    main.Load(&d.dispatcher);
    d.dispatcher.SetActiveLanguage(4);
    EXPECT_EQ(main.form.font.charset, 238);
    EXPECT_EQ(main.label->font.charset, 238);    // charset names in rows match ignoring case
    EXPECT_EQ(main.inherited->font.charset, 0);  // ParentFont: left to its parent
    EXPECT_EQ(main.inherited->font.name, "Tahoma");
    d.dispatcher.SetActiveLanguage(2);  // English cells are empty: the charset stays
    EXPECT_EQ(main.label->font.charset, 238);
    d.dispatcher.SetActiveLanguage(1);
    EXPECT_EQ(main.form.font.charset, 0);
    EXPECT_EQ(main.label->font.charset, 0);
}

TEST(LanguageDispatcher, MultiLinesAreWrittenFromCommaText)
{
    Dispatcher d;
    Window main("TfrmMain");
    main.Load(&d.dispatcher);
    d.dispatcher.SetActiveLanguage(2);
    EXPECT_EQ(main.memo->lines, (TStringList{"First", "Second"}));
    d.dispatcher.SetActiveLanguage(4);  // empty cell: unchanged
    EXPECT_EQ(main.memo->lines, (TStringList{"First", "Second"}));
}

TEST(LanguageDispatcher, NamedMessagesInTheActiveLanguage)
{
    Dispatcher d;
    Window main("TfrmMain");
    main.Load(&d.dispatcher);
    EXPECT_EQ(main.lang->GetNamedString("shello"), "Hallo %s");
    d.dispatcher.SetActiveLanguage(3);
    EXPECT_EQ(main.lang->GetNamedString("sHello"), "");  // empty cell
    main.lang->SetTranslateType(TTranslateType::ttGetDefault);
    EXPECT_EQ(main.lang->GetNamedString("sHello"), "Hallo %s");
    EXPECT_EQ(main.lang->GetNamedString("sUnknown"), "");
    main.lang->SetDoRaiseExceptions(true);
    EXPECT_THROW(main.lang->GetNamedString("sUnknown"), ELanguageError);
}

TEST(LanguageDispatcher, OutOfRangeLanguagesAreRefused)
{
    Dispatcher d;
    Window main("TfrmMain");
    main.Load(&d.dispatcher);
    try {
        d.dispatcher.SetActiveLanguage(5);
        FAIL();
    } catch (const ELanguageError& error) {
        EXPECT_STREQ(error.what(), "5 - is not a valid property value!\rValue must be within [1..4]!");
    }
    EXPECT_EQ(main.lang->ActiveLanguage(), 1);
    EXPECT_EQ(d.dispatcher.ActiveLanguage(), 5);  // the dispatcher stored it before the failure
    EXPECT_THROW(main.lang->SetNumOfLanguages(0), ELanguageError);
    EXPECT_EQ(main.lang->NumOfLanguages(), 4);
    EXPECT_THROW(main.lang->SetLanguage("Klingon"), ELanguageError);
}

TEST(LanguageDispatcher, DestructionUnlinksBothWays)
{
    Window main("TfrmMain");
    {
        Dispatcher d;
        main.Load(&d.dispatcher);
        {
            Window other("TfrmOther");
            other.Load(&d.dispatcher);
            EXPECT_EQ(d.dispatcher.Linked().size(), 2u);
        }
        EXPECT_EQ(d.dispatcher.Linked(), (std::vector<TsiLang*>{main.lang}));
    }
    EXPECT_EQ(main.lang->LangDispatcher(), nullptr);
}

TEST(LanguageDispatcher, OnlyOneTranslationComponentPerWindow)
{
    Window main("TfrmMain");
    try {
        TComponent::Create<TsiLang>(main.form);
        FAIL();
    } catch (const ELanguageError& error) {
        EXPECT_STREQ(error.what(), "Only one TsiCustomLang component per Form/DataModule allowed!");
    }
    int count = 0;
    for (TComponent* c : main.form.Components()) count += dynamic_cast<TsiLang*>(c) != nullptr;
    EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace zelvora
