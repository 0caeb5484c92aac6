#include "engine/win32/GlobalHotkeys.h"

namespace zelvora {

ATOM AddHotkeyAtom(const char* name)
{
    return GlobalAddAtomA(name);
}

bool RegisterShortcutHotkey(HWND window, int id, TShortCut shortcut)
{
    UnregisterShortcutHotkey(window, id);
    const TKeyAndShift split = ShortCutToKey(shortcut);
    constexpr UINT kNoRepeat = 0x4000;  // MOD_NOREPEAT, Windows 7 and later
    return RegisterHotKey(window, id, ShiftToHotkeyModifiers(split.Shift) | kNoRepeat, split.Key) != FALSE;
}

void UnregisterShortcutHotkey(HWND window, int id)
{
    UnregisterHotKey(window, id);
}

}  // namespace zelvora
