// Addresses and documents handed to the shell, which opens them in the user's programs.
#pragma once

#include <windows.h>

#include <string>

namespace zelvora {

// Shown normally; shell32 is bound on first use. `verb` as the shell knows it ("open").
void ShellOpen(const char* address, HWND owner = nullptr, const char* verb = "open");
// A file by its Unicode path, in the program the user opens its kind with.
void ShellOpenFile(const std::wstring& path, HWND owner = nullptr);

}  // namespace zelvora
