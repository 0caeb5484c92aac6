// A button of a kind (OK, Cancel, ...) that brings its own result, role and caption.
#pragma once

#include "toolkit/win32/Button.h"

namespace zelvora {

enum class TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

// A button whose kind brings its modal result, default or cancel role and caption.
class TBitBtn : public TButton {
public:
    using TButton::TButton;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind kind);

private:
    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
};

}  // namespace zelvora
