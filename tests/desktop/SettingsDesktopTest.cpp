// What Zelvora keeps from one start to the next, and every command of its main window, driven
// with real keys and pointer clicks on a Wine desktop and checked in the registry (read from
// outside the program) and on the screen.
#include <filesystem>

#include "ProgramDesktopFixture.h"

namespace zelvora::desktop {
namespace {

TEST_F(Settings, AnEmptyKeyGivesTheDefaultsAndAnOrderlyExitWritesExactlyTheTenValues)
{
    ZelvoraSession zelvora(desktop_);
    const std::string texts = Texts("TfrmZelvora");
    EXPECT_NE(texts.find("Button\tFreehand\n"), std::string::npos) << "not English:\n" << texts;
    EXPECT_NE(texts.find("Static\t10 px\n"), std::string::npos) << texts;
    ASSERT_TRUE(page_.DrawStroke(kPaintChord)) << "no orange stroke with Alt+1";
    const int y = page_.StrokeStart().Y;
    EXPECT_NEAR(StrokeWidthAt(page_.Grab(), page_.StrokeStart().X + 150, y), 10, 1);
    EXPECT_TRUE(desktop_.Settings().empty()) << "written before the exit";

    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings(), DefaultSettings());
}

TEST_F(Settings, TheMarkerSizeIsClampedByTheTrackBarAndWrittenBackClamped)
{
    for (const auto& [stored, applied] : {std::pair{50, 20}, std::pair{0, 1}}) {
        SCOPED_TRACE(stored);
        desktop_.SetSetting("MarkerSize", static_cast<unsigned>(stored));
        ZelvoraSession zelvora(desktop_);
        EXPECT_NE(Texts("TfrmZelvora").find("Static\t" + std::to_string(applied) + " px\n"),
                  std::string::npos);
        // A one-pixel line leaves out the point it ends on: no waiting for a mark under the pointer.
        ASSERT_GT(page_.ChangedByStroke(kPaintChord), 0);
        EXPECT_NEAR(StrokeWidthAt(page_.Grab(), page_.StrokeStart().X + 150, page_.StrokeStart().Y), applied,
                    1);
        ASSERT_TRUE(zelvora.Close());
        EXPECT_EQ(desktop_.Settings()["MarkerSize"], Dword(static_cast<unsigned>(applied)));
    }
}

TEST_F(Settings, AnyModeButOneStartsInControlModeAndIsWrittenBackAsTwo)
{
    const ScreenRect edit = page_.Edit();
    for (unsigned mode : {0u, 7u}) {
        SCOPED_TRACE(mode);
        desktop_.SetSetting("Mode", mode);
        ZelvoraSession zelvora(desktop_);
        page_.RestPointerAt({edit.CentreX(), edit.CentreY()});
        {
            HeldKeys chord(screen_, kPaintChord);
            EXPECT_TRUE(
                WaitUntil([&] { return screen_.Pixel(edit.Left - 10, edit.CentreY()) == kMarkerOrange; }, 3s))
                << "no frame around Notepad's page";
        }
        ASSERT_TRUE(zelvora.Close());
        EXPECT_EQ(desktop_.Settings()["Mode"], Dword(2));
    }
}

TEST_F(Settings, AKilledProcessLeavesTheStoredValuesAsTheyWere)
{
    desktop_.SetSetting("MarkerSize", 5);
    desktop_.SetSetting("Mode", 1);
    ZelvoraSession zelvora(desktop_);
    PressChord(screen_, {"Alt_L", "3"});  // control mode, unsaved
    ASSERT_TRUE(page_.ChordFramesThePage(kPaintChord, 5)) << "the mode change did not reach the program";
    ChooseMenu(desktop_, 1, {7});  // "Minimieren beim Start", unsaved
    zelvora.Kill();
    EXPECT_EQ(desktop_.Settings(), (RegistryValues{{"MarkerSize", Dword(5)}, {"Mode", Dword(1)}}));
}

TEST_F(Settings, AWrongTypedValueIsReportedOnceAndTheOthersApply)
{
    desktop_.SetRegistryValue(kSettingsKey, "Mode", "REG_SZ", "1");
    desktop_.SetSetting("MarkerSize", 20);
    desktop_.SetSetting("FloodFill", 1);
    ZelvoraSession zelvora(desktop_, 0);
    EXPECT_EQ(TakeMessageBoxes(), "Zelvora\tUngültiger Datentyp für 'Mode'\n");
    ASSERT_TRUE(zelvora.WaitForMainWindow(1)) << "the start-up ended";
    EXPECT_EQ(desktop_.Probe({"msgboxes"}).Output, "") << "more than one report";
    ASSERT_TRUE(page_.DrawStroke(kPaintChord)) << "the default mode is free-hand";
    EXPECT_NEAR(StrokeWidthAt(page_.Grab(), page_.StrokeStart().X + 150, page_.StrokeStart().Y), 20, 1);
    ASSERT_TRUE(zelvora.Close());
    const RegistryValues stored = desktop_.Settings();
    EXPECT_EQ(stored.at("Mode"), Dword(1)) << "not rewritten with its type";
    EXPECT_EQ(stored.at("MarkerSize"), Dword(20));
    EXPECT_EQ(stored.at("FloodFill"), Dword(1));
}

TEST_F(Settings, AStoredShortcutTheEditorWouldRefuseIsReportedOnceAndItsDefaultUsedAndSaved)
{
    desktop_.SetSetting("SnapshotHotkey", 0x41);  // a bare A: every A typed anywhere would save the screen
    ZelvoraSession zelvora(desktop_, 0);
    // In the window's language (English at a first start), not German in every language.
    EXPECT_EQ(TakeMessageBoxes(), "Zelvora\tInvalid shortcut for 'SnapshotHotkey'\n");
    ASSERT_TRUE(zelvora.WaitForMainWindow(1)) << "the start-up ended";
    EXPECT_EQ(desktop_.Probe({"msgboxes"}).Output, "") << "more than one report";
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings().at("SnapshotHotkey"), Dword(0x8035));
}

