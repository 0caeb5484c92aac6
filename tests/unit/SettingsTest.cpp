#include "app/Settings.h"
#include "app/SnapshotNames.h"

#include <gtest/gtest.h>

#include "app/UpdateAddresses.h"

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace zelvora {
namespace {

// A settings key in memory: integer or text values, names whose write fails, and the writes in
// the order they came.
class MemoryValues : public ISettingsValues {
public:
    std::map<std::string, std::variant<int, std::string>> Values;
    std::set<std::string> Unwritable;
    std::vector<std::pair<std::string, int>> Writes;

    bool ValueExists(const std::string& name) const override { return Values.count(name) != 0; }
    int ReadInteger(const std::string& name) const override
    {
        const auto found = Values.find(name);
        if (found == Values.end())
            throw std::runtime_error("Fehler beim Holen der Daten f\xFCr '" + name + "'");
        if (!std::holds_alternative<int>(found->second))
            throw std::runtime_error("Ung\xFCltiger Datentyp f\xFCr '" + name + "'");
        return std::get<int>(found->second);
    }
    void WriteInteger(const std::string& name, int value) override
    {
        if (Unwritable.count(name))
            throw std::runtime_error("Fehler beim Setzen der Daten f\xFCr '" + name + "'");
        Writes.emplace_back(name, value);
        Values[name] = value;
    }
};

void ExpectDefaults(const TSettings& s)
{
    EXPECT_EQ(s.MarkerSize, 10);
    EXPECT_EQ(s.MarkerColor, 0x000080FFu);
    EXPECT_EQ(s.Lang, 2);
    EXPECT_TRUE(s.FreeHand);
    EXPECT_FALSE(s.MinimizeOnStart);
    EXPECT_FALSE(s.Transparent);
    EXPECT_FALSE(s.FloodFill);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Paint), 0x8031);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Wipe), 0x8032);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Mode), 0x8033);
    EXPECT_FALSE(s.KeepMarks);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Undo), 0x8034);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Snapshot), 0x8035);
    EXPECT_EQ(s.VanishSeconds, 0);
}

TEST(LoadSettings, AnEmptyKeyGivesTheDefaultsWithoutErrors)
{
    const MemoryValues empty;
    const TLoadedSettings loaded = LoadSettings(empty);
    ExpectDefaults(loaded.Settings);
    EXPECT_TRUE(loaded.Errors.empty());
}

TEST(LoadSettings, ReadsEveryStoredValueAndTakesBooleansAsNonZero)
{
    MemoryValues stored;
    stored.Values = {{"MarkerSize", 50},
                     {"MarkerColor", 0xFF0000},
                     {"Lang", 4},
                     {"Mode", 1},
                     {"Minimize", 7},
                     {"Transparency", 1},
                     {"FloodFill", -1},
                     {"PaintHotkey", 0xC051},
                     {"DeleteHotkey", 0x4044},
                     {"ModeHotkey", 0x6070},
                     {"KeepMarks", 5},
                     {"UndoHotkey", 0},
                     {"SnapshotHotkey", 0x6053},
                     {"VanishSeconds", 15}};
    const TSettings s = LoadSettings(stored).Settings;
    EXPECT_EQ(s.MarkerSize, 50);  // the track bar clamps it, not the store
    EXPECT_EQ(s.MarkerColor, 0xFF0000u);
    EXPECT_EQ(s.Lang, 4);
    EXPECT_TRUE(s.FreeHand);
    EXPECT_TRUE(s.MinimizeOnStart);
    EXPECT_TRUE(s.Transparent);
    EXPECT_TRUE(s.FloodFill);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Paint), 0xC051);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Wipe), 0x4044);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Mode), 0x6070);
    EXPECT_TRUE(s.KeepMarks);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Undo), 0) << "an emptied shortcut stays off";
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Snapshot), 0x6053);
    EXPECT_EQ(s.VanishSeconds, 15);
    for (int unknown : {1, 3, 10, -2, 1000}) {
        stored.Values["VanishSeconds"] = unknown;
        EXPECT_EQ(LoadSettings(stored).Settings.VanishSeconds, 0)
            << unknown << " seconds are no choice: never";
    }
}

