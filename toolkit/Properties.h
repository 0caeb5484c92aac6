// Published properties by name: each class lists its properties with a getter and, when writable,
// a setter. The description reader and the translation dispatcher set properties only through this.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/TextCase.h"

namespace zelvora {

class TPersistent;
class TComponent;

using TStringList = std::vector<std::string>;

// What an event handler gets: the sender and, for some events, a key, a point or a box.
struct TEventArgs {
    TComponent* Sender = nullptr;
    int Key = 0;                                   // OnKeyPress: the character; set to 0 to swallow it
    int X = 0, Y = 0;                              // mouse events
    int Button = 0;                                // 0 left, 1 right, 2 middle
    void* Dc = nullptr;                            // owner drawing: the device context
    int Left = 0, Top = 0, Right = 0, Bottom = 0;  // owner drawing: the item's box
    unsigned State = 0;                            // owner drawing: selected, checked, ...
    int Width = 0, Height = 0;                     // owner measuring: the size to report
    std::string Text;                              // an anchor's target, a hint (may be changed)
};
using TMethod = std::function<void(TEventArgs&)>;

struct TEventRef {
    std::string Method;  // the handler's name on the window that published it
    TMethod Handler;

    // Runs the handler, if one is set, with only the sender filled in.
    void Fire(TComponent* sender) const
    {
        if (!Handler) return;
        TEventArgs args;
        args.Sender = sender;
        Handler(args);
    }
};

enum class TPropKind { String, Integer, Boolean, Color, Object, Strings, Enumeration, Set, Component, Event };

// Integer and Color carry long long; Enumeration the identifier; Set the identifiers it holds.
using TPropValue =
    std::variant<std::monostate, std::string, long long, bool, TStringList, TComponent*, TEventRef>;

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    std::vector<std::string> Identifiers;  // an enumeration's or a set's members, in order
    std::function<TPropValue(const TPersistent&)> Get;
    std::function<void(TPersistent&, const TPropValue&)> Set;  // empty: read-only
    std::function<TPersistent*(TPersistent&)> Object;          // Object kind: the sub-object
    std::function<bool(const TComponent*)> Accepts;            // Component kind: the type check
};

class TClassInfo {
public:
    TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> properties);
    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    // Looks in this class, then its ancestors; names are compared ignoring case.
    const TPropInfo* FindProperty(std::string_view name) const;
    bool InheritsFrom(const TClassInfo& other) const;

private:
    std::string name_;
    const TClassInfo* parent_;
    std::vector<TPropInfo> properties_;
};

class TPersistent {
public:
    virtual ~TPersistent() = default;
    virtual const TClassInfo& ClassInfo() const = 0;
    const std::string& ClassName() const { return ClassInfo().Name(); }
};

class EPropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Caption", "Font.Name": the property a path names, and the object it belongs to.
struct TPropTarget {
    TPersistent* Object = nullptr;
    const TPropInfo* Info = nullptr;
};
TPropTarget FindProperty(TPersistent& object, std::string_view path);

TPropValue GetPropValue(TPersistent& object, std::string_view path);
// Checks that the property exists, can be written, and that the value fits its kind.
void SetPropValue(TPersistent& object, std::string_view path, const TPropValue& value);
bool IsPublishedWritable(TPersistent& object, std::string_view path);

// Builders for property lists; a null setter makes the property read-only.
template <typename C, typename R>
TPropInfo StringProperty(std::string name, R (C::*get)() const, void (C::*set)(const std::string&) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::String, {}, {}, {}, {}, {}};
    p.Get = [get](const TPersistent& o) {
        return TPropValue(std::string((static_cast<const C&>(o).*get)()));
    };
    if (set)
        p.Set = [set](TPersistent& o, const TPropValue& v) {
            (static_cast<C&>(o).*set)(std::get<std::string>(v));
        };
    return p;
}

template <typename C>
TPropInfo IntegerProperty(std::string name, int (C::*get)() const, void (C::*set)(int) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Integer, {}, {}, {}, {}, {}};
    p.Get = [get](const TPersistent& o) {
        return TPropValue(static_cast<long long>((static_cast<const C&>(o).*get)()));
    };
    if (set)
        p.Set = [set](TPersistent& o, const TPropValue& v) {
            (static_cast<C&>(o).*set)(static_cast<int>(std::get<long long>(v)));
        };
    return p;
}

template <typename C>
TPropInfo BooleanProperty(std::string name, bool (C::*get)() const, void (C::*set)(bool) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Boolean, {}, {}, {}, {}, {}};
    p.Get = [get](const TPersistent& o) { return TPropValue((static_cast<const C&>(o).*get)()); };
    if (set)
        p.Set = [set](TPersistent& o, const TPropValue& v) { (static_cast<C&>(o).*set)(std::get<bool>(v)); };
    return p;
}

