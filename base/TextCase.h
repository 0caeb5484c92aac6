// Case and blank handling of 8-bit texts (ASCII letters only; other bytes stay as they are).
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

bool SameText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
// Without leading and trailing blanks and control characters.
std::string Trim(std::string_view text);

}  // namespace zelvora
