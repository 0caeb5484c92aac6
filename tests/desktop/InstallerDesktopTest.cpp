// The setup program on a Wine desktop: installing silently and by its pages, over a running copy,
// uninstalling, and refusing what it cannot do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ProgramDesktopFixture.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

inline constexpr char kInstallerFolder[] = "installer";
constexpr char kUninstallKey[] = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelvora";
constexpr char kSetupWindowClass[] = "#32770";
// Setup's exit codes beside 0.
constexpr int kSetupAlreadyRunning = 3;
constexpr int kFolderNotWritable = 4;
constexpr int kZelvoraWouldNotEnd = 5;
constexpr int kFolderNotOurs = 6;

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

class Installer : public SharedDesktopSuite<kInstallerFolder> {
protected:
    static void SetUpTestSuite()
    {
        SharedDesktopSuite::SetUpTestSuite();
        // A folder no one may write in. The tests run as root, whom no permission stops: the
        // folder is made immutable instead (ext4 and the like).
        const fs::path locked = LockedFolder();
        RunCommand({"chattr", "-i", locked.string()});
        fs::remove_all(locked);
        fs::create_directory(locked);
        lockable_ = RunCommand({"chattr", "+i", locked.string()}).ExitCode == 0;
        // Where the shell's folders lie: asked of Wine once, not at every test.
        programFolderW_ = WindowsFolder("LOCALAPPDATA") + "\\Programs\\Zelvora";
        shortcutW_ = WindowsFolder("APPDATA") + "\\Microsoft\\Windows\\Start Menu\\Programs\\Zelvora.lnk";
        programFolder_ = UnixPath(programFolderW_);
        shortcut_ = UnixPath(shortcutW_);
    }
    static void TearDownTestSuite()
    {
        RunCommand({"chattr", "-i", LockedFolder().string()});
        SharedDesktopSuite::TearDownTestSuite();
    }
    static fs::path LockedFolder() { return Shared().WorkDir() + "/prefix/drive_c/Locked"; }

    void SetUp() override
    {
        ASSERT_TRUE(fs::exists(kSetup)) << "no setup program: is makensis (Debian package nsis) installed?";
        desktop_.Probe({"close", "TfrmZelvora"});
        WaitUntil([&] { return desktop_.WindowCount("TfrmZelvora") == 0; }, 20s, 100ms);
        fs::remove_all(ProgramFolder());
        fs::remove(Shortcut());
        desktop_.ClearSettings();
        desktop_.DeleteRegistryValue(kRunKey, "Zelvora");
        RunCommand({"wine", "reg", "delete", kUninstallKey, "/f"}, 60s);
    }

    // The Windows form of a folder the shell names, and where it lies in the prefix.
    static std::string WindowsFolder(const char* variable)
    {
        return Trimmed(RunCommand({"wine", "cmd", "/c", std::string("echo %") + variable + "%"}, 60s).Output);
    }
    static fs::path UnixPath(const std::string& windowsPath)
    {
        return Trimmed(RunCommand({"winepath", "-u", windowsPath}, 60s).Output);
    }

    static const std::string& ProgramFolderW() { return programFolderW_; }
    static const fs::path& ProgramFolder() { return programFolder_; }
    static const std::string& ShortcutW() { return shortcutW_; }
    static const fs::path& Shortcut() { return shortcut_; }
    std::string QuotedProgram() const { return "\"" + ProgramFolderW() + "\\Zelvora.exe\""; }

    int RunSetup(const std::vector<std::string>& args)
    {
        std::vector<std::string> argv{"wine", kSetup};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunCommand(argv, 120s).ExitCode;
    }
    ChildProcess LaunchSetup(const std::vector<std::string>& args = {})
    {
        return desktop_.Launch(kSetup, args);
    }
    // The uninstaller goes on in a copy of itself: done when the program folder is gone.
    bool UninstallSilently()
    {
        const int code = RunCommand({"wine", ProgramFolderW() + "\\Uninstall.exe", "/S"}, 120s).ExitCode;
        return code == 0 && WaitUntil([&] { return !fs::exists(ProgramFolder()); }, 60s, 200ms);
    }

