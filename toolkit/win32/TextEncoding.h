// The program keeps its texts 8-bit with a font charset naming their code page; the window
// system gets them as Unicode, converted with that code page, so Romanian texts show their
// letters on any Windows, whatever its own code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zelvora {

UINT CodePageForCharset(int charset);
std::wstring WideFromAnsi(std::string_view text, int charset);
// The text with its first "%s" replaced by `argument`, which stays Unicode (a path, say).
std::wstring WideFromAnsiWith(std::string_view text, int charset, const std::wstring& argument);

}  // namespace zelvora
