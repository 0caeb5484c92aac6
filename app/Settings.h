// The user's choices as they are stored between runs: value names, defaults, the order of the
// save, and how a bad stored value is survived.
#pragma once

#include <string>
#include <vector>

#include "base/ShortcutCommands.h"
#include "engine/MarkerDefaults.h"

namespace zelvora {

inline constexpr char kSettingsKeyPath[] = "Software\\Ombrix\\Zelvora";
inline constexpr char kFirstStartValue[] = "FirstStart";

// Mode as stored: 1 is free-hand, anything else control mode.
inline constexpr int kStoredFreeHand = 1;
inline constexpr int kStoredControlMode = 2;

struct TSettings {
    int MarkerSize = kDefaultMarkerSize;
    TColor MarkerColor = kDefaultMarkerColor;
    int Lang = 2;  // English
    bool FreeHand = true;
    bool MinimizeOnStart = false;
    bool Transparent = false;
    bool FloodFill = false;
    // PaintHotkey, DeleteHotkey and ModeHotkey among the ten values, then UndoHotkey,
    // SnapshotHotkey, LaserHotkey, SpotlightHotkey and PauseHotkey; in the order of kShortcutRows.
    TShortcuts Shortcuts = DefaultShortcuts();
    // Saved after the ten values.
    // The default is on where the desktop is composed (marks drawn on the screen go at its next
    // frame): the caller says so.
    bool KeepMarks = false;
    int VanishSeconds = 0;  // 0 (never), 2, 5 or 15; any other stored value reads as 0
    // How long the laser's trail takes to fade after release: 0 (at once) or 200 to 3000 ms.
    int LaserFadeMs = kDefaultLaserFadeMs;
    // How bright the screen outside the spotlight stays, in percent: 10 to 90.
    int SpotlightDim = kDefaultSpotlightDim;
    // A card of the hold's keys beside a pointer that rests a second with the paint shortcut held.
    bool ShowKeyHints = true;

    TShortCut& Shortcut(TShortcutCommand command) { return Shortcuts[IndexOf(command)]; }
    TShortCut Shortcut(TShortcutCommand command) const { return Shortcuts[IndexOf(command)]; }
};

// Integer values under one key. Reads and writes throw std::exception with a text for the user
// when a value has the wrong type or cannot be read or written.
class ISettingsValues {
public:
    virtual bool ValueExists(const std::string& name) const = 0;
    virtual int ReadInteger(const std::string& name) const = 0;
    virtual void WriteInteger(const std::string& name, int value) = 0;

protected:
    ~ISettingsValues() = default;
};

struct TLoadedSettings {
    TSettings Settings;
    // One text per value that could not be read; that value keeps its default.
    std::vector<std::string> Errors;
    // The stored names of shortcuts that broke the rules and were mended: the window names each
    // in its language.
    std::vector<std::string> MendedShortcuts;
};

// Every value that exists is read; a missing or unreadable one gives its default, from
// `defaults`. A stored shortcut the hotkey editor would refuse (no modifier, Shift alone, the
// same as another command's) is an error too, and its default is used.
// A stored fade or dim out of its range takes the nearest value in it.
int ValidLaserFadeMs(int ms);
int ValidSpotlightDim(int percent);

TLoadedSettings LoadSettings(const ISettingsValues& values, const TSettings& defaults = {});

// Writes the values in their fixed order: the ten first, then KeepMarks, UndoHotkey,
// SnapshotHotkey, VanishSeconds, LaserHotkey, SpotlightHotkey, LaserFadeMs, SpotlightDim, ShowKeyHints and
// PauseHotkey. A value that cannot be written does not stop the ones after it; the texts of the failures are
// returned.
std::vector<std::string> SaveSettings(const TSettings& settings, ISettingsValues& values);

// True once on a first start: "FirstStart" is there and non-zero; it is then set to 0. An
// unreadable value counts as no first start and is rewritten as 0 (its error is added).
[[nodiscard]] bool TakeFirstStart(ISettingsValues& values, std::vector<std::string>& errors);

// The errors as one text for one error box.
std::string JoinErrors(const std::vector<std::string>& errors);

}  // namespace zelvora
