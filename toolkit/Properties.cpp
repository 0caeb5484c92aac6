#include "toolkit/Properties.h"

#include <algorithm>
#include <cctype>

#include "toolkit/Component.h"

namespace zelvora {

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> properties)
    : name_(std::move(name)), parent_(parent), properties_(std::move(properties))
{
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const
{
    for (const TClassInfo* info = this; info; info = info->parent_)
        for (const TPropInfo& p : info->properties_)
            if (SameText(p.Name, name)) return &p;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* info = this; info; info = info->parent_)
        if (info == &other) return true;
    return false;
}

TPropTarget FindProperty(TPersistent& object, std::string_view path)
{
    TPersistent* current = &object;
    for (;;) {
        const std::size_t dot = path.find('.');
        const TPropInfo* info = current->ClassInfo().FindProperty(path.substr(0, dot));
        if (!info) return {};
        if (dot == std::string_view::npos) return {current, info};
        if (info->Kind != TPropKind::Object) return {};
        current = info->Object(*current);
        path.remove_prefix(dot + 1);
    }
}

namespace {

TPropTarget RequireProperty(TPersistent& object, std::string_view path)
{
    const TPropTarget target = FindProperty(object, path);
    if (!target.Info) throw EPropertyError("Property " + std::string(path) + " does not exist");
    return target;
}

bool ValueFits(const TPropInfo& info, const TPropValue& value)
{
    switch (info.Kind) {
        case TPropKind::String:
            return std::holds_alternative<std::string>(value);
        case TPropKind::Integer:
        case TPropKind::Color:
            return std::holds_alternative<long long>(value);
        case TPropKind::Boolean:
            return std::holds_alternative<bool>(value);
        case TPropKind::Strings:
            return std::holds_alternative<TStringList>(value);
        case TPropKind::Event:
            return std::holds_alternative<TEventRef>(value);
        case TPropKind::Object:
            return false;
        case TPropKind::Component:
            return std::holds_alternative<TComponent*>(value) &&
                   (!info.Accepts || info.Accepts(std::get<TComponent*>(value)));
        case TPropKind::Enumeration: {
            const auto* name = std::get_if<std::string>(&value);
            return name && std::any_of(info.Identifiers.begin(), info.Identifiers.end(),
                                       [&](const std::string& id) { return SameText(id, *name); });
        }
        case TPropKind::Set: {
            const auto* members = std::get_if<TStringList>(&value);
            return members && std::all_of(members->begin(), members->end(), [&](const std::string& member) {
                       return std::any_of(info.Identifiers.begin(), info.Identifiers.end(),
                                          [&](const std::string& id) { return SameText(id, member); });
                   });
        }
    }
    return false;
}

}  // namespace

TPropValue GetPropValue(TPersistent& object, std::string_view path)
{
    const TPropTarget target = RequireProperty(object, path);
    if (!target.Info->Get) throw EPropertyError("Property " + std::string(path) + " cannot be read");
    return target.Info->Get(*target.Object);
}

void SetPropValue(TPersistent& object, std::string_view path, const TPropValue& value)
{
    const TPropTarget target = RequireProperty(object, path);
    if (!target.Info->Set) throw EPropertyError("Property " + std::string(path) + " is read-only");
    if (!ValueFits(*target.Info, value))
        throw EPropertyError("Invalid property value for " + std::string(path));
    target.Info->Set(*target.Object, value);
}

bool IsPublishedWritable(TPersistent& object, std::string_view path)
{
    const TPropTarget target = FindProperty(object, path);
    return target.Info && target.Info->Set;
}

}  // namespace zelvora
