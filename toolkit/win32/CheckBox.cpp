#include "toolkit/win32/CheckBox.h"

namespace zelvora {

const TClassInfo& TCheckBox::StaticClassInfo()
{
    static const TClassInfo info("TCheckBox", &TButtonControl::StaticClassInfo(), {});
    return info;
}

void TCheckBox::CreateParams(TCreateParams& params)
{
    params.WindowClass = "BUTTON";
    params.SystemClass = true;
    params.Style = WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX;
}

}  // namespace zelvora
