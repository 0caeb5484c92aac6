#include "toolkit/Component.h"

#include <algorithm>

namespace zelvora {

const TClassInfo& TComponent::StaticClassInfo()
{
    static const TClassInfo info("TComponent", nullptr,
                                 {StringProperty<TComponent>("Name", &TComponent::Name, &TComponent::SetName),
                                  IntegerProperty<TComponent>("Tag", &TComponent::Tag, &TComponent::SetTag)});
    return info;
}

TComponent::TComponent(TComponent* owner) : owner_(owner)
{
    if (owner_) owner_->InsertComponent(this);
}

TComponent::~TComponent()
{
    destroying_ = true;
    // Subscribers may unsubscribe while being told; work on a copy.
    const std::vector<TComponent*> notifies = freeNotifies_;
    for (TComponent* other : notifies) other->Notification(this, TOperation::opRemove);
    for (TComponent* other : notifies) other->RemoveFreeNotification(this);
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* last = components_.back();
        RemoveComponent(last);
        delete last;
    }
}

void TComponent::SetName(const std::string& name)
{
    name_ = name;
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
        freeNotifies_.push_back(other);
        other->FreeNotification(this);  // both sides learn of the other's end
    }
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove) RemoveFreeNotification(component);
}

void TComponent::AnnounceInsert(TComponent& component)
{
    Notification(&component, TOperation::opInsert);
    const std::vector<TComponent*> others = components_;
    for (TComponent* other : others)
        if (other != &component) other->Notification(&component, TOperation::opInsert);
}

void TComponent::InsertComponent(TComponent* component)
{
    components_.push_back(component);
}

void TComponent::RemoveComponent(TComponent* component)
{
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
    // Siblings holding a reference to the leaving component hear of it.
    Notification(component, TOperation::opRemove);
    for (TComponent* sibling : components_) sibling->Notification(component, TOperation::opRemove);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::PublishMethod(const std::string& name, TMethod method)
{
    methods_.emplace_back(name, std::move(method));
}

const TMethod* TComponent::FindMethod(std::string_view name) const
{
    for (const auto& [methodName, method] : methods_)
        if (SameText(methodName, name)) return &method;
    return nullptr;
}

namespace {

struct RegisteredClass {
    const TClassInfo* Info;
    TComponentFactory Factory;
};

std::vector<RegisteredClass>& ClassRegistry()
{
    static std::vector<RegisteredClass> registry;
    return registry;
}

}  // namespace

void RegisterComponentClass(const TClassInfo& info, TComponentFactory factory)
{
    for (RegisteredClass& known : ClassRegistry())
        if (SameText(known.Info->Name(), info.Name())) {
            known = {&info, factory};
            return;
        }
    ClassRegistry().push_back({&info, factory});
}

TComponentFactory FindComponentClass(std::string_view name)
{
    for (const RegisteredClass& known : ClassRegistry())
        if (SameText(known.Info->Name(), name)) return known.Factory;
    return nullptr;
}

}  // namespace zelvora
