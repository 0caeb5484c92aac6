// A check box over the system's button control.
#pragma once

#include "toolkit/win32/ButtonControl.h"

namespace zelvora {

class TCheckBox : public TButtonControl {
public:
    using TButtonControl::TButtonControl;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
    void CreateParams(TCreateParams& params) override;
};

}  // namespace zelvora
