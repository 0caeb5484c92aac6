#include "dialogs/win32/HotkeyWindow.h"

#include "dialogs/win32/HeaderPicture.h"

namespace zelvora {

const TClassInfo& TfrmEditHotkey::StaticClassInfo()
{
    static const TClassInfo info("TfrmEditHotkey", &TForm::StaticClassInfo(), {});
    return info;
}

TfrmEditHotkey::TfrmEditHotkey(TComponent* owner) : TForm(owner)
{
    PublishMethod("FormKeyPress", [this](TEventArgs& key) { CloseOnEscape(*this, key); });
    InitializeFromResource("TFRMEDITHOTKEY");
    CopyHeaderPicture(*this);
}

TModalResult TfrmEditHotkey::Edit(IHotkeyOwner& owner)
{
    const TShortcuts before{owner.PaintShortcut(), owner.WipeShortcut(), owner.ModeShortcut(),
                            owner.UndoShortcut(), owner.SnapshotShortcut()};
    edtDraw().SetHotKey(before.Paint);
    edtDelete().SetHotKey(before.Wipe);
    edtMode().SetHotKey(before.Mode);
    edtUndo().SetHotKey(before.Undo);
    edtSnapshot().SetHotKey(before.Snapshot);
    const TModalResult result = ShowModal();
    const auto field = [](const THotKey& edit) { return static_cast<TShortCut>(edit.HotKey()); };
    if (result == TModalResult::mrOk)
        Apply(owner, {field(edtDraw()), field(edtDelete()), field(edtMode()), field(edtUndo()),
                      field(edtSnapshot())});
    else
        Apply(owner, before);
    return result;
}

void TfrmEditHotkey::Apply(IHotkeyOwner& owner, const TShortcuts& shortcuts)
{
    owner.SetPaintShortcut(shortcuts.Paint);
    owner.SetWipeShortcut(shortcuts.Wipe);
    owner.SetModeShortcut(shortcuts.Mode);
    owner.SetUndoShortcut(shortcuts.Undo);
    owner.SetSnapshotShortcut(shortcuts.Snapshot);
}

}  // namespace zelvora