    bool SetupShows(const std::string& childText)
    {
        return WaitUntil(
            [&] {
                return desktop_.Probe({"rect", kSetupWindowClass, "Button", childText}).ExitCode == 0;
            },
            30s, 200ms);
    }
    // Presses the page's default button, as a person presses Return, once the setup has the
    // keyboard; true when `nextButton` shows then.
    bool PressReturnInSetup(const std::string& nextButton = "")
    {
        desktop_.FocusDesktop();
        desktop_.Probe({"front", kSetupWindowClass});
        if (const auto window = desktop_.WindowRect(kSetupWindowClass))  // where a person clicks first
            screen_.Click(window->Left + 60, window->Top + 10);
        WaitUntil(
            [&] { return desktop_.Probe({"foreground"}).Output == std::string(kSetupWindowClass) + "\n"; },
            10s, 100ms);
        screen_.Tap("Return");
        return nextButton.empty() || SetupShows(nextButton);
    }
    void ClickInSetup(const std::string& buttonText)
    {
        const CommandResult found = desktop_.Probe({"rect", kSetupWindowClass, "Button", buttonText});
        ScreenRect r;
        std::istringstream in(found.Output);
        ASSERT_TRUE(in >> r.Left >> r.Top >> r.Right >> r.Bottom) << buttonText;
        desktop_.FocusDesktop();
        screen_.Click(r.Left + 8, r.CentreY());  // the box, left of its text
        std::this_thread::sleep_for(200ms);
    }
    // The message boxes showing now, "caption<TAB>text" each (the setup's own window shows with
    // no text), empty when none shows.
    std::string MessageBoxes()
    {
        std::string boxes;
        std::istringstream lines(desktop_.Probe({"msgboxes-utf8"}).Output);
        for (std::string line; std::getline(lines, line);)
            if (line.empty() || line.back() != '\t') boxes += line + "\n";
        return boxes;
    }
    std::string WaitForMessageText()
    {
        std::string texts;
        WaitUntil([&] { return !(texts = MessageBoxes()).empty(); }, 30s, 200ms);
        return texts;
    }
    // OK, as a person presses it: the box is in front. (Posting IDOK to every dialog would press
    // the setup's own Next button too.)
    bool AcknowledgeMessageBox()
    {
        screen_.Tap("Return");
        return WaitUntil([&] { return MessageBoxes().empty(); }, 10s, 200ms);
    }
    // By its pages, the folder given with /D= is refused with a message naming it, and the folder
    // page stays for another choice; then the setup is closed.
    void ExpectRefusedOnTheFolderPage(const std::string& folder, const std::string& why)
    {
        ChildProcess setup = LaunchSetup({"/D=" + folder});
        ASSERT_TRUE(SetupShows("&Next >"));
        ASSERT_TRUE(PressReturnInSetup("&Install")) << "no folder page after Next";
        PressReturnInSetup();
        const std::string text = WaitForMessageText();
        EXPECT_NE(text.find(folder), std::string::npos) << text;
        EXPECT_NE(text.find(why), std::string::npos) << text;
        EXPECT_TRUE(AcknowledgeMessageBox());
        EXPECT_TRUE(SetupShows("&Install")) << "the folder page should stay for another choice";
        desktop_.Probe({"close", kSetupWindowClass});
        EXPECT_TRUE(setup.WaitForExit(20s));
    }
    void ExpectNothingInstalled()
    {
        EXPECT_FALSE(fs::exists(ProgramFolder()));
        EXPECT_FALSE(fs::exists(Shortcut()));
        EXPECT_TRUE(desktop_.QueryKey(kUninstallKey).empty());
        EXPECT_EQ(desktop_.QueryKey(kRunKey).count("Zelvora"), 0u);
    }

    static inline bool lockable_ = false;
    static inline std::string programFolderW_, shortcutW_;
    static inline fs::path programFolder_, shortcut_;
    const std::string kSetup = std::string(ZELVORA_BIN_DIR "/Zelvora-") + ZELVORA_VERSION + "-setup.exe";
    WineDesktop& desktop_ = Shared();
    X11Screen& screen_ = Shared().Screen();
    NotepadPage page_{Shared()};
};

