// The terms window: the terms of use as read-only text.
#pragma once

#include "toolkit/win32/Form.h"

namespace zelvora {

class TfrmLicense : public TForm {
public:
    explicit TfrmLicense(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace zelvora