TEST(LoadSettings, AnyModeButOneIsControlMode)
{
    for (int mode : {0, 2, 7, -1}) {
        MemoryValues stored;
        stored.Values["Mode"] = mode;
        EXPECT_FALSE(LoadSettings(stored).Settings.FreeHand) << mode;
    }
}

TEST(LoadSettings, AWrongTypedValueKeepsItsDefaultAndTheOthersAreRead)
{
    MemoryValues stored;
    stored.Values = {
        {"MarkerSize", std::string("20")}, {"Lang", 1}, {"Mode", std::string("x")}, {"FloodFill", 1}};
    const TLoadedSettings loaded = LoadSettings(stored);
    EXPECT_EQ(loaded.Settings.MarkerSize, 10);
    EXPECT_TRUE(loaded.Settings.FreeHand);
    EXPECT_EQ(loaded.Settings.Lang, 1);
    EXPECT_TRUE(loaded.Settings.FloodFill);
    EXPECT_EQ(loaded.Errors, (std::vector<std::string>{"Ung\xFCltiger Datentyp f\xFCr 'MarkerSize'",
                                                       "Ung\xFCltiger Datentyp f\xFCr 'Mode'"}));
    EXPECT_EQ(JoinErrors(loaded.Errors),
              "Ung\xFCltiger Datentyp f\xFCr 'MarkerSize'\nUng\xFCltiger Datentyp f\xFCr 'Mode'");
}

TEST(LoadSettings, AStoredShortcutTheEditorWouldRefuseIsReportedAndTakesItsDefault)
{
    MemoryValues stored;
    stored.Values = {{"PaintHotkey", 0x0041},      // a bare A: every A typed anywhere
                     {"DeleteHotkey", 0x2041},     // Shift alone
                     {"ModeHotkey", 0x8036},       // Alt+6: fine
                     {"UndoHotkey", 0x8036},       // the same as the mode shortcut
                     {"SnapshotHotkey", 0x8000}};  // no key: off, as an emptied field leaves it
    const TLoadedSettings loaded = LoadSettings(stored);
    const TSettings& s = loaded.Settings;
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Paint), 0x8031);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Wipe), 0x8032);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Mode), 0x8036);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Undo), 0x8034);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Snapshot), 0x8000);
    // The laser, never stored, finds its Alt+6 taken: off, and not reported as the person's fault.
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Laser), 0);
    EXPECT_EQ(s.Shortcut(TShortcutCommand::Spotlight), 0x8037);
    EXPECT_TRUE(loaded.Errors.empty());
    EXPECT_EQ(loaded.MendedShortcuts,
              (std::vector<std::string>{"PaintHotkey", "DeleteHotkey", "UndoHotkey"}));

    // A default another command holds already leaves the shortcut off rather than twice.
    stored.Values = {{"PaintHotkey", 0x8034}, {"UndoHotkey", 0x0034}};
    const TSettings twice = LoadSettings(stored).Settings;
    EXPECT_EQ(twice.Shortcut(TShortcutCommand::Paint), 0x8034);
    EXPECT_EQ(twice.Shortcut(TShortcutCommand::Undo), 0);
}

TEST(LoadSettings, KeepMarksDefaultsToWhatTheCallerSaysAndAStoredValueWins)
{
    MemoryValues stored;
    TSettings composed;
    composed.KeepMarks = true;
    EXPECT_TRUE(LoadSettings(stored, composed).Settings.KeepMarks);
    EXPECT_FALSE(LoadSettings(stored).Settings.KeepMarks);
    stored.Values["KeepMarks"] = 0;
    EXPECT_FALSE(LoadSettings(stored, composed).Settings.KeepMarks);
}

