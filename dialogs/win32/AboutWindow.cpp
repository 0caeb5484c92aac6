#include "dialogs/win32/AboutWindow.h"

#include "dialogs/WebSites.h"
#include "dialogs/win32/HeaderPicture.h"
#include "toolkit/win32/Label.h"
#include "toolkit/win32/ShellOpen.h"
#include "toolkit/win32/VersionText.h"

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
    PublishMethod("lblMakerClick", [](TEventArgs&) { ShellOpen(kMakerWebSite); });
    InitializeFromResource("TFRMABOUT");
    CopyHeaderPicture(*this);
}

}  // namespace zelvora
