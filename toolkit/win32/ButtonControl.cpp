#include "toolkit/win32/ButtonControl.h"

namespace zelvora {

TButtonControl::TButtonControl(TComponent* owner) : TControl(owner)
{
    SetParentColor(true);
}

const TClassInfo& TButtonControl::StaticClassInfo()
{
    static const TClassInfo info(
        "TButtonControl", &TControl::StaticClassInfo(),
        {BooleanProperty<TButtonControl>("Checked", &TButtonControl::Checked, &TButtonControl::SetChecked),
         EnumProperty<TButtonControl, TLeftRight>("Alignment", {"taLeftJustify", "taRightJustify"},
                                                  &TButtonControl::Alignment, &TButtonControl::SetAlignment),
         EventProperty<TButtonControl>("OnClick", &TButtonControl::OnClick)});
    return info;
}

void TButtonControl::SetChecked(bool checked)
{
    checked_ = checked;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TButtonControl::SetAlignment(TLeftRight alignment)
{
    if (alignment == alignment_) return;
    alignment_ = alignment;
    if (!HandleAllocated()) return;
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_LEFTTEXT)) | AlignmentStyle());
    Invalidate();
}

void TButtonControl::HandleCreated()
{
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TButtonControl::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        TakeClickState();
        OnClick.Fire(this);
        return true;
    }
    return TControl::Reflected(msg, wParam, lParam, result);
}

}  // namespace zelvora
