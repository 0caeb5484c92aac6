// Addresses the program opens in the user's browser.
#pragma once

namespace zelvora {

inline constexpr char kProductWebSite[] = "http://www.ombrix.example/zelvora/";
inline constexpr char kMakerWebSite[] = "http://www.ombrix.example/";

}  // namespace zelvora
