// The keys that draw while the paint shortcut is held, as a table: key, what it does.
#pragma once

#include "toolkit/win32/Form.h"

namespace zelvora {

class TfrmDrawingKeys : public TForm {
public:
    explicit TfrmDrawingKeys(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace zelvora