TEST(SaveSettings, WritesTheTenValuesInTheirOrderThenTheOnesAddedSince)
{
    TSettings s;
    s.MarkerSize = 20;
    s.MarkerColor = 0x123456;
    s.Lang = 3;
    s.FreeHand = false;
    s.MinimizeOnStart = true;
    s.FloodFill = true;
    s.Shortcut(TShortcutCommand::Paint) = 0xC051;
    s.KeepMarks = true;
    s.VanishSeconds = 5;
    s.LaserFadeMs = 5000;  // beyond the range: its end is written
    s.SpotlightDim = 25;
    s.ShowKeyHints = false;
    MemoryValues key;
    EXPECT_TRUE(SaveSettings(s, key).empty());
    EXPECT_EQ(key.Writes, (std::vector<std::pair<std::string, int>>{{"MarkerSize", 20},
                                                                    {"MarkerColor", 0x123456},
                                                                    {"Lang", 3},
                                                                    {"Minimize", 1},
                                                                    {"Transparency", 0},
                                                                    {"FloodFill", 1},
                                                                    {"PaintHotkey", 0xC051},
                                                                    {"DeleteHotkey", 0x8032},
                                                                    {"ModeHotkey", 0x8033},
                                                                    {"Mode", 2},
                                                                    {"KeepMarks", 1},
                                                                    {"UndoHotkey", 0x8034},
                                                                    {"SnapshotHotkey", 0x8035},
                                                                    {"VanishSeconds", 5},
                                                                    {"LaserHotkey", 0x8036},
                                                                    {"SpotlightHotkey", 0x8037},
                                                                    {"LaserFadeMs", 3000},
                                                                    {"SpotlightDim", 25},
                                                                    {"ShowKeyHints", 0},
                                                                    {"PauseHotkey", 0x8030}}));
    s.FreeHand = true;
    key.Writes.clear();
    SaveSettings(s, key);
    EXPECT_EQ(key.Writes[9], (std::pair<std::string, int>{"Mode", 1}));
    EXPECT_FALSE(key.ValueExists(kFirstStartValue)) << "the save never writes FirstStart";
}

TEST(SaveSettings, AValueThatCannotBeWrittenDoesNotLoseTheOnesAfterIt)
{
    MemoryValues key;
    key.Unwritable = {"Lang", "ModeHotkey"};
    const std::vector<std::string> errors = SaveSettings(TSettings{}, key);
    EXPECT_EQ(errors, (std::vector<std::string>{"Fehler beim Setzen der Daten f\xFCr 'Lang'",
                                                "Fehler beim Setzen der Daten f\xFCr 'ModeHotkey'"}));
    EXPECT_EQ(key.Writes.size(), 18u);
    EXPECT_EQ(key.Writes.back().first, "PauseHotkey");
}

TEST(SaveSettings, WhatIsSavedLoadsBackTheSame)
{
    TSettings s;
    s.MarkerSize = 3;
    s.MarkerColor = 0xFFFFFF;
    s.Lang = 4;
    s.FreeHand = false;
    s.Transparent = true;
    s.Shortcut(TShortcutCommand::Wipe) = 0x4044;
    s.KeepMarks = true;
    s.Shortcut(TShortcutCommand::Undo) = 0x6034;
    s.Shortcut(TShortcutCommand::Snapshot) = 0;
    s.VanishSeconds = 2;
    s.Shortcut(TShortcutCommand::Spotlight) = 0xA053;
    s.LaserFadeMs = 0;
    s.SpotlightDim = 55;
    s.ShowKeyHints = false;
    MemoryValues key;
    key.Values["MarkerSize"] = std::string("wrong type, rewritten");
    SaveSettings(s, key);
    const TLoadedSettings loaded = LoadSettings(key);
    EXPECT_TRUE(loaded.Errors.empty());
    EXPECT_EQ(loaded.Settings.MarkerSize, 3);
    EXPECT_EQ(loaded.Settings.MarkerColor, 0xFFFFFFu);
    EXPECT_EQ(loaded.Settings.Lang, 4);
    EXPECT_FALSE(loaded.Settings.FreeHand);
    EXPECT_TRUE(loaded.Settings.Transparent);
    EXPECT_EQ(loaded.Settings.Shortcut(TShortcutCommand::Wipe), 0x4044);
    EXPECT_TRUE(loaded.Settings.KeepMarks);
    EXPECT_EQ(loaded.Settings.Shortcut(TShortcutCommand::Undo), 0x6034);
    EXPECT_EQ(loaded.Settings.Shortcut(TShortcutCommand::Spotlight), 0xA053);
    EXPECT_EQ(loaded.Settings.LaserFadeMs, 0);
    EXPECT_EQ(loaded.Settings.SpotlightDim, 55);
    EXPECT_FALSE(loaded.Settings.ShowKeyHints);
    EXPECT_EQ(loaded.Settings.Shortcut(TShortcutCommand::Snapshot), 0);
    EXPECT_EQ(loaded.Settings.VanishSeconds, 2);
}

