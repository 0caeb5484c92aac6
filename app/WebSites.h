// Addresses the program opens in the user's browser.
#pragma once

namespace zelvora {

inline constexpr char kProductWebSite[] = "http://www.ombrix.example/zelvora/";
inline constexpr char kMakerWebSite[] = "http://www.ombrix.example/";

// Opens an address with the shell's "open" verb, shown normally.
void OpenWebSite(const char* address);

}  // namespace zelvora
