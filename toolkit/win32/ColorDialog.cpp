#include "toolkit/win32/ColorDialog.h"

#include <commdlg.h>
#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

const TClassInfo& TColorDialog::StaticClassInfo()
{
    static const TClassInfo info(
        "TColorDialog", &TComponent::StaticClassInfo(),
        {ColorProperty<TColorDialog>("Color", &TColorDialog::Color, &TColorDialog::SetColor)});
    return info;
}

TColorDialog::TColorDialog(TComponent* owner) : TComponent(owner) {}

bool TColorDialog::Execute(HWND owner)
{
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = color_ & 0x00FFFFFF;
    choose.lpCustColors = customColors_;
    choose.Flags = CC_RGBINIT | CC_ANYCOLOR;
    auto* chooseColor = SystemFunction<decltype(ChooseColorA)>(L"comdlg32.dll", "ChooseColorA");
    if (!chooseColor || !chooseColor(&choose)) return false;
    color_ = choose.rgbResult;
    return true;
}

}  // namespace zelvora
