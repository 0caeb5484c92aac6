#include "dialogs/frmEditHotkey.h"

#include "app/frmZelvora.h"
#include "dialogs/HeaderPicture.h"

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

TModalResult TfrmEditHotkey::Edit()
{
    if (!frmZelvora) return ShowModal();
    rememberedPaint_ = frmZelvora->PaintShortcut();
    rememberedWipe_ = frmZelvora->WipeShortcut();
    rememberedMode_ = frmZelvora->ModeShortcut();
    edtDraw().SetHotKey(rememberedPaint_);
    edtDelete().SetHotKey(rememberedWipe_);
    edtMode().SetHotKey(rememberedMode_);
    const TModalResult result = ShowModal();
    if (result == TModalResult::mrOk)
        Apply(static_cast<TShortCut>(edtDraw().HotKey()), static_cast<TShortCut>(edtDelete().HotKey()),
              static_cast<TShortCut>(edtMode().HotKey()));
    else
        Apply(rememberedPaint_, rememberedWipe_, rememberedMode_);
    return result;
}

void TfrmEditHotkey::Apply(TShortCut paint, TShortCut wipe, TShortCut mode)
{
    frmZelvora->SetPaintShortcut(paint);
    frmZelvora->SetWipeShortcut(wipe);
    frmZelvora->SetModeShortcut(mode);
}

}  // namespace zelvora