TEST_F(Installer, ASilentInstallPutsFilesShortcutAndUninstallEntryInPlaceAndTheProgramDraws)
{
    ASSERT_EQ(RunSetup({"/S"}), 0);

    EXPECT_EQ(FileBytes(ProgramFolder() / "Zelvora.exe"), FileBytes(ZELVORA_BIN_DIR "/Zelvora.exe"));
    EXPECT_TRUE(fs::exists(ProgramFolder() / "Uninstall.exe"));
    EXPECT_TRUE(fs::exists(Shortcut()));
    RegistryValues entry = desktop_.QueryKey(kUninstallKey);
    EXPECT_EQ(entry["DisplayName"], (RegistryValue{"REG_SZ", "Zelvora"}));
    EXPECT_EQ(entry["DisplayVersion"], (RegistryValue{"REG_SZ", ZELVORA_VERSION}));
    EXPECT_EQ(entry["Publisher"], (RegistryValue{"REG_SZ", "Ombrix"}));
    EXPECT_EQ(entry["DisplayIcon"], (RegistryValue{"REG_SZ", QuotedProgram() + ",0"}));
    EXPECT_EQ(entry["UninstallString"],
              (RegistryValue{"REG_SZ", "\"" + ProgramFolderW() + "\\Uninstall.exe\""}));
    EXPECT_EQ(entry["InstallLocation"], (RegistryValue{"REG_SZ", ProgramFolderW()}));
    // In KiB: the program and the uninstaller, nothing else the folder may hold.
    const auto ourKiB =
        (fs::file_size(ProgramFolder() / "Zelvora.exe") + fs::file_size(ProgramFolder() / "Uninstall.exe")) /
        1024;
    EXPECT_EQ(entry["EstimatedSize"].Type, "REG_DWORD");
    EXPECT_NEAR(static_cast<double>(std::stoul(entry["EstimatedSize"].Data, nullptr, 16)),
                static_cast<double>(ourKiB), 2);
    std::ofstream(ProgramFolder() / "notes.bin", std::ios::binary) << std::string(3 << 20, 'n');
    ASSERT_EQ(RunSetup({"/S"}), 0) << "a folder with our program is ours, whatever else it holds";
    EXPECT_NEAR(
        static_cast<double>(std::stoul(desktop_.QueryKey(kUninstallKey)["EstimatedSize"].Data, nullptr, 16)),
        static_cast<double>(ourKiB), 2)
        << "a person's own file was counted";
    fs::remove(ProgramFolder() / "notes.bin");
    EXPECT_EQ(desktop_.QueryKey(kRunKey).count("Zelvora"), 0u) << "autostart was not chosen";

    // Started from the Start menu's shortcut, as a person does.
    ZelvoraSession zelvora(desktop_, {"start", "/wait", ShortcutW()});
    ASSERT_FALSE(zelvora.MainWindow().empty()) << "the shortcut started nothing";
    EXPECT_TRUE(page_.DrawStroke(kPaintChord)) << "the installed program does not draw";
    PressChord(screen_, {"Alt_L", "2"});
    ASSERT_TRUE(zelvora.Close());
    EXPECT_FALSE(desktop_.Settings().empty()) << "the installed program kept no settings";
}

TEST_F(Installer, StartWithWindowsOnTheLastPageWritesTheRunValueTheProgramShowsChecked)
{
    ChildProcess setup = LaunchSetup();
    ASSERT_TRUE(SetupShows("&Next >")) << "no welcome page";
    ASSERT_TRUE(PressReturnInSetup("&Install")) << "no folder page after Next";
    ASSERT_TRUE(PressReturnInSetup("Start with Windows")) << "no last page after Install";
    ClickInSetup("Start with Windows");
    PressReturnInSetup();  // Finish, with "Start Zelvora now" ticked as it comes
    ASSERT_TRUE(setup.WaitForExit(30s));

    EXPECT_EQ(desktop_.QueryKey(kRunKey)["Zelvora"], (RegistryValue{"REG_SZ", QuotedProgram()}));
    ZelvoraSession zelvora(desktop_, ZelvoraSession::StartedElsewhere{});
    ASSERT_FALSE(zelvora.MainWindow().empty()) << "\"Start Zelvora now\" started nothing";
    // Checked in the program's menu: choosing it turns autostart off.
    ChooseMenu(desktop_, 1, {6});  // Aktion > Mit Windows starten
    EXPECT_TRUE(WaitUntil([&] { return desktop_.QueryKey(kRunKey).count("Zelvora") == 0; }, 10s, 200ms))
        << "the program's menu did not show the installer's choice checked";
}

