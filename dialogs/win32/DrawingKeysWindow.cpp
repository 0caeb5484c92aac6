#include "dialogs/win32/DrawingKeysWindow.h"

#include "dialogs/win32/HeaderPicture.h"

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
    InitializeFromResource("TFRMDRAWINGKEYS");
}

}  // namespace zelvora