TEST_F(Settings, AnEmptiedShortcutIsOffWithoutAReport)
{
    desktop_.SetSetting("DeleteHotkey", 0);
    desktop_.SetSetting("ModeHotkey", 0x8000);  // Alt and no key
    ZelvoraSession zelvora(desktop_);
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(desktop_.Probe({"msgboxes"}).Output, "");
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings()["DeleteHotkey"], Dword(0));
}

TEST_F(Settings, RomanianMessageBoxesShowTheirOwnLetters)
{
    ZelvoraSession first(desktop_);
    desktop_.SetSetting("Lang", 4);
    ZelvoraSession second(desktop_, 0);
    EXPECT_EQ(TakeMessageBoxes(), "Zelvora\tNu pot înregistra scurtătura Alt+2. Vă rog alegeţi alta.\n");
    WaitUntil([&] { return desktop_.Probe({"dismiss-msgboxes"}).Output == "0\n"; }, 30s, 300ms);
}

TEST_F(Settings, TheFileMenuMinimisesAndCtrlXEndsTheProgramFromAnyOfItsWindows)
{
    {
        ZelvoraSession zelvora(desktop_);
        ChooseMenu(desktop_, 0, {0});  // Datei > Minimieren
        EXPECT_TRUE(WaitForWindow("TfrmZelvora", false)) << "the main window still shows";
        EXPECT_FALSE(Shows("TApplication")) << "the taskbar button is still there";
        ClickTrayIcon();
        EXPECT_TRUE(WaitForWindow("TfrmZelvora")) << "not restored";

        desktop_.Probe({"front", "TfrmZelvora"});
        PressChord(screen_, {"Control_L", "x"});
        EXPECT_TRUE(zelvora.WaitForExit()) << "Ctrl+X in the main window";
    }
    EXPECT_EQ(desktop_.Settings(), DefaultSettings()) << "Ctrl+X is an orderly exit";

    ZelvoraSession zelvora(desktop_);
    ChooseMenu(desktop_, 2, {4});  // Hilfe > Info...
    ASSERT_TRUE(WaitForWindow("TfrmAbout"));
    PressChord(screen_, {"Control_L", "x"});
    EXPECT_TRUE(zelvora.WaitForExit()) << "Ctrl+X in the about window";
}