TEST_F(Installer, AgainByItsPagesAnAutostartThatIsOnShowsTickedAndUntickingTurnsItOff)
{
    ASSERT_EQ(RunSetup({"/S", "/AUTOSTART"}), 0);
    ChildProcess setup = LaunchSetup();
    ASSERT_TRUE(SetupShows("&Next >"));
    ASSERT_TRUE(PressReturnInSetup("&Install"));
    ASSERT_TRUE(PressReturnInSetup("Start with Windows"));
    ClickInSetup("Start with Windows");  // ticked as it comes: now off
    ClickInSetup("Start Zelvora now");
    PressReturnInSetup();
    ASSERT_TRUE(setup.WaitForExit(30s));
    EXPECT_EQ(desktop_.QueryKey(kRunKey).count("Zelvora"), 0u) << "the box did not show the autostart ticked";
}

TEST_F(Installer, TheSetupSpeaksTheSystemsLanguage)
{
    struct Language {
        const char* Locale;
        const char* Next;
        const char* Install;
        const char* Autostart;  // the program's own menu text
        const char* StartNow;
    };
    for (const Language& language : {Language{"de_DE.UTF-8", "&Weiter >", "&Installieren",
                                              "Mit Windows starten", "Zelvora jetzt starten"},
                                     Language{"fr_FR.UTF-8", "&Suivant >", "&Installer",
                                              "Démarrer avec Windows", "Démarrer Zelvora maintenant"},
                                     Language{"ro_RO.UTF-8", "Îna&inte >", "&Instalează",
                                              "Porneşte odată cu Windows", "Porneşte Zelvora acum"}}) {
        SCOPED_TRACE(language.Locale);
        const std::string locale = std::string("LC_ALL=") + language.Locale;
        ChildProcess setup({"env", locale, "wine", kSetup}, desktop_.WorkDir() + "/wine.log");
        ASSERT_TRUE(SetupShows(language.Next));
        ASSERT_TRUE(PressReturnInSetup(language.Install));
        ASSERT_TRUE(PressReturnInSetup(language.Autostart));
        EXPECT_TRUE(SetupShows(language.StartNow));
        ClickInSetup(language.StartNow);  // untick: nothing to start
        PressReturnInSetup();
        EXPECT_TRUE(setup.WaitForExit(20s));
        EXPECT_EQ(desktop_.WindowCount("TfrmZelvora"), 0);
    }
}

TEST_F(Installer, InstallingOverARunningCopyEndsItOrderlyAndKeepsItsSettings)
{
    ASSERT_EQ(RunSetup({"/S"}), 0);
    desktop_.SetSetting("Mode", 1);
    desktop_.SetSetting("MarkerSize", 5);
    ZelvoraSession zelvora(desktop_, {ProgramFolderW() + "\\Zelvora.exe"});
    ASSERT_FALSE(zelvora.MainWindow().empty());
    PressChord(screen_, {"Alt_L", "3"});  // control mode, not yet saved
    ASSERT_TRUE(page_.ChordFramesThePage(kPaintChord, 5)) << "the mode change did not reach the program";
    // Another copy the setup must replace. Grown, not cut: cutting the file the running program is
    // mapped from makes its next fresh code page fault, and it would die instead of saving.
    const fs::path program = ProgramFolder() / "Zelvora.exe";
    fs::resize_file(program, fs::file_size(program) + 1000);

    ASSERT_EQ(RunSetup({"/S"}), 0);
    EXPECT_TRUE(zelvora.Exited()) << "the running copy was not ended";
    const RegistryValues settings = desktop_.Settings();
    EXPECT_EQ(settings.at("Mode"), Dword(2)) << "the running copy's change was not saved";
    EXPECT_EQ(settings.at("MarkerSize"), Dword(5)) << "the second install lost a setting";
    EXPECT_EQ(FileBytes(ProgramFolder() / "Zelvora.exe"), FileBytes(ZELVORA_BIN_DIR "/Zelvora.exe"));
}

