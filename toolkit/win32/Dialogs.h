// The colour dialog and the message dialogs with the toolkit's German titles and buttons.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Colors.h"
#include "toolkit/Component.h"

namespace zelvora {

class TColorDialog : public TComponent {
public:
    explicit TColorDialog(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Black until the user first confirms a colour; then the colour confirmed last.
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    // Shows the dialog; true when the user confirmed a colour.
    bool Execute(HWND owner);

private:
    TColor color_ = clBlack;
    COLORREF customColors_[16] = {};
};

enum class TMsgDlgType { mtConfirmation, mtInformation, mtWarning, mtError };

// Title and buttons of a message dialog of the given type.
struct TMsgDlgLook {
    const char* Title;
    UINT Flags;           // MB_ buttons and icon
    const char* Yes;      // caption of the Yes / OK button
    const char* No;       // caption of the No button, or null
};
TMsgDlgLook MessageDialogLook(TMsgDlgType type);

// Shows the dialog; returns IDYES, IDNO or IDOK.
int MessageDlg(const std::string& text, TMsgDlgType type, HWND owner);

}  // namespace zelvora
