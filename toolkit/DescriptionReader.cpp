#include "toolkit/DescriptionReader.h"

#include "base/CodePage.h"
#include "toolkit/Colors.h"

namespace zelvora {

namespace {

struct Fixup {
    TComponent* Object;
    std::string ObjectName;
    std::string Path;
    std::string Reference;
    int Line;
};

class Reader {
public:
    Reader(TComponent& root, const std::string& windowName, const TWindowLookup& windows)
        : root_(root), window_(windowName), windows_(windows)
    {
    }

    void Read(const TObjectDesc& desc)
    {
        if (!SameText(desc.ClassName, root_.ClassName()))
            Fail(desc.Name, "", desc.Line,
                 "the window is a " + root_.ClassName() + ", not a " + desc.ClassName);
        root_.BeginLoading();
        root_.SetName(desc.Name);
        Apply(root_, desc);
        ResolveReferences();
        for (TComponent* component : created_) component->Loaded();
        root_.Loaded();
    }

private:
    [[noreturn]] void Fail(const std::string& object, const std::string& property, int line,
                           const std::string& message) const
    {
        std::string where = object == window_ ? window_ : window_ + "." + object;
        if (!property.empty()) where += "." + property;
        throw EDescriptionError("Error reading " + where + " (line " + std::to_string(line) +
                                "): " + message);
    }

    void Apply(TComponent& object, const TObjectDesc& desc)
    {
        for (const TDescProperty& property : desc.Properties) SetProperty(object, desc.Name, property);
        for (const TObjectDesc& child : desc.Children) {
            const TComponentFactory factory = FindComponentClass(child.ClassName);
            if (!factory) Fail(child.Name, "", child.Line, "unknown class " + child.ClassName);
            if (root_.FindComponent(child.Name))
                Fail(child.Name, "", child.Line, "a component of this name exists");
            TComponent* component = factory(&root_);
            component->BeginLoading();
            component->SetName(child.Name);
            created_.push_back(component);
            component->SetParentComponent(&object);
            Apply(*component, child);
        }
    }

    std::string Text(const std::string& utf8, const std::string& object, const TDescProperty& property) const
    {
        auto text = Utf8ToWindows1252(utf8);
        if (!text) Fail(object, property.Path, property.Line, "text not representable in Windows-1252");
        return *text;
    }

    TPropValue Convert(const TPropInfo& info, const TDescProperty& property, TComponent& object,
                       const std::string& objectName)
    {
        const TDescValue& value = property.Value;
        const auto* ident = std::get_if<TDescIdentifier>(&value);
        switch (info.Kind) {
            case TPropKind::String:
                if (const auto* s = std::get_if<std::string>(&value)) return Text(*s, objectName, property);
                break;
            case TPropKind::Integer:
                if (const auto* n = std::get_if<long long>(&value)) return *n;
                break;
            case TPropKind::Boolean:
                if (ident && SameText(ident->Name, "True")) return true;
                if (ident && SameText(ident->Name, "False")) return false;
                break;
            case TPropKind::Color:
                if (const auto* n = std::get_if<long long>(&value)) return *n;
                if (ident)
                    if (const auto color = ColorFromIdent(ident->Name)) return static_cast<long long>(*color);
                break;
            case TPropKind::Enumeration:
                if (ident) return ident->Name;
                break;
            case TPropKind::Set:
                if (const auto* set = std::get_if<TDescSet>(&value)) return set->Members;
                break;
            case TPropKind::Strings:
                if (const auto* strings = std::get_if<TDescStrings>(&value)) {
                    TStringList items;
                    for (const std::string& item : strings->Items)
                        items.push_back(Text(item, objectName, property));
                    return items;
                }
                break;
            case TPropKind::Event:
                if (ident) {
                    const TMethod* method = root_.FindMethod(ident->Name);
                    if (!method) Fail(objectName, property.Path, property.Line, "no handler " + ident->Name);
                    return TEventRef{ident->Name, *method};
                }
                break;
            case TPropKind::Component:
                if (ident) {
                    fixups_.push_back({&object, objectName, property.Path, ident->Name, property.Line});
                    return std::monostate{};
                }
                break;
            case TPropKind::Object:
                break;
        }
        Fail(objectName, property.Path, property.Line, "invalid property value");
    }

    void SetProperty(TComponent& object, const std::string& objectName, const TDescProperty& property)
    {
        const TPropTarget target = FindProperty(object, property.Path);
        if (!target.Info) Fail(objectName, property.Path, property.Line, "unknown property");
        const TPropValue value = Convert(*target.Info, property, object, objectName);
        if (std::holds_alternative<std::monostate>(value)) return;  // a reference, set once all exist
        try {
            SetPropValue(object, property.Path, value);
        } catch (const EPropertyError& error) {
            Fail(objectName, property.Path, property.Line, error.what());
        }
    }

    TComponent* Resolve(const std::string& reference) const
    {
        const std::size_t dot = reference.find('.');
        if (dot == std::string::npos)
            return SameText(reference, root_.Name()) ? &root_ : root_.FindComponent(reference);
        TComponent* window = windows_ ? windows_(std::string_view(reference).substr(0, dot)) : nullptr;
        return window ? window->FindComponent(std::string_view(reference).substr(dot + 1)) : nullptr;
    }

    void ResolveReferences()
    {
        for (const Fixup& fixup : fixups_) {
            TComponent* target = Resolve(fixup.Reference);
            if (!target)
                Fail(fixup.ObjectName, fixup.Path, fixup.Line, "unknown component " + fixup.Reference);
            try {
                SetPropValue(*fixup.Object, fixup.Path, target);
            } catch (const EPropertyError& error) {
                Fail(fixup.ObjectName, fixup.Path, fixup.Line, error.what());
            }
        }
    }

    TComponent& root_;
    std::string window_;
    const TWindowLookup& windows_;
    std::vector<TComponent*> created_;
    std::vector<Fixup> fixups_;
};

}  // namespace

void ReadDescription(TComponent& root, const TObjectDesc& description, const TWindowLookup& windows)
{
    Reader(root, description.Name, windows).Read(description);
}

void ReadDescription(TComponent& root, std::string_view text, const TWindowLookup& windows)
{
    ReadDescription(root, ParseDescription(text), windows);
}

}  // namespace zelvora