TEST_F(Installer, AZelvoraThatWillNotEndStopsTheSetupBeforeAnyFileIsReplaced)
{
    ASSERT_EQ(RunSetup({"/S"}), 0);
    fs::resize_file(ProgramFolder() / "Zelvora.exe", 1000);
    ChildProcess hung({"wine", desktop_.BinDir() + "/zelvora-probe.exe", "stubborn", "TfrmZelvora", "60"});
    ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowCount("TfrmZelvora") == 1; }, 20s, 100ms));

    EXPECT_EQ(RunSetup({"/S"}), kZelvoraWouldNotEnd);
    EXPECT_EQ(fs::file_size(ProgramFolder() / "Zelvora.exe"), 1000u) << "a file was replaced";
    // Into a new folder three levels deep: the try to write there leaves none of them behind.
    const fs::path fresh = Shared().WorkDir() + "/prefix/drive_c/Fresh";
    fs::remove_all(fresh);
    EXPECT_EQ(RunSetup({"/S", "/D=C:\\Fresh\\Deeper\\Zelvora"}), kZelvoraWouldNotEnd);
    EXPECT_FALSE(fs::exists(fresh)) << "the folders made to try writing stayed";
    EXPECT_EQ(RunCommand({"wine", ProgramFolderW() + "\\Uninstall.exe", "/S", "_?=" + ProgramFolderW()}, 120s)
                  .ExitCode,
              kZelvoraWouldNotEnd);
    EXPECT_TRUE(fs::exists(ProgramFolder() / "Uninstall.exe")) << "the uninstaller went on";
    hung.Stop();
}

TEST_F(Installer, ASilentUninstallEndsTheProgramAndLeavesOnlyTheSettings)
{
    ASSERT_EQ(RunSetup({"/S", "/AUTOSTART"}), 0);
    EXPECT_EQ(desktop_.QueryKey(kRunKey)["Zelvora"], (RegistryValue{"REG_SZ", QuotedProgram()}));
    desktop_.SetSetting("Mode", 1);
    desktop_.SetSetting("MarkerSize", 5);
    ZelvoraSession zelvora(desktop_, {ProgramFolderW() + "\\Zelvora.exe"});
    ASSERT_FALSE(zelvora.MainWindow().empty());
    PressChord(screen_, {"Alt_L", "3"});
    ASSERT_TRUE(page_.ChordFramesThePage(kPaintChord, 5)) << "the mode change did not reach the program";

    ASSERT_TRUE(UninstallSilently()) << "the program folder is still there";
    EXPECT_TRUE(zelvora.Exited());
    ExpectNothingInstalled();
    EXPECT_EQ(desktop_.Settings().at("Mode"), Dword(2)) << "kept, with the running copy's last change";
}

TEST_F(Installer, UninstallingByItsPagesMayTakeTheSettingsAndLeavesAnotherCopysAutostart)
{
    ASSERT_EQ(RunSetup({"/S"}), 0);
    desktop_.SetSetting("Mode", 2);
    // A copy elsewhere starts with Windows: not the uninstaller's to remove.
    desktop_.SetRegistryValue(kRunKey, "Zelvora", "REG_SZ", "\"C:\\Portable\\Zelvora.exe\"");

    ChildProcess uninstall = desktop_.Launch(ProgramFolderW() + "\\Uninstall.exe");
    ASSERT_TRUE(SetupShows("&Uninstall")) << "no confirmation page";
    PressReturnInSetup();
    EXPECT_NE(WaitForMessageText().find("Keep your Zelvora settings"), std::string::npos);
    desktop_.Probe({"answer-msgbox", "no"});
    ASSERT_TRUE(SetupShows("&Close")) << "the uninstaller did not finish";
    PressReturnInSetup();
    ASSERT_TRUE(WaitUntil([&] { return !fs::exists(ProgramFolder()); }, 60s, 200ms));

    EXPECT_TRUE(desktop_.Settings().empty()) << "the settings were to go";
    EXPECT_EQ(desktop_.QueryKey(kRunKey)["Zelvora"].Data, "\"C:\\Portable\\Zelvora.exe\"");
    EXPECT_TRUE(desktop_.QueryKey(kUninstallKey).empty());
}

