// Named messages of the main window for each interface language.
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

// Language numbers are 1-based: 1 German, 2 English, 3 French, 4 Romanian.
inline constexpr int kLanguageCount = 4;
inline constexpr int kDefaultLanguage = 2;

// The message in the language's 8-bit code page; empty for an unknown name or language.
std::string GetNamedString(std::string_view name, int language);

}  // namespace zelvora