TEST_F(Settings, TheWipeCommandRemovesEveryMark)
{
    ZelvoraSession zelvora(desktop_);
    const Image before = page_.Grab();
    ASSERT_TRUE(page_.DrawStroke(kPaintChord));
    ChooseMenu(desktop_, 1, {0});  // Aktion > Zeichnung löschen
    if (!WaitUntil([&] { return CountDifferences(before, page_.Grab()) == 0; }, 5s)) {
        ADD_FAILURE() << CountDifferences(before, page_.Grab()) << " pixels still marked";
        page_.KeepForInspection("wipe-command", before);
    }
}

TEST_F(Settings, AutostartWritesTheQuotedPathAndTheCheckFollowsTheRunValue)
{
    {
        ZelvoraSession zelvora(desktop_);
        ChooseMenu(desktop_, 1, {6});  // Aktion > Mit Windows starten
        EXPECT_EQ(desktop_.QueryKey(kRunKey)["Zelvora"],
                  (RegistryValue{"REG_SZ", ExpectedAutostartCommand()}));
        ChooseMenu(desktop_, 1, {6});
        EXPECT_EQ(desktop_.QueryKey(kRunKey).count("Zelvora"), 0u) << "the second click did not remove it";
    }
    // Any value there means on: the first click at the next start turns it off.
    desktop_.SetRegistryValue(kRunKey, "Zelvora", "REG_SZ", "C:\\elsewhere\\old.exe");
    {
        ZelvoraSession zelvora(desktop_);
        ChooseMenu(desktop_, 1, {6});
        EXPECT_EQ(desktop_.QueryKey(kRunKey).count("Zelvora"), 0u);
    }
    // Checked at start, removed meanwhile from outside: the click only unchecks.
    desktop_.SetRegistryValue(kRunKey, "Zelvora", "REG_SZ", "x");
    ZelvoraSession zelvora(desktop_);
    desktop_.DeleteRegistryValue(kRunKey, "Zelvora");
    ChooseMenu(desktop_, 1, {6});
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(desktop_.QueryKey(kRunKey).count("Zelvora"), 0u);
    EXPECT_EQ(desktop_.Probe({"msgboxes"}).Output, "");
    ChooseMenu(desktop_, 1, {6});  // now unchecked: the next click writes it again
    EXPECT_EQ(desktop_.QueryKey(kRunKey)["Zelvora"].Data, ExpectedAutostartCommand());
}

TEST_F(Settings, TheFirstStartOpensTheAboutWindowOnceAndNeverAgain)
{
    desktop_.SetSetting("FirstStart", 1);
    {
        ZelvoraSession zelvora(desktop_);
        ASSERT_TRUE(WaitForWindow("TfrmAbout")) << "no about window on the first start";
        EXPECT_EQ(desktop_.Settings()["FirstStart"], Dword(0));
        ClickTitleBar("TfrmAbout");
        screen_.Tap("Return");  // "Ok"
        if (!WaitForWindow("TfrmAbout", false)) {
            ADD_FAILURE() << "Return did not close the about window";
            page_.KeepForInspection("first-start", page_.Grab());
        }
        EXPECT_TRUE(Texts("TfrmAbout").find("Static\tVersion: 1.0.0\n") != std::string::npos)
            << Texts("TfrmAbout");
    }
    ZelvoraSession zelvora(desktop_);
    std::this_thread::sleep_for(2s);
    EXPECT_FALSE(Shows("TfrmAbout")) << "the about window opened again";
}