TEST_F(Installer, ASecondSetupAtTheSameTimeIsRefusedPolitely)
{
    ChildProcess first = LaunchSetup();
    ASSERT_TRUE(SetupShows("&Next >"));

    EXPECT_EQ(RunSetup({"/S"}), kSetupAlreadyRunning);
    ChildProcess second = LaunchSetup();
    EXPECT_NE(WaitForMessageText().find("\tThe Zelvora setup is already running. Please finish it first.\n"),
              std::string::npos);
    EXPECT_TRUE(AcknowledgeMessageBox());
    EXPECT_TRUE(second.WaitForExit(20s));

    desktop_.Probe({"close", kSetupWindowClass});  // the first one's close box
    EXPECT_TRUE(first.WaitForExit(20s));
    ExpectNothingInstalled();
}

TEST_F(Installer, AFolderThatCannotBeWrittenIsNamedAndNothingChanges)
{
    if (!lockable_) GTEST_SKIP() << "chattr +i is refused here: no folder that root cannot write";
    EXPECT_EQ(RunSetup({"/S", "/D=C:\\Locked\\Zelvora"}), kFolderNotWritable);
    ExpectNothingInstalled();

    ExpectRefusedOnTheFolderPage("C:\\Locked\\Zelvora",
                                 "cannot be written. Nothing was changed. Please choose another folder.");
    ExpectNothingInstalled();
}

TEST_F(Installer, AFolderHoldingAnotherProgramIsRefusedAndKeepsItsFiles)
{
    const fs::path tools = Shared().WorkDir() + "/prefix/drive_c/Tools";
    fs::remove_all(tools);
    fs::create_directories(tools);
    std::ofstream(tools / "Uninstall.exe") << "another program's uninstaller";
    std::ofstream(tools / "readme.txt") << "keep me";
    EXPECT_EQ(RunSetup({"/S", "/D=C:\\Tools"}), kFolderNotOurs);
    EXPECT_EQ(FileBytes(tools / "Uninstall.exe"), "another program's uninstaller");
    EXPECT_FALSE(fs::exists(tools / "Zelvora.exe"));
    ExpectNothingInstalled();

    ExpectRefusedOnTheFolderPage("C:\\Tools", "already holds other files");
    EXPECT_EQ(FileBytes(tools / "Uninstall.exe"), "another program's uninstaller");
    fs::remove_all(tools);
}

TEST_F(Installer, AnAutostartNamingThisCopyInShortNamesOrAnotherCaseGoesWithIt)
{
    // A name longer than 8.3 (no blank: the setup takes /D= unquoted).
    const std::string folderW = "C:\\ProgramToolsFolder\\Zelvora";
    const fs::path folder = Shared().WorkDir() + "/prefix/drive_c/ProgramToolsFolder";
    for (const bool shortNames : {true, false}) {
        SCOPED_TRACE(shortNames ? "short names" : "upper case");
        fs::remove_all(folder);
        ASSERT_EQ(RunSetup({"/S", "/AUTOSTART", "/D=" + folderW}), 0);
        const std::string program = folderW + "\\Zelvora.exe";
        std::string other = program;
        if (shortNames) {
            other = desktop_.Probe({"short-path", program}).Output;
            while (!other.empty() && (other.back() == '\n' || other.back() == '\r')) other.pop_back();
            ASSERT_NE(other.find('~'), std::string::npos) << "no short name: " << other;
        } else {
            std::transform(other.begin(), other.end(), other.begin(),
                           [](unsigned char c) { return std::toupper(c); });
        }
        desktop_.SetRegistryValue(kRunKey, "Zelvora", "REG_SZ", "\"" + other + "\"");
        const int code = RunCommand({"wine", folderW + "\\Uninstall.exe", "/S"}, 120s).ExitCode;
        ASSERT_EQ(code, 0);
        EXPECT_TRUE(WaitUntil([&] { return !fs::exists(folder / "Zelvora"); }, 60s, 200ms));
        EXPECT_TRUE(WaitUntil([&] { return desktop_.QueryKey(kRunKey).count("Zelvora") == 0; }, 10s, 200ms))
            << "the autostart still names the removed " << other;
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace zelvora::desktop
