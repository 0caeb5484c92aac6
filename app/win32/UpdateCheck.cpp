#include "app/win32/UpdateCheck.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "app/UpdateAddresses.h"
#include "app/win32/MainWindow.h"
#include "i18n/TranslationComponent.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/MessageDialog.h"
#include "toolkit/win32/Registry.h"
#include "toolkit/win32/ShellOpen.h"
#include "toolkit/win32/VersionText.h"
#include "update/HttpClient.h"

namespace zelvora {

std::string UpdateServer()
{
    // Read only: a missing key is not created, a read-only one still answers.
    const TRegistry settings(HKEY_CURRENT_USER, kSettingsKeyPath, TKeyOpening::ExistingOnly);
    try {
        if (settings.ValueExists(kUpdateServerValue)) {
            const std::string server = settings.ReadString(kUpdateServerValue);
            if (!server.empty()) return server;
        }
    } catch (const ERegistryException&) {
        // A value of the wrong type is ignored: the default server is asked.
    }
    return kDefaultUpdateServer;
}

namespace {

// Restores the cursor on every way out.
struct TBusyCursor {
    TBusyCursor() { Application->SetBusyCursor(true); }
    ~TBusyCursor() { Application->SetBusyCursor(false); }
};

}  // namespace

void RunUpdateCheck(TIdHTTP& http, TsiLang& texts)
{
    HWND owner = Application->MainForm() ? Application->MainForm()->Handle() : nullptr;
    if (MessageDlg(texts.GetNamedString("sThisFunction"), TMsgDlgType::mtConfirmation, owner) != IDYES)
        return;
    const TUpdateAddresses addresses = UpdateAddresses(UpdateServer());
    std::string received;
    {
        TBusyCursor busy;
        try {
            http.ReadTimeout = kUpdateReadTimeout;
            http.MaxBodySize = kUpdateMaxBody;
            http.SetDeadline(http.Clock() + kUpdateCheckTime);
            struct TEndDeadline {
                TIdHTTP& Http;
                ~TEndDeadline() { Http.SetDeadline(std::nullopt); }
            } endDeadline{http};
            received = http.GetAsString(addresses.Version);
        } catch (const std::exception&) {
            if (Application->Terminated()) return;  // closed meanwhile: no report on the way out
            throw std::runtime_error(texts.GetNamedString("sCantConnect"));
        }
    }
    if (Application->Terminated()) return;  // the user closed the program meanwhile
    if (received != GetVersionText()) {
        if (MessageDlg(texts.GetNamedString("sWantUpdate"), TMsgDlgType::mtConfirmation, owner) == IDYES)
            ShellOpen(addresses.Download.c_str(), owner, "Open");
    } else {
        MessageDlg(texts.GetNamedString("sNoUpdate"), TMsgDlgType::mtInformation, owner);
    }
}

}  // namespace zelvora
