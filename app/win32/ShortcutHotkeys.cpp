#include "app/win32/ShortcutHotkeys.h"

#include <utility>

#include "engine/win32/GlobalHotkeys.h"

namespace zelvora {

namespace {

constexpr UINT_PTR kReleaseTimer = 0x5A4C;
constexpr UINT kReleaseCheckMs = 20;

}  // namespace

TShortcutHotkeys::TShortcutHotkeys(std::function<void(TShortcutCommand)> run,
                                   std::function<void(TShortCut)> refused)
    : run_(std::move(run)), refused_(std::move(refused))
{
    for (const TShortcutRow& row : kShortcutRows)
        if (row.HotkeyAtom) ids_[IndexOf(row.Command)] = AddHotkeyAtom(row.HotkeyAtom);
}

void TShortcutHotkeys::Register(HWND window, TShortcutCommand command, TShortCut shortcut)
{
    const int id = Id(command);
    if (id == 0) return;  // the paint chord is polled
    registered_[IndexOf(command)] = shortcut;
    // An emptied shortcut has no key: it is simply off, with nothing to report.
    if ((shortcut & 0xFF) == 0) {
        UnregisterShortcutHotkey(window, id);
        return;
    }
    // The shortcut stays stored although it is not registered; the person picks another one.
    if (!RegisterShortcutHotkey(window, id, shortcut) && refused_) refused_(shortcut);
}

void TShortcutHotkeys::UnregisterAll(HWND window)
{
    for (const int id : ids_)
        if (id) UnregisterShortcutHotkey(window, id);
}

void TShortcutHotkeys::Unregister(HWND window, TShortcutCommand command)
{
    if (const int id = Id(command)) UnregisterShortcutHotkey(window, id);
}

bool TShortcutHotkeys::HandleMessage(HWND window, UINT msg, WPARAM wParam)
{
    if (msg == WM_HOTKEY) {
        Pressed(window, static_cast<int>(wParam));
        return true;
    }
    if (msg == WM_TIMER && wParam == kReleaseTimer) {
        WatchReleases(window);
        return true;
    }
    return false;
}

void TShortcutHotkeys::Pressed(HWND window, int id)
{
    for (const TShortcutRow& row : kShortcutRows) {
        if (Id(row.Command) == 0 || Id(row.Command) != id) continue;
        if (!presses_.Press(id)) return;  // held: the keyboard repeats it
        SetTimer(window, kReleaseTimer, kReleaseCheckMs, nullptr);
        if (run_) run_(row.Command);
        return;
    }
}

void TShortcutHotkeys::WatchReleases(HWND window)
{
    presses_.Watch([this](int id) {
        for (const TShortcutRow& row : kShortcutRows)
            if (Id(row.Command) == id)
                return (GetAsyncKeyState(registered_[IndexOf(row.Command)] & 0xFF) & 0x8000) != 0;
        return false;
    });
    if (!presses_.Waiting()) KillTimer(window, kReleaseTimer);
}

}  // namespace zelvora
