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
    return RegisterHotKey(window, id, ShiftToHotkeyModifiers(split.Shift), split.Key) != FALSE;
}

void UnregisterShortcutHotkey(HWND window, int id)
{
    UnregisterHotKey(window, id);
}

}  // namespace zelvora
