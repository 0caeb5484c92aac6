#include "dialogs/win32/DrawingKeysWindow.h"

#include <utility>

#include "dialogs/win32/HeaderPicture.h"
#include "toolkit/win32/CheckBox.h"

namespace zelvora {

const TClassInfo& TfrmDrawingKeys::StaticClassInfo()
{
    static const TClassInfo info("TfrmDrawingKeys", &TForm::StaticClassInfo(), {});
    return info;
}

TfrmDrawingKeys::TfrmDrawingKeys(TComponent* owner) : TForm(owner)
{
    PublishMethod("FormKeyPress", [this](TEventArgs& key) { CloseOnEscape(*this, key); });
    PublishMethod("btnCloseClick", [this](TEventArgs&) { Close(); });
    PublishMethod("chkShowKeyHintsClick", [this](TEventArgs&) {
        if (!showing_ && OnShowKeyHintsChanged)
            OnShowKeyHintsChanged(Field<TCheckBox>("chkShowKeyHints").Checked());
    });
    InitializeFromResource("TFRMDRAWINGKEYS");
}

void TfrmDrawingKeys::ShowKeyHints(bool show)
{
    showing_ = true;
    Field<TCheckBox>("chkShowKeyHints").SetChecked(show);
    showing_ = false;
}

}  // namespace zelvora