TEST_F(Settings, MinimisedAtStartTheWindowAndTheFirstStartAboutWaitForTheFirstRestore)
{
    {
        ZelvoraSession zelvora(desktop_);
        ChooseMenu(desktop_, 1, {7});  // Aktion > Minimieren beim Start
        ASSERT_TRUE(zelvora.Close());
        EXPECT_EQ(desktop_.Settings()["Minimize"], Dword(1));
    }
    desktop_.SetSetting("FirstStart", 1);
    ZelvoraSession zelvora(desktop_, 0);
    ASSERT_TRUE(WaitForTrayIcon()) << "the minimised program shows no icon";
    std::this_thread::sleep_for(2s);
    EXPECT_FALSE(Shows("TfrmZelvora"));
    EXPECT_FALSE(Shows("TfrmAbout"));
    EXPECT_EQ(desktop_.Settings()["FirstStart"], Dword(1)) << "taken before the window showed";

    EXPECT_FALSE(Shows("TApplication")) << "a taskbar button besides the icon";
    ClickTrayIcon();
    EXPECT_TRUE(WaitForWindow("TfrmZelvora"));
    EXPECT_TRUE(WaitForWindow("TfrmAbout")) << "the about window did not follow the first restore";
}

TEST_F(Settings, TheLanguageMenuRewritesEveryWindowAndIsSaved)
{
    ZelvoraSession zelvora(desktop_);
    ChooseMenu(desktop_, 1, {9, 1});  // Aktion > Sprache > Deutsch
    EXPECT_TRUE(
        WaitUntil([&] { return Texts("TfrmZelvora").find("Button\tFreihand\n") != std::string::npos; }, 5s));
    EXPECT_EQ(Texts("TfrmAbout").rfind("TfrmAbout\tInfo über Zelvora\n", 0), 0u) << Texts("TfrmAbout");
    EXPECT_EQ(Texts("TfrmLicense").rfind("TfrmLicense\tZelvora Lizenz\n", 0), 0u) << Texts("TfrmLicense");
    EXPECT_EQ(Texts("TfrmEditHotkey").rfind("TfrmEditHotkey\tTastenkombinationen ändern\n", 0), 0u);
    EXPECT_NE(Texts("TfrmZelvora").find("Static\tHalten Sie Alt+1 gedrückt"), std::string::npos)
        << Texts("TfrmZelvora");

    ChooseMenu(desktop_, 1, {9, 3});  // Română
    EXPECT_TRUE(
        WaitUntil([&] { return Texts("TfrmLicense").find("Licenţă Zelvora") != std::string::npos; }, 5s))
        << Texts("TfrmLicense");
    EXPECT_NE(Texts("TfrmEditHotkey").find("Editează scurtăturile"), std::string::npos);
    // The keys window is made on first use, in the language of the moment, and follows a change.
    ChooseMenu(desktop_, 2, {3});  // Ajutor > Taste în timpul desenării...
    ASSERT_TRUE(WaitForWindow("TfrmDrawingKeys"));
    EXPECT_EQ(Texts("TfrmDrawingKeys").rfind("TfrmDrawingKeys\tTaste în timpul desenării\n", 0), 0u);
    EXPECT_NE(Texts("TfrmDrawingKeys").find("Static\tSăgeată, vârful la început\n"), std::string::npos)
        << Texts("TfrmDrawingKeys");
    screen_.Tap("Escape");
    EXPECT_TRUE(WaitForWindow("TfrmDrawingKeys", false));
    ChooseMenu(desktop_, 1, {9, 0});  // English
    EXPECT_TRUE(WaitUntil(
        [&] {
            return Texts("TfrmDrawingKeys")
                       .find("Static\tArrow, its head where it began\nStatic\tCtrl+Shift\n") !=
                   std::string::npos;
        },
        5s))
        << Texts("TfrmDrawingKeys");
    ChooseMenu(desktop_, 1, {9, 3});
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings()["Lang"], Dword(4));
}

