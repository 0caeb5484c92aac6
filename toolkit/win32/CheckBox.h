// A check box over the system's button control.
#pragma once

#include "toolkit/win32/ButtonControl.h"

namespace zelvora {

// Grayed: neither on nor off, shown as a dim mark (a mixed selection).
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
public:
    using TButtonControl::TButtonControl;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    void SetChecked(bool checked) override;
    // Clicks also pass through the grayed state.
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allow) { allowGrayed_ = allow; }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void TakeClickState() override;

private:
    void ApplyState();
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    bool allowGrayed_ = false;
};

}  // namespace zelvora
