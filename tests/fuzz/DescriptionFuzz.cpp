// Window descriptions are data: any bytes give a window or a clear error, never a crash. An
// accepted description, written out again, reads back as the same objects and properties.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "../unit/TestComponents.h"
#include "toolkit/Description.h"
#include "toolkit/DescriptionReader.h"

namespace {

using namespace zelvora;

void WriteString(std::string& out, const std::string& value)
{
    // Line ends and other control bytes as character codes; the rest between quotes.
    bool quoted = false;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) {
            if (quoted) out += '\'';
            quoted = false;
            out += '#' + std::to_string(byte);
            continue;
        }
        if (!quoted) out += '\'';
        quoted = true;
        out += c == '\'' ? std::string("''") : std::string(1, c);
    }
    if (quoted || value.empty()) out += value.empty() ? "''" : "'";
}

void WriteValue(std::string& out, const TDescValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value)) return WriteString(out, *text);
    if (const auto* number = std::get_if<long long>(&value)) {
        out += std::to_string(*number);
    } else if (const auto* identifier = std::get_if<TDescIdentifier>(&value)) {
        out += identifier->Name;
    } else if (const auto* set = std::get_if<TDescSet>(&value)) {
        out += '[';
        for (std::size_t i = 0; i < set->Members.size(); ++i) out += (i ? ", " : "") + set->Members[i];
        out += ']';
    } else if (const auto* strings = std::get_if<TDescStrings>(&value)) {
        out += '(';
        for (const std::string& item : strings->Items) {
            WriteString(out, item);
            out += ' ';
        }
        out += ')';
    }
}

void WriteObject(std::string& out, const TObjectDesc& object)
{
    out += "object " + object.Name + ": " + object.ClassName + "\n";
    for (const TDescProperty& property : object.Properties) {
        out += property.Path + " = ";
        WriteValue(out, property.Value);
        out += '\n';
    }
    for (const TObjectDesc& child : object.Children) WriteObject(out, child);
    out += "end\n";
}

bool SameObjects(const TObjectDesc& a, const TObjectDesc& b)
{
    if (a.Name != b.Name || a.ClassName != b.ClassName || a.Properties.size() != b.Properties.size() ||
        a.Children.size() != b.Children.size())
        return false;
    for (std::size_t i = 0; i < a.Properties.size(); ++i)
        if (a.Properties[i].Path != b.Properties[i].Path || a.Properties[i].Value != b.Properties[i].Value)
            return false;
    for (std::size_t i = 0; i < a.Children.size(); ++i)
        if (!SameObjects(a.Children[i], b.Children[i])) return false;
    return true;
}

bool ReadsIntoAWindow(std::string_view text)
{
    try {
        testing::TSampleWindow window;
        window.Publish("Label3Click", [](TEventArgs&) {});
        ReadDescription(window, text);
        return true;
    } catch (const EDescriptionError&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool registered = [] {
        RegisterComponentClass<testing::TSample>();
        return true;
    }();
    (void)registered;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!ReadsIntoAWindow(text)) return 0;

    const TObjectDesc parsed = ParseDescription(text);
    std::string written;
    WriteObject(written, parsed);
    try {
        if (!SameObjects(ParseDescription(written), parsed)) std::abort();
    } catch (const EDescriptionError&) {
        std::abort();  // what was accepted, written out, must read again
    }
    if (!ReadsIntoAWindow(written)) std::abort();
    return 0;
}
