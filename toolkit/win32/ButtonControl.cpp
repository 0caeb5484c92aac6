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
         EventProperty<TButtonControl>("OnClick", &TButtonControl::OnClick)});
    return info;
}

void TButtonControl::SetChecked(bool checked)
{
    checked_ = checked;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TButtonControl::HandleCreated()
{
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TButtonControl::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        SetChecked(CheckedAfterClick());
        OnClick.Fire(this);
        return true;
    }
    return TControl::Reflected(msg, wParam, lParam, result);
}

}  // namespace zelvora
