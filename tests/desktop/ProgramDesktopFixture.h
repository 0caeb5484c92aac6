// The desktop the settings and tray tests share: one Wine desktop for all their cases, and the
// gestures and readings they have in common.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "SharedDesktopSuite.h"
#include "driver/NotepadPage.h"
#include "driver/Wait.h"

namespace zelvora::desktop {

using namespace std::chrono_literals;

inline const std::vector<const char*> kPaintChord{"Alt_L", "1"};

inline RegistryValue Dword(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return {"REG_DWORD", text};
}

// Pictures saved whole in Pictures\Zelvora, in name order: one being written has a temporary name.
inline std::vector<std::filesystem::path> FinishedPictures(const std::string& picturesDir)
{
    namespace fs = std::filesystem;
    std::error_code error;
    std::vector<fs::path> files;
    for (const auto& file : fs::directory_iterator(fs::path(picturesDir) / "Zelvora", error))
        if (file.path().extension() == ".png") files.push_back(file.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Dimmed as the spotlight dims: no channel brighter than 40 % of what it was (and a rounding
// step); black where the test desktop cannot blend.
inline bool Dimmed(std::uint32_t before, std::uint32_t now)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (static_cast<int>((now >> shift) & 0xFF) > static_cast<int>((before >> shift) & 0xFF) * 2 / 5 + 3)
            return false;
    return true;
}

inline RegistryValues DefaultSettings()
{
    return {{"MarkerSize", Dword(10)},
            {"MarkerColor", Dword(0x80FF)},
            {"Lang", Dword(2)},
            {"Minimize", Dword(0)},
            {"Transparency", Dword(0)},
            {"FloodFill", Dword(0)},
            {"PaintHotkey", Dword(0x8031)},
            {"DeleteHotkey", Dword(0x8032)},
            {"ModeHotkey", Dword(0x8033)},
            {"Mode", Dword(1)},
            {"KeepMarks", Dword(0)},
            {"UndoHotkey", Dword(0x8034)},
            {"SnapshotHotkey", Dword(0x8035)},
            {"VanishSeconds", Dword(0)},
            {"LaserHotkey", Dword(0x8036)},
            {"SpotlightHotkey", Dword(0x8037)},
            {"LaserFadeMs", Dword(500)},
            {"SpotlightDim", Dword(40)},
            {"ShowKeyHints", Dword(1)},
            {"PauseHotkey", Dword(0x8030)}};
}

inline constexpr char kSettingsFolder[] = "settings";

class Settings : public SharedDesktopSuite<kSettingsFolder> {
protected:
    void SetUp() override
    {
        desktop_.ClearSettings();
        desktop_.DeleteRegistryValue(kRunKey, "Zelvora");
        std::remove(desktop_.BrowserLog().c_str());
    }

    // "class<TAB>text" lines of a window and everything inside it, read through the Unicode API.
    std::string Texts(const char* windowClass) { return desktop_.Probe({"texts", windowClass}).Output; }
    bool Shows(const char* windowClass) { return desktop_.WindowCount(windowClass) == 1; }
    bool WaitForWindow(const char* windowClass, bool shown = true)
    {
        return WaitUntil([&] { return Shows(windowClass) == shown; }, 10s, 100ms);
    }
    // Clicks the centre of a control of the main window found by class and text (or size "WxH").
    void ClickControl(const char* childClass, const char* textOrSize)
    {
        desktop_.FocusDesktop();
        const CommandResult found = desktop_.Probe({"rect", "TfrmZelvora", childClass, textOrSize});
        ScreenRect r;
        std::istringstream in(found.Output);
        ASSERT_TRUE(in >> r.Left >> r.Top >> r.Right >> r.Bottom) << childClass << " " << textOrSize;
        screen_.Click(r.CentreX(), r.CentreY());
        std::this_thread::sleep_for(200ms);
    }
    // Clicks the lowest place of the main window painted in a colour (0x00BBGGRR), a little above
    // its bottom edge: the colour swatch, which shows the pen's colour below the pen preview.
    void ClickLowestInColour(std::uint32_t colour)
    {
        desktop_.FocusDesktop();
        const auto window = desktop_.WindowRect("TfrmZelvora");
        ASSERT_TRUE(window);
        const Image shown = screen_.GrabAll();  // the window may reach past the screen's edge
        int lowestX = -1, lowestY = -1;
        for (int y = std::max(window->Top, 0); y < std::min(window->Bottom, shown.Height); ++y)
            for (int x = std::max(window->Left, 0); x < std::min(window->Right, shown.Width); ++x)
                if (shown.At(x, y) == colour) lowestX = x, lowestY = y;
        ASSERT_GE(lowestY, 0) << "nothing in the colour " << std::hex << colour;
        screen_.Click(lowestX - 2, lowestY - 4);
        std::this_thread::sleep_for(200ms);
    }
    // Where a person clicks to give a window the keyboard.
    void ClickTitleBar(const char* windowClass)
    {
        desktop_.FocusDesktop();
        const auto window = desktop_.WindowRect(windowClass);
        ASSERT_TRUE(window) << windowClass;
        screen_.Click(window->Left + 60, window->Top + 10);
        std::this_thread::sleep_for(200ms);
    }
    bool WaitForTrayIcon(bool shown = true)
    {
        return WaitUntil([&] { return FindTrayIcon(screen_).has_value() == shown; }, 10s, 100ms);
    }
    // Clicks the program's icon in the notification area, as a person does.
    void ClickTrayIcon()
    {
        desktop_.FocusDesktop();
        const auto icon = FindTrayIcon(screen_);
        ASSERT_TRUE(icon) << "no icon in the notification area";
        screen_.Click(icon->X, icon->Y);
    }
    // Aktion > Tastenkombinationen ändern...; a click puts the keyboard in the paint field (opened
    // again, the editor keeps it where it was left).
    void OpenEditor()
    {
        ChooseMenu(desktop_, 1, {8});
        ASSERT_TRUE(WaitForWindow("TfrmEditHotkey")) << "no hotkey editor";
        std::this_thread::sleep_for(300ms);
        const CommandResult field = desktop_.Probe({"top-child", "TfrmEditHotkey", "msctls_hotkey32"});
        ScreenRect r;
        std::istringstream in(field.Output);
        ASSERT_TRUE(in >> r.Left >> r.Top >> r.Right >> r.Bottom) << field.Output;
        screen_.Click(r.CentreX(), r.CentreY());
        std::this_thread::sleep_for(200ms);
    }
    void Type(std::initializer_list<const char*> keys)
    {
        for (const char* key : keys) {
            screen_.Tap(key);
            std::this_thread::sleep_for(150ms);
        }
    }
    std::string Browsed()
    {
        std::string opened;
        WaitUntil(
            [&] {
                std::ifstream log(desktop_.BrowserLog());
                opened.assign(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
                return !opened.empty();
            },
            10s, 100ms);
        return opened;
    }
    std::string ExpectedAutostartCommand() const
    {
        std::string path = desktop_.BinDir() + "/Zelvora.exe";
        std::replace(path.begin(), path.end(), '/', '\\');
        return "\"Z:" + path + "\"";
    }
    // The message boxes showing now, read through the Unicode API as UTF-8; dismissed after.
    std::string TakeMessageBoxes()
    {
        std::string boxes;
        WaitUntil([&] { return !(boxes = desktop_.Probe({"msgboxes-utf8"}).Output).empty(); }, 20s, 100ms);
        desktop_.Probe({"dismiss-msgboxes"});
        WaitUntil([&] { return desktop_.Probe({"msgboxes"}).Output.empty(); }, 10s, 100ms);
        return boxes;
    }

    WineDesktop& desktop_ = Shared();
    X11Screen& screen_ = Shared().Screen();
    NotepadPage page_{Shared()};
};

}  // namespace zelvora::desktop
