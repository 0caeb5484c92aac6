// What the hotkey editor edits: the shortcuts of whoever opens it, one per row of the table.
#pragma once

#include "base/ShortcutCommands.h"

namespace zelvora {

class IHotkeyOwner {
public:
    virtual TShortCut Shortcut(TShortcutCommand command) const = 0;
    // Applies the shortcut at once (registering it with the system where it is a hotkey).
    virtual void SetShortcut(TShortcutCommand command, TShortCut shortcut) = 0;

protected:
    ~IHotkeyOwner() = default;
};

}  // namespace zelvora
