// The system's colour dialog, remembering the colour confirmed last.
#pragma once

#include <windows.h>
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
    [[nodiscard]] bool Execute(HWND owner);

private:
    TColor color_ = clBlack;
    COLORREF customColors_[16] = {};
};

}  // namespace zelvora
