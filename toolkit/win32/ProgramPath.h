// The running program's own file.
#pragma once

#include <string>

namespace zelvora {

// The full path of the program file, however long (no MAX_PATH cut).
std::wstring ProgramPath();

}  // namespace zelvora
