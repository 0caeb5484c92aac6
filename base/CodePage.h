// The 8-bit code pages of the interface texts: Windows-1252 (German, English, French) and
// Windows-1250 (Romanian).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelvora {

enum class TCodePage { Windows1252, Windows1250 };

// Nothing when the text is not valid UTF-8 or has a character the code page lacks.
[[nodiscard]] std::optional<std::string> Utf8ToCodePage(std::string_view utf8, TCodePage codePage);
std::string CodePageToUtf8(std::string_view text, TCodePage codePage);
void AppendUtf8(std::string& out, char32_t code);

inline std::optional<std::string> Utf8ToWindows1252(std::string_view utf8)
{
    return Utf8ToCodePage(utf8, TCodePage::Windows1252);
}
inline std::string Windows1252ToUtf8(std::string_view text)
{
    return CodePageToUtf8(text, TCodePage::Windows1252);
}

}  // namespace zelvora
