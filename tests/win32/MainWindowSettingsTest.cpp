// The main window's settings life inside one process: what construction reads, the check marks
// it derives, what the end of the session and the destruction write.
#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"
#include "app/win32/Autostart.h"
#include "app/win32/MainWindow.h"
#include "toolkit/win32/Menus.h"
#include "toolkit/win32/Registry.h"

namespace zelvora {
namespace {

DWORD StoredDword(const char* name)
{
    DWORD value = 0xDEADBEEF, size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

class MainWindowSettings : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKeyPath, kAutostartValue); }
    void TearDown() override { RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKeyPath, kAutostartValue); }

    static TfrmZelvora& Main(TApplication& app) { return dynamic_cast<TfrmZelvora&>(*app.MainForm()); }
    static TMenuItem& Item(TApplication& app, const char* name)
    {
        return dynamic_cast<TMenuItem&>(*Main(app).FindComponent(name));
    }
};

TEST_F(MainWindowSettings, TheAutostartCheckFollowsTheRunValueAtStartAndTheOutcomeOfAClick)
{
    {
        auto app = testing::CreateProgramWindows();
        EXPECT_FALSE(Item(*app, "mnuStartWithWindows").Checked());
    }
    TRegistry(HKEY_CURRENT_USER, kRunKeyPath).WriteString(kAutostartValue, L"anything");
    auto app = testing::CreateProgramWindows();
    TMenuItem& item = Item(*app, "mnuStartWithWindows");
    EXPECT_TRUE(item.Checked()) << "any value means on";
    item.Click();
    EXPECT_FALSE(item.Checked());
    EXPECT_FALSE(AutostartEnabled());
    item.Click();
    EXPECT_TRUE(item.Checked());
    wchar_t data[MAX_PATH + 3] = {};
    DWORD size = sizeof data;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                           L"Zelvora", RRF_RT_REG_SZ, nullptr, data, &size),
              ERROR_SUCCESS);
    const std::wstring command = data;
    ASSERT_GE(command.size(), 2u);
    EXPECT_EQ(command.front(), L'"');
    EXPECT_EQ(command.back(), L'"');
    EXPECT_NE(command.find(L".exe\""), std::wstring::npos) << "the path of the running program, quoted";
}

TEST(AutostartCommand, QuotesThePathSoThatBlanksCannotSplitIt)
{
    EXPECT_EQ(AutostartCommand(L"C:\\Program Files\\Zelvora\\Zelvora.exe"),
              L"\"C:\\Program Files\\Zelvora\\Zelvora.exe\"");
}

TEST_F(MainWindowSettings, TheEndOfTheSessionWritesTheSameAsTheExit)
{
    auto app = testing::CreateProgramWindows({{"MarkerSize", 7}, {"Mode", 1}});
    TfrmZelvora& main = Main(*app);
    main.ToggleMode();
    EXPECT_EQ(StoredDword("Mode"), 1u) << "written before the session ended";
    EXPECT_EQ(SendMessageW(main.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE) << "the session may end";
    SendMessageW(main.Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(StoredDword("Mode"), 1u) << "a cancelled end of the session writes nothing";
    SendMessageW(main.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(StoredDword("Mode"), 2u);
    EXPECT_EQ(StoredDword("MarkerSize"), 7u);
    EXPECT_EQ(StoredDword("ModeHotkey"), 0x8033u);
}

TEST_F(MainWindowSettings, AMinimisedStartLeavesTheMainWindowHiddenUntilTheFirstRestore)
{
    auto app = testing::CreateProgramWindows({{"Minimize", 1}, {"FirstStart", 1}});
    TfrmZelvora& main = Main(*app);
    EXPECT_EQ(main.WindowState(), TWindowState::wsMinimized);
    EXPECT_TRUE(Item(*app, "mnuMinimizeOnStart").Checked());
    app->Minimize();  // what Run does for a minimised main window
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    EXPECT_EQ(StoredDword("FirstStart"), 1u) << "the first-start check waits for the first showing";
    app->Restore();
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
    EXPECT_EQ(main.WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(StoredDword("FirstStart"), 0u);
    MSG posted{};
    EXPECT_TRUE(PeekMessageW(&posted, main.Handle(), WM_SHOW_ABOUT, WM_SHOW_ABOUT, PM_REMOVE))
        << "the about window is asked for by a posted message";
}

}  // namespace
}  // namespace zelvora
