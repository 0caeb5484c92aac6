// The HTTP client and the anti-freeze of the update check. Their network work comes with the
// online update; for now they hold their settings.
#pragma once

#include "toolkit/Component.h"

namespace zelvora {

class TIdHTTP : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info("TIdHTTP", &TComponent::StaticClassInfo(), {});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TIdAntiFreeze : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info("TIdAntiFreeze", &TComponent::StaticClassInfo(), {});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace zelvora
