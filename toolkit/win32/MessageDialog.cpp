#include "toolkit/win32/MessageDialog.h"
#include "toolkit/win32/Boundary.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/MonitorInView.h"

#include "toolkit/Graphics.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/TextEncoding.h"

namespace zelvora {

TMsgDlgLook MessageDialogLook(TMsgDlgType type)
{
    switch (type) {
        case TMsgDlgType::mtConfirmation:
            return {"Best\xE4tigung", MB_YESNO | MB_ICONQUESTION, "&Ja", "&Nein"};
        case TMsgDlgType::mtWarning:
            return {"Warnung", MB_OK | MB_ICONWARNING, "OK", nullptr};
        case TMsgDlgType::mtError:
            return {"Fehler", MB_OK | MB_ICONERROR, "OK", nullptr};
        case TMsgDlgType::mtInformation:
            break;
    }
    return {"Informationen", MB_OK | MB_ICONINFORMATION, "OK", nullptr};
}

namespace {

// The system's message box names its buttons in the system's language; a hook renames them
// before the box shows.
thread_local const TMsgDlgLook* pendingLook = nullptr;
thread_local HHOOK renameHook = nullptr;

LRESULT CALLBACK RenameButtons(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HCBT_ACTIVATE && pendingLook)
        Guarded(0, [&] {
            HWND box = reinterpret_cast<HWND>(wParam);
            // The toolkit's own texts are German, in Windows-1252.
            const auto rename = [box](int button, const char* text) {
                SetDlgItemTextW(box, button, WideFromAnsi(text, ANSI_CHARSET_VALUE).c_str());
            };
            if (pendingLook->No) {
                rename(IDYES, pendingLook->Yes);
                rename(IDNO, pendingLook->No);
            } else {
                rename(IDOK, pendingLook->Yes);
            }
            pendingLook = nullptr;
            return 0;
        });
    return CallNextHookEx(renameHook, code, wParam, lParam);
}

}  // namespace

int MessageDlg(const std::string& text, TMsgDlgType type, HWND owner)
{
    const TMsgDlgLook look = MessageDialogLook(type);
    pendingLook = &look;
    const TMessageBoxPlacement placement;
    const UniqueHook hook(SetWindowsHookExW(WH_CBT, RenameButtons, nullptr, GetCurrentThreadId()));
    renameHook = hook.get();
    const int charset = Application ? Application->TextCharset() : ANSI_CHARSET_VALUE;
    const int result = MessageBoxW(owner, WideFromAnsi(text, charset).c_str(),
                                   WideFromAnsi(look.Title, ANSI_CHARSET_VALUE).c_str(), look.Flags);
    renameHook = nullptr;
    pendingLook = nullptr;
    return result;
}

}  // namespace zelvora
