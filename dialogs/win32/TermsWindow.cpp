#include "dialogs/win32/TermsWindow.h"

#include "dialogs/win32/HeaderPicture.h"

namespace zelvora {

const TClassInfo& TfrmLicense::StaticClassInfo()
{
    static const TClassInfo info("TfrmLicense", &TForm::StaticClassInfo(), {});
    return info;
}

TfrmLicense::TfrmLicense(TComponent* owner) : TForm(owner)
{
    PublishMethod("FormKeyPress", [this](TEventArgs& key) { CloseOnEscape(*this, key); });
    PublishMethod("btnCloseClick", [this](TEventArgs&) { Close(); });
    InitializeFromResource("TFRMLICENSE");
    CopyHeaderPicture(*this);
}

}  // namespace zelvora
