// The program's own version, as its version resource states it.
#pragma once

#include <string>

namespace zelvora {

// "major.minor.release" from the program's own version resource; empty when it cannot be read.
std::string GetVersionText();

}  // namespace zelvora
