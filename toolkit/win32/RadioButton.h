// A radio button over the system's button control.
#pragma once

#include "toolkit/win32/ButtonControl.h"

namespace zelvora {

class TRadioButton : public TButtonControl {
public:
    using TButtonControl::TButtonControl;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void SetChecked(bool checked) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void TakeClickState() override { SetChecked(true); }
};

}  // namespace zelvora
