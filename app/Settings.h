// The user's choices as they are stored between runs: value names, defaults, the order of the
// save, and how a bad stored value is survived.
#pragma once

#include <string>
#include <vector>

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
    TShortCut PaintHotkey = kDefaultPaintShortcut;
    TShortCut DeleteHotkey = kDefaultWipeShortcut;
    TShortCut ModeHotkey = kDefaultModeShortcut;
    // Saved after the ten values above.
    bool KeepMarks = false;
    TShortCut UndoHotkey = kDefaultUndoShortcut;
    TShortCut SnapshotHotkey = kDefaultSnapshotShortcut;
    int VanishSeconds = 0;  // 0 (never), 2, 5 or 15; any other stored value reads as 0
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
};

// Every value that exists is read; a missing or unreadable one gives its default.
TLoadedSettings LoadSettings(const ISettingsValues& values);

// Writes the values in their fixed order: the ten first, then KeepMarks, UndoHotkey,
// SnapshotHotkey and VanishSeconds. A value that cannot
// be written does not stop the ones after it; the texts of the failures are returned.
std::vector<std::string> SaveSettings(const TSettings& settings, ISettingsValues& values);

// True once on a first start: "FirstStart" is there and non-zero; it is then set to 0. An
// unreadable value counts as no first start and is rewritten as 0 (its error is added).
[[nodiscard]] bool TakeFirstStart(ISettingsValues& values, std::vector<std::string>& errors);

// The errors as one text for one error box.
std::string JoinErrors(const std::vector<std::string>& errors);

}  // namespace zelvora
