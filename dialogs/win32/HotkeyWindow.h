// The hotkey editor: paint, wipe, mode, undo and save-screen shortcuts.
#pragma once

#include "dialogs/HotkeyOwner.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/HotkeyField.h"

namespace zelvora {

class TfrmEditHotkey : public TForm {
public:
    explicit TfrmEditHotkey(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Shows the editor for the owner's shortcuts and applies the result through its setters:
    // the fields on OK, the shortcuts it started with otherwise.
    TModalResult Edit(IHotkeyOwner& owner);

private:
    THotKey& FieldOf(const TShortcutRow& row) const { return Field<THotKey>(row.EditorField); }
    // In the table's order: paint first, so the chord is in place before the hotkeys register.
    static void Apply(IHotkeyOwner& owner, const TShortcuts& shortcuts);
};

}  // namespace zelvora
