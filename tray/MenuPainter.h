// The flat painter of a window's menus and controls. Its painting comes with the menu work; for
// now it holds whether it is active and the font it paints menus with.
#pragma once

#include "toolkit/Component.h"
#include "toolkit/Graphics.h"

namespace zelvora {

class TXPMenu : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info(
            "TXPMenu", &TComponent::StaticClassInfo(),
            {BooleanProperty<TXPMenu>("Active", &TXPMenu::Active, &TXPMenu::SetActive),
             ObjectProperty<TXPMenu, TFont>("Font", &TXPMenu::Font)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    TFont& Font() { return font_; }

private:
    bool active_ = false;
    TFont font_;
};

}  // namespace zelvora