TEST_F(Settings, TheHelpMenuOpensTheSitesTheTermsAndTheAboutWindow)
{
    ZelvoraSession zelvora(desktop_);
    ChooseMenu(desktop_, 2, {0});  // Hilfe > Website besuchen...
    EXPECT_EQ(Browsed(), "http://www.ombrix.example/zelvora/\n");

    ChooseMenu(desktop_, 2, {1});  // Lizenz...
    ASSERT_TRUE(WaitForWindow("TfrmLicense"));
    screen_.Tap("Return");  // "Schliessen"
    EXPECT_TRUE(WaitForWindow("TfrmLicense", false));

    std::remove(desktop_.BrowserLog().c_str());
    ChooseMenu(desktop_, 2, {4});  // Info...
    ASSERT_TRUE(WaitForWindow("TfrmAbout"));
    const auto about = desktop_.WindowRect("TfrmAbout");
    ASSERT_TRUE(about);
    const CommandResult maker = desktop_.Probe({"rect", "TfrmAbout", "Static", "277x15"});
    ScreenRect label;
    std::istringstream in(maker.Output);
    ASSERT_TRUE(in >> label.Left >> label.Top >> label.Right >> label.Bottom) << maker.Output;
    screen_.Click(label.CentreX(), label.CentreY());
    EXPECT_EQ(Browsed(), "http://www.ombrix.example/\n");
    desktop_.Probe({"front", "TfrmAbout"});
    screen_.Tap("Escape");
    EXPECT_TRUE(WaitForWindow("TfrmAbout", false));
}

TEST_F(Settings, TheControlsChangeThePenAndAreSaved)
{
    ZelvoraSession zelvora(desktop_);
    ClickLowestInColour(0x0080FF);  // the colour swatch, in the stored orange, opens the colour dialog
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("#32770") == 1; }, 10s)) << "no colour dialog";
    Type({"Right", "Right", "Down", "Return"});  // another basic colour, confirmed
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("#32770") == 0; }, 10s));
    ASSERT_TRUE(zelvora.Close());
    const RegistryValue colour = desktop_.Settings()["MarkerColor"];
    ASSERT_NE(colour, Dword(0x80FF)) << "the colour did not change";
    const std::uint32_t chosen = static_cast<std::uint32_t>(std::stoul(colour.Data, nullptr, 16));

    ZelvoraSession again(desktop_);
    EXPECT_TRUE(page_.DrawStroke(kPaintChord, 0, chosen)) << "the stored colour is not the pen's";
    ClickControl("msctls_trackbar32", "121x33");
    Type({"End"});  // the track bar's maximum
    EXPECT_TRUE(
        WaitUntil([&] { return Texts("TfrmZelvora").find("Static\t20 px\n") != std::string::npos; }, 3s));
    ClickControl("Button", "Transparency");
    ClickControl("Button", "Flood fill");
    ClickControl("Button", "Visual controls");
    ASSERT_TRUE(again.Close());
    const RegistryValues stored = desktop_.Settings();
    EXPECT_EQ(stored.at("MarkerSize"), Dword(20));
    EXPECT_EQ(stored.at("Transparency"), Dword(1));
    EXPECT_EQ(stored.at("FloodFill"), Dword(1));
    EXPECT_EQ(stored.at("Mode"), Dword(2));
}

class HotkeyEditor : public Settings {};

TEST_F(HotkeyEditor, ANewPaintShortcutDrawsAndTheOldOneNoLonger)
{
    ZelvoraSession zelvora(desktop_);
    OpenEditor();
    Type({"q", "Return"});  // a bare Q becomes Ctrl+Alt+Q; Return is OK
    ASSERT_TRUE(WaitForWindow("TfrmEditHotkey", false));
    EXPECT_NE(Texts("TfrmZelvora").find("Strg+Alt+Q"), std::string::npos)
        << "the instructions were not refreshed";
    desktop_.FocusDesktop();
    EXPECT_TRUE(page_.DrawStroke({"Control_L", "Alt_L", "q"})) << "Ctrl+Alt+Q does not draw";
    EXPECT_EQ(page_.ChangedByStroke(kPaintChord, 60), 0) << "Alt+1 still draws";
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings()["PaintHotkey"], Dword(0xC051));
}

TEST_F(HotkeyEditor, CancelAfterChangingAllThreeKeepsTheShortcutsBefore)
{
    ZelvoraSession zelvora(desktop_);
    const std::string instructionsBefore = Texts("TfrmZelvora");
    OpenEditor();
    EXPECT_EQ(page_.ChangedByStroke(kPaintChord), 0) << "drawing goes on while the editor is open";
    Type({"q", "Tab", "w", "Tab", "e", "Escape"});
    ASSERT_TRUE(WaitForWindow("TfrmEditHotkey", false));
    EXPECT_EQ(Texts("TfrmZelvora"), instructionsBefore);
    desktop_.FocusDesktop();
    const Image before = page_.Grab();
    EXPECT_TRUE(page_.DrawStroke(kPaintChord)) << "Alt+1 no longer draws";
    PressChord(screen_, {"Alt_L", "2"});
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(before, page_.Grab()) == 0; }, 5s))
        << "Alt+2 no longer wipes";
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings(), DefaultSettings());
}

