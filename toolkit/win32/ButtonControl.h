// The common part of check boxes and radio buttons.
#pragma once

#include "toolkit/win32/Control.h"

namespace zelvora {

// The side of the caption: left of the mark, or right of it (the usual).
enum class TLeftRight { taLeftJustify, taRightJustify };

// Check boxes and radio buttons: a caption beside a mark that the user flips.
class TButtonControl : public TControl {
public:
    explicit TButtonControl(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Checked() const { return checked_; }
    virtual void SetChecked(bool checked);
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight alignment);
    bool CaptionOnLeft() const { return alignment_ == TLeftRight::taLeftJustify; }
    TEventRef OnClick;

protected:
    bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void HandleCreated() override;
    // BS_LEFTTEXT when the caption is on the left.
    DWORD AlignmentStyle() const { return CaptionOnLeft() ? BS_LEFTTEXT : 0; }
    // Takes over the mark the click left.
    virtual void TakeClickState() { SetChecked(SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED); }

private:
    bool checked_ = false;
    TLeftRight alignment_ = TLeftRight::taRightJustify;
};

}  // namespace zelvora
