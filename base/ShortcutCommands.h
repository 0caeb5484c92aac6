// The program's shortcuts in one table: what each is stored as, its default, its row in
// the hotkey editor and the menu item that does the same, so that their rules live in one place
// and another shortcut is one more row.
#pragma once

#include <array>
#include <cstddef>

#include "base/ShortCut.h"

namespace zelvora {

enum class TShortcutCommand { Paint, Wipe, Mode, Undo, Snapshot, Laser, Spotlight, Pause };

struct TShortcutRow {
    TShortcutCommand Command;
    const char* StoredName;  // the registry value
    TShortCut Default;
    const char* EditorField;  // the hotkey editor's field
    // The global atom whose value is the hotkey's id; none for the paint chord, which is polled.
    // The laser is polled too, and registered so that its keys (and their repeats) reach no
    // other program while it is held.
    const char* HotkeyAtom;
    const char* MenuItem;  // the menu item that does the same; none where there is none
    const char* TrayItem;  // the tray menu's item that does the same
};

inline constexpr std::array<TShortcutRow, 8> kShortcutRows{{
    {TShortcutCommand::Paint, "PaintHotkey", 0x8031, "edtDraw", nullptr, nullptr, nullptr},  // Alt+1, held
    {TShortcutCommand::Wipe, "DeleteHotkey", 0x8032, "edtDelete", "HotkeyZelvora", "Stiftlschen1", nullptr},
    {TShortcutCommand::Mode, "ModeHotkey", 0x8033, "edtMode", "HotkeyZelvora2", "mnuMode", nullptr},
    {TShortcutCommand::Undo, "UndoHotkey", 0x8034, "edtUndo", "HotkeyZelvora3", "mnuUndoMark", nullptr},
    {TShortcutCommand::Snapshot, "SnapshotHotkey", 0x8035, "edtSnapshot", "HotkeyZelvora4", "mnuSnapshot",
     "pmnuSnapshot"},
    {TShortcutCommand::Laser, "LaserHotkey", 0x8036, "edtLaser", "HotkeyZelvora6", nullptr,
     nullptr},  // Alt+6, held
    {TShortcutCommand::Spotlight, "SpotlightHotkey", 0x8037, "edtSpotlight", "HotkeyZelvora5", nullptr,
     nullptr},
    // Every other shortcut off and its keys the programs', until pressed again.
    {TShortcutCommand::Pause, "PauseHotkey", 0x8030, "edtPause", "HotkeyZelvora7", nullptr,
     "pmnuPause"},  // Alt+0
}};
inline constexpr std::size_t kShortcutCount = kShortcutRows.size();

constexpr std::size_t IndexOf(TShortcutCommand command)
{
    return static_cast<std::size_t>(command);
}
constexpr const TShortcutRow& RowOf(TShortcutCommand command)
{
    return kShortcutRows[IndexOf(command)];
}

using TShortcuts = std::array<TShortCut, kShortcutCount>;

constexpr TShortcuts DefaultShortcuts()
{
    TShortcuts defaults{};
    for (const TShortcutRow& row : kShortcutRows) defaults[IndexOf(row.Command)] = row.Default;
    return defaults;
}

// A shortcut the hotkey editor accepts: none at all (off), or a key with Ctrl or Alt (a bare key
// or Shift alone would take that key from every program).
constexpr bool AcceptedShortcut(TShortCut shortcut)
{
    return (shortcut & 0xFF) == 0 || (shortcut & (scCtrl | scAlt)) != 0;
}

// The shortcuts as the editor would have them: one it refuses, or one another command already
// has, takes its default (or none, when another command has that too). Returns the commands
// whose shortcut was replaced, in the table's order.
std::array<bool, kShortcutCount> MendShortcuts(TShortcuts& shortcuts);

}  // namespace zelvora
