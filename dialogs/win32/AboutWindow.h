// The about window: version and maker line.
#pragma once

#include "toolkit/win32/Form.h"

namespace zelvora {

class TfrmAbout : public TForm {
public:
    explicit TfrmAbout(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace zelvora
