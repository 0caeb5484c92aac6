#include "toolkit/win32/PictureButton.h"

namespace zelvora {

const TClassInfo& TBitBtn::StaticClassInfo()
{
    static const TClassInfo info(
        "TBitBtn", &TButton::StaticClassInfo(),
        {EnumProperty<TBitBtn, TBitBtnKind>("Kind",
                                            {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                             "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"},
                                            &TBitBtn::Kind, &TBitBtn::SetKind)});
    return info;
}

void TBitBtn::SetKind(TBitBtnKind kind)
{
    kind_ = kind;
    if (kind == TBitBtnKind::bkOK) {
        SetModalResult(TModalResult::mrOk);
        SetDefault(true);
        if (Caption().empty()) SetCaption("OK");
    } else if (kind == TBitBtnKind::bkCancel) {
        SetModalResult(TModalResult::mrCancel);
        SetCancel(true);
        if (Caption().empty()) SetCaption("Cancel");
    }
}

}  // namespace zelvora
