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
    TShortcuts before{};
    for (const TShortcutRow& row : kShortcutRows) {
        before[IndexOf(row.Command)] = owner.Shortcut(row.Command);
        FieldOf(row).SetHotKey(owner.Shortcut(row.Command));
    }
    const TModalResult result = ShowModal();
    if (result != TModalResult::mrOk) {
        Apply(owner, before);
        return result;
    }
    TShortcuts chosen{};
    for (const TShortcutRow& row : kShortcutRows)
        chosen[IndexOf(row.Command)] = static_cast<TShortCut>(FieldOf(row).HotKey());
    Apply(owner, chosen);
    return result;
}

void TfrmEditHotkey::Apply(IHotkeyOwner& owner, const TShortcuts& shortcuts)
{
    for (const TShortcutRow& row : kShortcutRows)
        owner.SetShortcut(row.Command, shortcuts[IndexOf(row.Command)]);
}

}  // namespace zelvora