TEST(TakeFirstStart, TrueOnceWhenTheValueIsSetThenZero)
{
    MemoryValues key;
    std::vector<std::string> errors;
    EXPECT_FALSE(TakeFirstStart(key, errors));
    EXPECT_TRUE(key.Writes.empty()) << "an absent value stays absent";

    key.Values[kFirstStartValue] = 1;
    EXPECT_TRUE(TakeFirstStart(key, errors));
    EXPECT_EQ(std::get<int>(key.Values[kFirstStartValue]), 0);
    EXPECT_FALSE(TakeFirstStart(key, errors));
    EXPECT_EQ(key.Writes.size(), 1u) << "a zero is not written again";
    EXPECT_TRUE(errors.empty());
}

TEST(TakeFirstStart, AWrongTypedValueIsReportedAndRewrittenAsZero)
{
    MemoryValues key;
    key.Values[kFirstStartValue] = std::string("yes");
    std::vector<std::string> errors;
    EXPECT_FALSE(TakeFirstStart(key, errors));
    EXPECT_EQ(errors, (std::vector<std::string>{"Ung\xFCltiger Datentyp f\xFCr 'FirstStart'"}));
    EXPECT_EQ(std::get<int>(key.Values[kFirstStartValue]), 0);
}

TEST(TakeFirstStart, AFailedWriteIsReportedButTheAboutWindowStillOpens)
{
    MemoryValues key;
    key.Values[kFirstStartValue] = 1;
    key.Unwritable = {kFirstStartValue};
    std::vector<std::string> errors;
    EXPECT_TRUE(TakeFirstStart(key, errors));
    EXPECT_EQ(errors.size(), 1u);
}

TEST(UpdateAddresses, TheDownloadIsOfferedOverHttpsUnlessTheSettingNamesPlainHttp)
{
    const struct {
        const char* Server;
        const char* Version;
        const char* Download;
    } cases[] = {
        {"update.zelvora.example", "http://update.zelvora.example:80/zelvora/version.txt",
         "https://update.zelvora.example/zelvora/Zelvora.exe"},
        {"mirror.lan:8080", "http://mirror.lan:8080/zelvora/version.txt",
         "https://mirror.lan/zelvora/Zelvora.exe"},
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080/zelvora/version.txt",
         "http://127.0.0.1:8080/zelvora/Zelvora.exe"},
        {"HTTP://mirror.lan/", "http://mirror.lan:80/zelvora/version.txt",
         "http://mirror.lan/zelvora/Zelvora.exe"},
        {"https://files.example:8443", "http://files.example:80/zelvora/version.txt",
         "https://files.example:8443/zelvora/Zelvora.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Server);
        const TUpdateAddresses addresses = UpdateAddresses(c.Server);
        EXPECT_EQ(addresses.Version, c.Version);
        EXPECT_EQ(addresses.Download, c.Download);
    }
}

TEST(SnapshotFileName, TheLocalTimeToTheSecondAndANumberForTheNextPictureOfThatSecond)
{
    EXPECT_EQ(SnapshotFileName({2026, 12, 8, 14, 3, 22}), "Zelvora 2026-12-08 14.03.22.png");
    EXPECT_EQ(SnapshotFileName({2026, 12, 8, 14, 3, 22}, 2), "Zelvora 2026-12-08 14.03.22 (2).png");
    EXPECT_EQ(SnapshotFileName({2027, 1, 1, 0, 0, 0}, 11), "Zelvora 2027-01-01 00.00.00 (11).png");
}

}  // namespace
}  // namespace zelvora
