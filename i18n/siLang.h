// A window's translation component and the dispatcher that switches every window's language.
// The translation store and the switching come with the localisation work; for now they hold
// their settings and links.
#pragma once

#include "toolkit/Component.h"

namespace zelvora {

class TsiLangDispatcher : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info(
            "TsiLangDispatcher", &TComponent::StaticClassInfo(),
            {IntegerProperty<TsiLangDispatcher>("ActiveLanguage", &TsiLangDispatcher::ActiveLanguage,
                                                &TsiLangDispatcher::SetActiveLanguage)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int ActiveLanguage() const { return activeLanguage_; }
    void SetActiveLanguage(int language) { activeLanguage_ = language; }

private:
    int activeLanguage_ = 1;
};

class TsiLang : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info(
            "TsiLang", &TComponent::StaticClassInfo(),
            {ComponentProperty<TsiLang, TsiLangDispatcher>("LangDispatcher", &TsiLang::LangDispatcher,
                                                           &TsiLang::SetLangDispatcher),
             EventProperty<TsiLang>("OnChangeLanguage", &TsiLang::OnChangeLanguage)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TsiLangDispatcher* LangDispatcher() const { return dispatcher_; }
    void SetLangDispatcher(TsiLangDispatcher* dispatcher)
    {
        dispatcher_ = dispatcher;
        if (dispatcher) dispatcher->FreeNotification(this);
    }
    TEventRef OnChangeLanguage;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component == dispatcher_) dispatcher_ = nullptr;
    }

private:
    TsiLangDispatcher* dispatcher_ = nullptr;
};

}  // namespace zelvora
