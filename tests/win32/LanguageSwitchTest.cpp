// The four languages on the real windows: what a switch writes, keeps and sets.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "WindowTestSupport.h"
#include "app/win32/MainWindow.h"
#include "dialogs/win32/AboutWindow.h"
#include "look/win32/MenuPainter.h"
#include "toolkit/win32/Memo.h"

namespace zelvora {
namespace {

class LanguageSwitch : public ::testing::Test {
protected:
    void SetUp() override
    {
        app_ = testing::CreateProgramWindows();  // no stored language: English
        main_ = dynamic_cast<TfrmZelvora*>(app_->MainForm());
        ASSERT_NE(main_, nullptr);
    }
    // The language menu, as the user picks from it.
    void Choose(const char* item) { dynamic_cast<TMenuItem&>(*main_->FindComponent(item)).Click(); }
    std::string MenuCaption(const char* item)
    {
        return dynamic_cast<TMenuItem&>(*main_->FindComponent(item)).Caption();
    }
    TControl& Control(TComponent& window, const char* name)
    {
        return dynamic_cast<TControl&>(*window.FindComponent(name));
    }
    int XPMenuCharset() { return dynamic_cast<TXPMenu&>(*main_->FindComponent("XPMenu")).Font().Charset(); }

    std::unique_ptr<TApplication> app_;
    TfrmZelvora* main_ = nullptr;
};

TEST_F(LanguageSwitch, EnglishAtStartWhenNothingIsStored)
{
    EXPECT_EQ(main_->siLangDispatcher.ActiveLanguage(), 2);
    EXPECT_EQ(main_->rbtnFreeHand.Caption(), "Freehand");
    EXPECT_EQ(MenuCaption("Beenden1"), "Close");
    EXPECT_TRUE(dynamic_cast<TMenuItem&>(*main_->FindComponent("mnuEnglish")).Checked());
    // Controls whose English cell is empty keep their German design text.
    EXPECT_EQ(MenuCaption("mnuOnlineUpdate"), "Online Update...");
    auto& about = *app_->FindComponent("frmAbout");
    EXPECT_EQ(dynamic_cast<TForm&>(about).Caption(), "About Zelvora");
    EXPECT_EQ(Control(about, "OKButton").Caption(), "Ok");
    EXPECT_EQ(main_->GetNamedString("sModePanel"), "Mode");
    EXPECT_EQ(main_->lblMode.Caption(), "Press Alt+3 to change the mode.");
}

TEST_F(LanguageSwitch, EmptyCellsKeepWhatThePreviousLanguageWrote)
{
    Choose("mnuGerman");
    Choose("mnuRomana");
    Choose("mnuEnglish");
    EXPECT_EQ(MenuCaption("mnuFrancais"), "Francez\xE3");
    EXPECT_EQ(MenuCaption("mnuOnlineUpdate"), "Actualizare on-line...");
    EXPECT_EQ(MenuCaption("Aktion1"), "Action");
    Choose("mnuGerman");
    Choose("mnuEnglish");
    EXPECT_EQ(MenuCaption("mnuFrancais"), "Francais");
    EXPECT_EQ(MenuCaption("mnuOnlineUpdate"), "Online Update...");
    // The caption of the main window is the application's title whatever the language.
    Choose("mnuFrancais");
    EXPECT_EQ(main_->Caption(), "Zelvora");
    EXPECT_EQ(main_->lblMode.Caption(), "Appuyez sur Alt+3 pour changer de mode.");
}

TEST_F(LanguageSwitch, RomanianSetsTheEastEuropeanCharsetWhereItsCellsAreFilled)
{
    Choose("mnuRomana");
    EXPECT_EQ(main_->Font().Charset(), 238);
    EXPECT_EQ(main_->lblPaint.Font().Charset(), 238);
    EXPECT_EQ(main_->lblMode.Font().Charset(), 238);
    EXPECT_EQ(XPMenuCharset(), 238);
    EXPECT_EQ(main_->rbtnControl.Caption(), "Controale vizuale");
    EXPECT_EQ(main_->lblPaint.Caption().substr(0, 25), "Pentru a desena \xFEine\xFEi ap");
    Choose("mnuEnglish");  // English cells are empty: the charsets stay
    EXPECT_EQ(main_->Font().Charset(), 238);
    Choose("mnuGerman");
    EXPECT_EQ(main_->Font().Charset(), 0);
    EXPECT_EQ(main_->lblPaint.Font().Charset(), 0);
    EXPECT_EQ(XPMenuCharset(), 1);
    EXPECT_EQ(main_->rbtnControl.Caption(), "Steuerelemente");
}

TEST_F(LanguageSwitch, EveryWindowSwitchesAndANewWindowStartsInTheActiveLanguage)
{
    Choose("mnuFrancais");
    auto& license = dynamic_cast<TForm&>(*app_->FindComponent("frmLicense"));
    EXPECT_EQ(license.Caption(), "Licence Zelvora");
    EXPECT_EQ(Control(license, "btnClose").Caption(), "Fermer");
    const auto& lines = dynamic_cast<TMemo&>(Control(license, "Memo")).Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Terms of use for Zelvora");
    auto& editor = dynamic_cast<TForm&>(*app_->FindComponent("frmEditHotkey"));
    EXPECT_EQ(Control(editor, "btnCancel").Caption(), "Annuler");

    Choose("mnuEnglish");
    auto* fresh = new TfrmAbout(app_.get());
    EXPECT_EQ(fresh->Caption(), "About Zelvora");
    auto* lang = dynamic_cast<TsiLang*>(fresh->FindComponent("siLang"));
    EXPECT_EQ(lang->NumOfLanguages(), 4);  // the fifth language was cut on linking
    EXPECT_EQ(lang->LangNames().size(), 4u);
    fresh->PrepareDestruction();
    delete fresh;
    EXPECT_EQ(main_->siLangDispatcher.Linked().size(), 4u);
}

TEST_F(LanguageSwitch, EachLanguageShowsOtherwiseAndGermanComesBackTheSame)
{
    main_->Show();
    std::vector<std::uint64_t> shown;
    for (const auto& [item, name] :
         {std::pair{"mnuGerman", "frmZelvora-de"}, std::pair{"mnuEnglish", "frmZelvora-en"},
          std::pair{"mnuFrancais", "frmZelvora-fr"}, std::pair{"mnuRomana", "frmZelvora-ro"},
          std::pair{"mnuGerman", "frmZelvora-de-again"}}) {
        Choose(item);
        UpdateWindow(main_->Handle());
        app_->ProcessMessages();
        ASSERT_TRUE(testing::SaveScreenshot(main_->Handle(), name));
        shown.push_back(testing::ScreenHash(main_->Handle()));
    }
    for (std::size_t a = 0; a < 4; ++a)
        for (std::size_t b = a + 1; b < 4; ++b)
            EXPECT_NE(shown[a], shown[b]) << a << " and " << b << " look alike";
    EXPECT_EQ(shown[4], shown[0]) << "German again looks as German did";
}

}  // namespace
}  // namespace zelvora
