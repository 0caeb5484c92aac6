#include "toolkit/win32/RadioButton.h"

namespace zelvora {

const TClassInfo& TRadioButton::StaticClassInfo()
{
    static const TClassInfo info("TRadioButton", &TButtonControl::StaticClassInfo(), {});
    return info;
}

void TRadioButton::SetChecked(bool checked)
{
    TButtonControl::SetChecked(checked);
    if (!checked || !Parent()) return;
    for (TControl* sibling : Parent()->Controls())
        if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this && radio->Checked())
            radio->TButtonControl::SetChecked(false);
}

void TRadioButton::CreateParams(TCreateParams& params)
{
    params.WindowClass = "BUTTON";
    params.SystemClass = true;
    // Not BS_AUTORADIOBUTTON: the group is the parent, not the system's tab-order group.
    params.Style = WS_CHILD | WS_TABSTOP | BS_RADIOBUTTON | AlignmentStyle();
}

}  // namespace zelvora
