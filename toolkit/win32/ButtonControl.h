// The common part of check boxes and radio buttons.
#pragma once

#include "toolkit/win32/Control.h"

namespace zelvora {

// Check boxes and radio buttons: a caption beside a mark that the user flips.
class TButtonControl : public TControl {
public:
    explicit TButtonControl(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Checked() const { return checked_; }
    virtual void SetChecked(bool checked);
    TEventRef OnClick;

protected:
    bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void HandleCreated() override;
    virtual bool CheckedAfterClick() { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

private:
    bool checked_ = false;
};

}  // namespace zelvora
