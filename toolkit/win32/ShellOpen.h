// Addresses and documents handed to the shell, which opens them in the user's programs.
#pragma once

#include <windows.h>

namespace zelvora {

// Shown normally; shell32 is bound on first use. `verb` as the shell knows it ("open").
void ShellOpen(const char* address, HWND owner = nullptr, const char* verb = "open");

}  // namespace zelvora
