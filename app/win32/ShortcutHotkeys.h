// The shortcuts pressed once each (wipe, mode, undo, save screen): their system-wide hotkeys on
// the main window, one action per press however long the combination is held (the keyboard
// repeats it where the system does not honour MOD_NOREPEAT), the release watched on a timer.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "base/ShortcutCommands.h"
#include "engine/HotkeyPresses.h"

namespace zelvora {

class TShortcutHotkeys {
public:
    // `run` acts on a press; `refused` is told of a combination the system would not register.
    TShortcutHotkeys(std::function<void(TShortcutCommand)> run, std::function<void(TShortCut)> refused);

    // Registers the shortcut on the window in place of the command's last one; an emptied
    // shortcut is off. The paint chord is polled, not registered.
    void Register(HWND window, TShortcutCommand command, TShortCut shortcut);
    void UnregisterAll(HWND window);
    // Its keys reach the programs until it is registered again.
    void Unregister(HWND window, TShortcutCommand command);
    // Zero for the paint chord.
    int Id(TShortcutCommand command) const { return ids_[IndexOf(command)]; }
    // WM_HOTKEY and the release timer; true when the message was one of these.
    bool HandleMessage(HWND window, UINT msg, WPARAM wParam);

private:
    void Pressed(HWND window, int id);
    void WatchReleases(HWND window);

    std::function<void(TShortcutCommand)> run_;
    std::function<void(TShortCut)> refused_;
    std::array<int, kShortcutCount> ids_{};
    std::array<TShortCut, kShortcutCount> registered_{};
    THotkeyPresses presses_;
};

}  // namespace zelvora
