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
    rememberedPaint_ = owner.PaintShortcut();
    rememberedWipe_ = owner.WipeShortcut();
    rememberedMode_ = owner.ModeShortcut();
    edtDraw().SetHotKey(rememberedPaint_);
    edtDelete().SetHotKey(rememberedWipe_);
    edtMode().SetHotKey(rememberedMode_);
    const TModalResult result = ShowModal();
    if (result == TModalResult::mrOk)
        Apply(owner, static_cast<TShortCut>(edtDraw().HotKey()), static_cast<TShortCut>(edtDelete().HotKey()),
              static_cast<TShortCut>(edtMode().HotKey()));
    else
        Apply(owner, rememberedPaint_, rememberedWipe_, rememberedMode_);
    return result;
}

void TfrmEditHotkey::Apply(IHotkeyOwner& owner, TShortCut paint, TShortCut wipe, TShortCut mode)
{
    owner.SetPaintShortcut(paint);
    owner.SetWipeShortcut(wipe);
    owner.SetModeShortcut(mode);
}

}  // namespace zelvora
