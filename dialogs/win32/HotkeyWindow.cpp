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
    const TShortCut paint = owner.PaintShortcut(), wipe = owner.WipeShortcut(), mode = owner.ModeShortcut();
    edtDraw().SetHotKey(paint);
    edtDelete().SetHotKey(wipe);
    edtMode().SetHotKey(mode);
    const TModalResult result = ShowModal();
    if (result == TModalResult::mrOk)
        Apply(owner, static_cast<TShortCut>(edtDraw().HotKey()), static_cast<TShortCut>(edtDelete().HotKey()),
              static_cast<TShortCut>(edtMode().HotKey()));
    else
        Apply(owner, paint, wipe, mode);
    return result;
}

void TfrmEditHotkey::Apply(IHotkeyOwner& owner, TShortCut paint, TShortCut wipe, TShortCut mode)
{
    owner.SetPaintShortcut(paint);
    owner.SetWipeShortcut(wipe);
    owner.SetModeShortcut(mode);
}

}  // namespace zelvora
