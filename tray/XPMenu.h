// The flat painter of a window's menus and controls. Its painting comes with the tray and menu
// work; for now it records whether it is active.
#pragma once

#include "toolkit/Component.h"

namespace zelvora {

class TXPMenu : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info("TXPMenu", &TComponent::StaticClassInfo(),
                                     {BooleanProperty<TXPMenu>("Active", &TXPMenu::Active, &TXPMenu::SetActive)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }

private:
    bool active_ = false;
};

}  // namespace zelvora
