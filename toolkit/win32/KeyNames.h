// Shortcut texts with the system's key names for keys outside the fixed table.
#pragma once

#include <cstdint>
#include <string>

#include "base/ShortCut.h"

namespace zelvora {

// The keyboard driver's name of a virtual key, in the code page of the font charset that shows
// it; empty when the key has no scan code.
std::string SystemKeyName(std::uint8_t virtualKey, int charset = 1);

std::string ShortCutToText(TShortCut shortcut, int charset = 1);

}  // namespace zelvora
