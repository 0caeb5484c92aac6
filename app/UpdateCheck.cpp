#include "app/UpdateCheck.h"

#include <windows.h>
#include <shellapi.h>

#include <stdexcept>
#include <vector>

#include "app/frmZelvora.h"
#include "i18n/siLang.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Registry.h"
#include "toolkit/SystemLibrary.h"
#include "update/IdHTTP.h"

namespace zelvora {

std::string GetVersionText()
{
    auto* infoSize = SystemFunction<decltype(GetFileVersionInfoSizeW)>(L"version.dll", "GetFileVersionInfoSizeW");
    auto* readInfo = SystemFunction<decltype(GetFileVersionInfoW)>(L"version.dll", "GetFileVersionInfoW");
    auto* queryValue = SystemFunction<decltype(VerQueryValueW)>(L"version.dll", "VerQueryValueW");
    if (!infoSize || !readInfo || !queryValue) return {};
    wchar_t path[MAX_PATH] = {};  // Unicode: the folder's name may have letters no code page has
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = infoSize(path, &handle);
    if (size == 0) return {};
    std::vector<char> info(size);
    if (!readInfo(path, 0, size, info.data())) return {};
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!queryValue(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) return {};
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS));
}

std::string UpdateServer()
{
    const TRegistry settings(HKEY_CURRENT_USER, kSettingsKeyPath);
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
    if (MessageDlg(texts.GetNamedString("sThisFunction"), TMsgDlgType::mtConfirmation, owner) != IDYES) return;
    std::string server = UpdateServer();
    // Always with the port: the client keeps a port named by an earlier request when a later one names none.
    if (server.find(':') == std::string::npos) server += ":80";
    std::string received;
    {
        TBusyCursor busy;
        try {
            http.ReadTimeout = kUpdateReadTimeout;
            received = http.GetAsString("http://" + server + kVersionDocument);
        } catch (const std::exception&) {
            if (Application->Terminated()) return;  // closed meanwhile: no report on the way out
            throw std::runtime_error(texts.GetNamedString("sCantConnect"));
        }
    }
    if (Application->Terminated()) return;  // the user closed the program meanwhile
    if (received != GetVersionText()) {
        if (MessageDlg(texts.GetNamedString("sWantUpdate"), TMsgDlgType::mtConfirmation, owner) == IDYES) {
            const std::string host = server.substr(0, server.find(':'));
            const std::string port = server.substr(server.find(':') + 1);
            const std::string download = "http://" + (port == "80" ? host : server) + kDownloadDocument;
            if (auto* open = SystemFunction<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA"))
                open(owner, "Open", download.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        }
    } else {
        MessageDlg(texts.GetNamedString("sNoUpdate"), TMsgDlgType::mtInformation, owner);
    }
}

}  // namespace zelvora
