#include "dialogs/frmAbout.h"

#include "app/UpdateCheck.h"
#include "app/WebSites.h"
#include "toolkit/StdCtrls.h"
#include "dialogs/HeaderPicture.h"

namespace zelvora {

const TClassInfo& TfrmAbout::StaticClassInfo()
{
    static const TClassInfo info("TfrmAbout", &TForm::StaticClassInfo(), {});
    return info;
}

TfrmAbout::TfrmAbout(TComponent* owner) : TForm(owner)
{
    PublishMethod("FormShow", [this](TEventArgs&) {
        if (auto* version = dynamic_cast<TLabel*>(FindComponent("lblVersion")))
            version->SetCaption("Version: " + GetVersionText());
    });
    PublishMethod("FormKeyPress", [this](TEventArgs& key) { CloseOnEscape(*this, key); });
    PublishMethod("lblMakerClick", [](TEventArgs&) { OpenWebSite(kMakerWebSite); });
    InitializeFromResource("TFRMABOUT");
    CopyHeaderPicture(*this);
}

}  // namespace zelvora
