// Stored window descriptions: a readable text tree of objects with class, name and properties in
// order, parsed without knowing any class.
//
//   object frmAbout: TfrmAbout
//     Caption = 'Info über Zelvora'      strings are UTF-8 between quotes, '' is a quote
//     ClientWidth = 291                  integers, also $FF hexadecimal
//     Color = clWindow                   identifiers: enumerations, colours, True/False, references
//     BorderIcons = [biSystemMenu]       sets
//     Lines.Strings = ('one' 'two')      string lists
//     object Panel1: TPanel ... end      owned objects, in creation order
//   end
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zelvora {

struct TDescIdentifier {
    std::string Name;  // may be dotted: "frmZelvora.siLangDispatcher"
    bool operator==(const TDescIdentifier&) const = default;
};
struct TDescSet {
    std::vector<std::string> Members;
    bool operator==(const TDescSet&) const = default;
};
struct TDescStrings {
    std::vector<std::string> Items;
    bool operator==(const TDescStrings&) const = default;
};

using TDescValue = std::variant<std::string, long long, TDescIdentifier, TDescSet, TDescStrings>;

struct TDescProperty {
    std::string Path;  // "Caption", "Font.Name"
    TDescValue Value;
    int Line = 0;
};

struct TObjectDesc {
    std::string Name;
    std::string ClassName;
    std::vector<TDescProperty> Properties;
    std::vector<TObjectDesc> Children;
    int Line = 0;
};

class EDescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Limits that keep a damaged description from exhausting the stack or memory.
inline constexpr int kMaxDescriptionDepth = 64;
inline constexpr std::size_t kMaxDescriptionSize = 4 * 1024 * 1024;

// Parses one root object; errors name the line.
TObjectDesc ParseDescription(std::string_view text);

}  // namespace zelvora
