// The keys that draw while the paint shortcut is held, as a table: key, what it does; and whether
// they show beside the pointer when it rests.
#pragma once

#include <functional>

#include "toolkit/win32/Form.h"

namespace zelvora {

class TfrmDrawingKeys : public TForm {
public:
    explicit TfrmDrawingKeys(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Shows the choice without reporting it.
    void ShowKeyHints(bool show);
    // The person changed it.
    std::function<void(bool show)> OnShowKeyHintsChanged;

private:
    bool showing_ = false;
};

}  // namespace zelvora
