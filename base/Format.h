// The format routine for translated texts: "%s", "%d" and "%%" only.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace zelvora {

using FormatArg = std::variant<std::string_view, long long>;

// Translations come from data that users and translators edit, so a broken format never throws
// and never reads past the arguments: a placeholder without an argument becomes empty, a
// mismatched one prints its argument as it is, an unknown one is copied through.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace zelvora