TEST_F(HotkeyEditor, TheSameCombinationForWipeAndModeReportsTheModeOneAndTheWipeOneWorks)
{
    ZelvoraSession zelvora(desktop_);
    OpenEditor();
    Type({"Tab", "w", "Tab", "w", "Return"});
    EXPECT_EQ(TakeMessageBoxes(), "Zelvora\tCan't register the hotkey Alt+W. Please select another.\n");
    EXPECT_EQ(desktop_.Probe({"msgboxes"}).Output, "");
    desktop_.FocusDesktop();
    const Image before = page_.Grab();
    ASSERT_TRUE(page_.DrawStroke(kPaintChord));
    PressChord(screen_, {"Alt_L", "w"});
    EXPECT_TRUE(WaitUntil([&] { return CountDifferences(before, page_.Grab()) == 0; }, 5s))
        << "Alt+W does not wipe";
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings()["DeleteHotkey"], Dword(0x8057));
    EXPECT_EQ(desktop_.Settings()["ModeHotkey"], Dword(0x8057));
}

TEST_F(HotkeyEditor, AnEmptiedPaintFieldNeverDrawsAndIsNotReported)
{
    ZelvoraSession zelvora(desktop_);
    OpenEditor();
    Type({"BackSpace", "Return"});  // the field shows "None"
    ASSERT_TRUE(WaitForWindow("TfrmEditHotkey", false));
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(desktop_.Probe({"msgboxes"}).Output, "");
    desktop_.FocusDesktop();
    EXPECT_EQ(page_.ChangedByStroke(kPaintChord), 0);
    EXPECT_EQ(page_.ChangedByStroke({"Alt_L"}, 40), 0);
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings()["PaintHotkey"], Dword(0));
}

TEST_F(HotkeyEditor, TheUndoRowChangesCancelsAndReportsATakenCombination)
{
    ZelvoraSession zelvora(desktop_);
    const auto drawnThenUndone = [&](std::vector<const char*> undo) {
        desktop_.FocusDesktop();
        if (!page_.DrawStroke(kPaintChord)) return false;
        WaitForHold(desktop_, false);  // the program has seen the chord go up, as a person waits
        PressChord(screen_, std::move(undo));
        return WaitUntil(
            [&] {
                const Image page = page_.Grab();
                return std::count(page.Pixels.begin(), page.Pixels.end(), kMarkerOrange) == 0;
            },
            3s);
    };
    OpenEditor();
    Type({"Tab", "Tab", "Tab", "u", "Return"});  // the fourth field: Alt+U
    ASSERT_TRUE(WaitForWindow("TfrmEditHotkey", false));
    EXPECT_TRUE(drawnThenUndone({"Alt_L", "u"})) << "Alt+U does not undo";
    EXPECT_FALSE(drawnThenUndone({"Alt_L", "4"})) << "Alt+4 still undoes";
    Type({"Escape"});  // Alt+4, no hotkey now, went to the window with the keyboard as a menu key
    PressChord(screen_, {"Alt_L", "2"});  // the next stroke on fresh paper
    std::this_thread::sleep_for(500ms);

    OpenEditor();
    Type({"Tab", "Tab", "Tab", "j", "Escape"});
    ASSERT_TRUE(WaitForWindow("TfrmEditHotkey", false));
    EXPECT_TRUE(drawnThenUndone({"Alt_L", "u"})) << "Cancel did not keep Alt+U";

    OpenEditor();
    Type({"Tab", "Tab", "Tab", "2", "Return"});  // the wipe's combination
    EXPECT_EQ(TakeMessageBoxes(), "Zelvora\tCan't register the hotkey Alt+2. Please select another.\n");
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings()["UndoHotkey"], Dword(0x8032)) << "kept, though taken, for another try";
}

