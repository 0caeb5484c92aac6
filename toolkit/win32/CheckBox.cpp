#include "toolkit/win32/CheckBox.h"

namespace zelvora {

const TClassInfo& TCheckBox::StaticClassInfo()
{
    static const TClassInfo info(
        "TCheckBox", &TButtonControl::StaticClassInfo(),
        {EnumProperty<TCheckBox, TCheckBoxState>("State", {"cbUnchecked", "cbChecked", "cbGrayed"},
                                                 &TCheckBox::State, &TCheckBox::SetState),
         BooleanProperty<TCheckBox>("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed)});
    return info;
}

void TCheckBox::SetChecked(bool checked)
{
    state_ = checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
    TButtonControl::SetChecked(checked);
}

void TCheckBox::SetState(TCheckBoxState state)
{
    if (state != TCheckBoxState::cbGrayed) {
        SetChecked(state == TCheckBoxState::cbChecked);
        return;
    }
    TButtonControl::SetChecked(false);
    state_ = state;
    ApplyState();
}

void TCheckBox::ApplyState()
{
    if (!HandleAllocated()) return;
    const WPARAM check = state_ == TCheckBoxState::cbGrayed    ? BST_INDETERMINATE
                         : state_ == TCheckBoxState::cbChecked ? BST_CHECKED
                                                               : BST_UNCHECKED;
    SendMessageW(Handle(), BM_SETCHECK, check, 0);
}

void TCheckBox::HandleCreated()
{
    TButtonControl::HandleCreated();
    ApplyState();
}

void TCheckBox::TakeClickState()
{
    const LRESULT check = SendMessageW(Handle(), BM_GETCHECK, 0, 0);
    SetState(check == BST_INDETERMINATE ? TCheckBoxState::cbGrayed
             : check == BST_CHECKED     ? TCheckBoxState::cbChecked
                                        : TCheckBoxState::cbUnchecked);
}

void TCheckBox::CreateParams(TCreateParams& params)
{
    params.WindowClass = "BUTTON";
    params.SystemClass = true;
    params.Style =
        WS_CHILD | WS_TABSTOP | (allowGrayed_ ? BS_AUTO3STATE : BS_AUTOCHECKBOX) | AlignmentStyle();
}

}  // namespace zelvora
