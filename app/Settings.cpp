#include "app/Settings.h"

#include <algorithm>
#include <exception>

#include "engine/VanishingInk.h"

namespace zelvora {

namespace {

class TReader {
public:
    TReader(const ISettingsValues& values, std::vector<std::string>& errors)
        : values_(values), errors_(errors)
    {
    }

    int Integer(const char* name, int fallback)
    {
        try {
            return values_.ValueExists(name) ? values_.ReadInteger(name) : fallback;
        } catch (const std::exception& error) {
            errors_.push_back(error.what());
            return fallback;
        }
    }
    bool Boolean(const char* name, bool fallback) { return Integer(name, fallback ? 1 : 0) != 0; }
    bool Exists(const char* name) const
    {
        try {
            return values_.ValueExists(name);
        } catch (const std::exception&) {
            return true;
        }
    }
    TShortCut ShortCut(const char* name, TShortCut fallback)
    {
        return static_cast<TShortCut>(Integer(name, fallback));
    }

private:
    const ISettingsValues& values_;
    std::vector<std::string>& errors_;
};

}  // namespace

int ValidLaserFadeMs(int ms)
{
    return ms <= 0 ? 0 : std::clamp(ms, kMinLaserFadeMs, kMaxLaserFadeMs);
}

int ValidSpotlightDim(int percent)
{
    return std::clamp(percent, kMinSpotlightDim, kMaxSpotlightDim);
}

TLoadedSettings LoadSettings(const ISettingsValues& values, const TSettings& defaults)
{
    TLoadedSettings loaded;
    TSettings& s = loaded.Settings;
    TReader read(values, loaded.Errors);
    s.MarkerSize = read.Integer("MarkerSize", defaults.MarkerSize);
    s.MarkerColor = static_cast<TColor>(read.Integer("MarkerColor", static_cast<int>(defaults.MarkerColor)));
    s.Lang = read.Integer("Lang", defaults.Lang);
    s.FreeHand = read.Integer("Mode", kStoredFreeHand) == kStoredFreeHand;
    s.MinimizeOnStart = read.Boolean("Minimize", defaults.MinimizeOnStart);
    s.Transparent = read.Boolean("Transparency", defaults.Transparent);
    s.FloodFill = read.Boolean("FloodFill", defaults.FloodFill);
    for (const TShortcutRow& row : kShortcutRows)
        s.Shortcut(row.Command) = read.ShortCut(row.StoredName, defaults.Shortcut(row.Command));
    const auto mended = MendShortcuts(s.Shortcuts);
    // A shortcut never stored that gave way (its default was taken before it existed) is no
    // error of the person's.
    for (std::size_t i = 0; i < kShortcutCount; ++i)
        if (mended[i] && read.Exists(kShortcutRows[i].StoredName))
            loaded.MendedShortcuts.push_back(kShortcutRows[i].StoredName);
    s.KeepMarks = read.Boolean("KeepMarks", defaults.KeepMarks);
    s.VanishSeconds = TVanishingInk::ValidSeconds(read.Integer("VanishSeconds", defaults.VanishSeconds));
    s.LaserFadeMs = ValidLaserFadeMs(read.Integer("LaserFadeMs", defaults.LaserFadeMs));
    s.SpotlightDim = ValidSpotlightDim(read.Integer("SpotlightDim", defaults.SpotlightDim));
    s.ShowKeyHints = read.Boolean("ShowKeyHints", defaults.ShowKeyHints);
    return loaded;
}

std::vector<std::string> SaveSettings(const TSettings& s, ISettingsValues& values)
{
    const std::pair<const char*, int> ordered[] = {
        {"MarkerSize", s.MarkerSize},
        {"MarkerColor", static_cast<int>(s.MarkerColor)},
        {"Lang", s.Lang},
        {"Minimize", s.MinimizeOnStart ? 1 : 0},
        {"Transparency", s.Transparent ? 1 : 0},
        {"FloodFill", s.FloodFill ? 1 : 0},
        {"PaintHotkey", s.Shortcut(TShortcutCommand::Paint)},
        {"DeleteHotkey", s.Shortcut(TShortcutCommand::Wipe)},
        {"ModeHotkey", s.Shortcut(TShortcutCommand::Mode)},
        {"Mode", s.FreeHand ? kStoredFreeHand : kStoredControlMode},
        {"KeepMarks", s.KeepMarks ? 1 : 0},
        {"UndoHotkey", s.Shortcut(TShortcutCommand::Undo)},
        {"SnapshotHotkey", s.Shortcut(TShortcutCommand::Snapshot)},
        {"VanishSeconds", TVanishingInk::ValidSeconds(s.VanishSeconds)},
        {"LaserHotkey", s.Shortcut(TShortcutCommand::Laser)},
        {"SpotlightHotkey", s.Shortcut(TShortcutCommand::Spotlight)},
        {"LaserFadeMs", ValidLaserFadeMs(s.LaserFadeMs)},
        {"SpotlightDim", ValidSpotlightDim(s.SpotlightDim)},
        {"ShowKeyHints", s.ShowKeyHints ? 1 : 0},
        {"PauseHotkey", s.Shortcut(TShortcutCommand::Pause)},
    };
    std::vector<std::string> errors;
    for (const auto& [name, value] : ordered) {
        try {
            values.WriteInteger(name, value);
        } catch (const std::exception& error) {
            errors.push_back(error.what());
        }
    }
    return errors;
}

bool TakeFirstStart(ISettingsValues& values, std::vector<std::string>& errors)
{
    bool first = false;
    try {
        if (!values.ValueExists(kFirstStartValue)) return false;
        first = values.ReadInteger(kFirstStartValue) != 0;
        if (!first) return false;
    } catch (const std::exception& error) {
        errors.push_back(error.what());
    }
    try {
        values.WriteInteger(kFirstStartValue, 0);
    } catch (const std::exception& error) {
        errors.push_back(error.what());
    }
    return first;
}

std::string JoinErrors(const std::vector<std::string>& errors)
{
    std::string text;
    for (const std::string& error : errors) {
        if (!text.empty()) text += '\n';
        text += error;
    }
    return text;
}

}  // namespace zelvora
