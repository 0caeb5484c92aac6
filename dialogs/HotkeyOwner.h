// What the hotkey editor edits: the five shortcuts of whoever opens it.
#pragma once

#include "base/ShortCut.h"

namespace zelvora {

class IHotkeyOwner {
public:
    virtual TShortCut PaintShortcut() const = 0;
    virtual TShortCut WipeShortcut() const = 0;
    virtual TShortCut ModeShortcut() const = 0;
    virtual TShortCut UndoShortcut() const = 0;
    virtual TShortCut SnapshotShortcut() const = 0;
    // Each setter applies the shortcut at once (registering it with the system).
    virtual void SetPaintShortcut(TShortCut shortcut) = 0;
    virtual void SetWipeShortcut(TShortCut shortcut) = 0;
    virtual void SetModeShortcut(TShortCut shortcut) = 0;
    virtual void SetUndoShortcut(TShortCut shortcut) = 0;
    virtual void SetSnapshotShortcut(TShortCut shortcut) = 0;

protected:
    ~IHotkeyOwner() = default;
};

}  // namespace zelvora
