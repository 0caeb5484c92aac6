// Comma text: a string list in one line, as multi-line translation cells hold it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

// Items joined by commas; an item with a blank, a control character, a comma or a double quote is
// quoted with inner quotes doubled; a list of one empty line is "".
std::string ToCommaText(const std::vector<std::string>& lines);
// The reverse: an unquoted item ends at a comma or a blank, a comma at the very end adds an
// empty last item.
std::vector<std::string> FromCommaText(std::string_view text);

}  // namespace zelvora