TEST_F(HotkeyEditor, TheSaveScreenRowChangesTheShortcutThatSavesTheScreen)
{
    namespace fs = std::filesystem;
    const fs::path pictures = fs::path(desktop_.PicturesDir()) / "Zelvora";
    fs::remove_all(pictures);
    const auto saved = [&] { return FinishedPictures(desktop_.PicturesDir()).size(); };
    ZelvoraSession zelvora(desktop_);
    OpenEditor();
    Type({"Tab", "Tab", "Tab", "Tab", "p", "Return"});  // the fifth field: Alt+P
    ASSERT_TRUE(WaitForWindow("TfrmEditHotkey", false));
    desktop_.FocusDesktop();
    PressChord(screen_, {"Alt_L", "p"});
    EXPECT_TRUE(WaitUntil([&] { return saved() == 1; }, 10s)) << "Alt+P saved no picture";
    PressChord(screen_, {"Alt_L", "5"});
    std::this_thread::sleep_for(2s);
    EXPECT_EQ(saved(), 1u) << "Alt+5 still saves";
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings()["SnapshotHotkey"], Dword(0x8050));
}

TEST_F(HotkeyEditor, TheLaserAndSpotlightRowsChangeTheirShortcutsAndAreStored)
{
    ZelvoraSession zelvora(desktop_);
    OpenEditor();
    // The sixth and seventh fields: Alt+L, Alt+S.
    Type({"Tab", "Tab", "Tab", "Tab", "Tab", "l", "Tab", "s", "Return"});
    ASSERT_TRUE(WaitForWindow("TfrmEditHotkey", false));
    desktop_.FocusDesktop();
    const ScreenRect edit = page_.Edit();
    page_.RestPointerAt({edit.Left + 150, edit.Top + 150});
    // Far from the pointer, the page's white goes dark while the spotlight is on.
    const auto dimmed = [&] { return screen_.Pixel(edit.Left + 400, edit.Top + 20) != 0xFFFFFF; };
    ASSERT_FALSE(dimmed());
    PressChord(screen_, {"Alt_L", "7"});
    std::this_thread::sleep_for(500ms);
    EXPECT_FALSE(dimmed()) << "Alt+7 still turns the spotlight on";
    PressChord(screen_, {"Alt_L", "s"});
    EXPECT_TRUE(WaitUntil(dimmed, 5s)) << "Alt+S did not turn the spotlight on";
    PressChord(screen_, {"Alt_L", "s"});
    EXPECT_TRUE(WaitUntil([&] { return !dimmed(); }, 5s)) << "Alt+S did not turn it off";
    ASSERT_TRUE(zelvora.Close());
    EXPECT_EQ(desktop_.Settings()["LaserHotkey"], Dword(0x804C));
    EXPECT_EQ(desktop_.Settings()["SpotlightHotkey"], Dword(0x8053));
}

// Ending the session ends Notepad and the desktop too: a desktop of its own.
TEST(SessionEnd, TheEndOfTheSessionSavesAChangedSetting)
{
    WineDesktop desktop(ZELVORA_DESKTOP_WORK_DIR "/session-end", ZELVORA_BIN_DIR);
    desktop.ClearSettings();
    ZelvoraSession zelvora(desktop);
    PressChord(desktop.Screen(), {"Alt_L", "3"});  // control mode
    // Notepad holds typed text and would ask to save it, holding the session's end up.
    desktop.Probe({"close", "Notepad"});
    WaitUntil([&] { return desktop.WindowCount("#32770") == 1; }, 10s, 100ms);
    desktop.Probe({"answer-msgbox", "no"});
    WaitUntil([&] { return desktop.WindowCount("Notepad") == 0; }, 10s, 100ms);
    const CommandResult ended = RunCommand({"wineboot", "--end-session"}, 60s);
    EXPECT_EQ(ended.ExitCode, 0);
    EXPECT_TRUE(zelvora.WaitForExit());
    const RegistryValues stored = desktop.Settings();
    ASSERT_EQ(stored.size(), 20u) << "nothing saved";
    EXPECT_EQ(stored.at("Mode"), Dword(2));
}

}  // namespace
}  // namespace zelvora::desktop