template <typename C>
TPropInfo ColorProperty(std::string name, std::uint32_t (C::*get)() const,
                        void (C::*set)(std::uint32_t) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Color, {}, {}, {}, {}, {}};
    p.Get = [get](const TPersistent& o) {
        return TPropValue(static_cast<long long>((static_cast<const C&>(o).*get)()));
    };
    if (set)
        p.Set = [set](TPersistent& o, const TPropValue& v) {
            (static_cast<C&>(o).*set)(static_cast<std::uint32_t>(std::get<long long>(v)));
        };
    return p;
}

template <typename C, typename E>
TPropInfo EnumProperty(std::string name, std::vector<std::string> identifiers, E (C::*get)() const,
                       void (C::*set)(E) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Enumeration, std::move(identifiers), {}, {}, {}, {}};
    p.Get = [get, ids = p.Identifiers](const TPersistent& o) {
        const auto index = static_cast<std::size_t>((static_cast<const C&>(o).*get)());
        return TPropValue(index < ids.size() ? ids[index] : std::string());
    };
    if (set)
        p.Set = [set, ids = p.Identifiers](TPersistent& o, const TPropValue& v) {
            for (std::size_t i = 0; i < ids.size(); ++i)
                if (SameText(ids[i], std::get<std::string>(v))) (static_cast<C&>(o).*set)(static_cast<E>(i));
        };
    return p;
}

// A set as a bit mask: bit i is identifier i.
template <typename C>
TPropInfo SetProperty(std::string name, std::vector<std::string> identifiers, unsigned (C::*get)() const,
                      void (C::*set)(unsigned) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Set, std::move(identifiers), {}, {}, {}, {}};
    p.Get = [get, ids = p.Identifiers](const TPersistent& o) {
        const unsigned mask = (static_cast<const C&>(o).*get)();
        TStringList members;
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (mask & (1u << i)) members.push_back(ids[i]);
        return TPropValue(members);
    };
    if (set)
        p.Set = [set, ids = p.Identifiers](TPersistent& o, const TPropValue& v) {
            unsigned mask = 0;
            for (const std::string& member : std::get<TStringList>(v))
                for (std::size_t i = 0; i < ids.size(); ++i)
                    if (SameText(ids[i], member)) mask |= 1u << i;
            (static_cast<C&>(o).*set)(mask);
        };
    return p;
}

template <typename C>
TPropInfo StringsProperty(std::string name, const TStringList& (C::*get)() const,
                          void (C::*set)(const TStringList&) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Strings, {}, {}, {}, {}, {}};
    p.Get = [get](const TPersistent& o) { return TPropValue((static_cast<const C&>(o).*get)()); };
    if (set)
        p.Set = [set](TPersistent& o, const TPropValue& v) {
            (static_cast<C&>(o).*set)(std::get<TStringList>(v));
        };
    return p;
}

template <typename C, typename Sub>
TPropInfo ObjectProperty(std::string name, Sub& (C::*get)())
{
    TPropInfo p{std::move(name), TPropKind::Object, {}, {}, {}, {}, {}};
    p.Object = [get](TPersistent& o) -> TPersistent* { return &(static_cast<C&>(o).*get)(); };
    return p;
}

template <typename C, typename T>
TPropInfo ComponentProperty(std::string name, T* (C::*get)() const, void (C::*set)(T*) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Component, {}, {}, {}, {}, {}};
    p.Get = [get](const TPersistent& o) {
        return TPropValue(static_cast<TComponent*>((static_cast<const C&>(o).*get)()));
    };
    p.Accepts = [](const TComponent* c) { return c == nullptr || dynamic_cast<const T*>(c) != nullptr; };
    if (set)
        p.Set = [set](TPersistent& o, const TPropValue& v) {
            (static_cast<C&>(o).*set)(dynamic_cast<T*>(std::get<TComponent*>(v)));
        };
    return p;
}

template <typename C>
TPropInfo EventProperty(std::string name, TEventRef C::*field)
{
    TPropInfo p{std::move(name), TPropKind::Event, {}, {}, {}, {}, {}};
    p.Get = [field](const TPersistent& o) { return TPropValue(static_cast<const C&>(o).*field); };
    p.Set = [field](TPersistent& o, const TPropValue& v) {
        static_cast<C&>(o).*field = std::get<TEventRef>(v);
    };
    return p;
}

}  // namespace zelvora
