// Message dialogs with the toolkit's German titles and buttons.
#pragma once

#include <windows.h>
#include <string>

namespace zelvora {

enum class TMsgDlgType { mtConfirmation, mtInformation, mtWarning, mtError };

// Title and buttons of a message dialog of the given type.
struct TMsgDlgLook {
    const char* Title;
    UINT Flags;       // MB_ buttons and icon
    const char* Yes;  // caption of the Yes / OK button
    const char* No;   // caption of the No button, or null
};
TMsgDlgLook MessageDialogLook(TMsgDlgType type);

// Shows the dialog; returns IDYES, IDNO or IDOK.
int MessageDlg(const std::string& text, TMsgDlgType type, HWND owner);

}  // namespace zelvora
