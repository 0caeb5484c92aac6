// Components: a name, a tag, an owner that frees what it owns, and notice when a referenced
// component goes away.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "toolkit/Properties.h"

namespace zelvora {

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Creates a component owned by `owner`, which frees it.
    template <typename T, typename... Args>
    static T& Create(TComponent& owner, Args&&... args)
    {
        T* component = new T(&owner, std::forward<Args>(args)...);
        owner.AnnounceInsert(*component);
        return *component;
    }
    // Tells the owner and its other components (opInsert) that a whole new component is here.
    void AnnounceInsert(TComponent& component);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }
    TComponent* FindComponent(std::string_view name) const;

    // `other` is told (Notification with opRemove) when this component is destroyed.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    bool Loading() const { return loading_; }
    void BeginLoading() { loading_ = true; }
    // Called once after all properties of the window were set and references resolved.
    virtual void Loaded() { loading_ = false; }

    // Many properties are about to change at once (a language switch): a component may hold
    // back costly work until Updated. Calls nest.
    void Updating() { ++updating_; }
    void Updated()
    {
        if (updating_ > 0 && --updating_ == 0) UpdatesDone();
    }
    bool IsUpdating() const { return updating_ > 0; }

    // The object a description nests this one in (a control's parent, a menu item's menu).
    virtual void SetParentComponent(TComponent* parent);

    // A handler published under this name (windows publish their event handlers).
    const TMethod* FindMethod(std::string_view name) const;

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    // The last Updated: the work held back is due now.
    virtual void UpdatesDone() {}
    void PublishMethod(const std::string& name, TMethod method);
    bool Destroying() const { return destroying_; }
    // Frees the owned components now, last first; windows call it while they are still whole.
    void DestroyComponents();

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* owner_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::vector<std::pair<std::string, TMethod>> methods_;
    std::string name_;
    int tag_ = 0;
    bool loading_ = false;
    int updating_ = 0;
    bool destroying_ = false;
};

// Classes the description reader can create, by name.
using TComponentFactory = TComponent* (*)(TComponent* owner);
void RegisterComponentClass(const TClassInfo& info, TComponentFactory factory);
TComponentFactory FindComponentClass(std::string_view name);

template <typename T>
void RegisterComponentClass()
{
    RegisterComponentClass(T::StaticClassInfo(),
                           [](TComponent* owner) -> TComponent* { return new T(owner); });
}

}  // namespace zelvora
