// The 8-bit code pages of the interface texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelvora {

// Nothing when the text is not valid UTF-8 or has a character Windows-1252 lacks.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);
std::string Windows1252ToUtf8(std::string_view text);

}  // namespace zelvora
