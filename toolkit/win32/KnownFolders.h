// The user's own folders, wherever Windows keeps them.
#pragma once

#include <string>

namespace zelvora {

// The user's Pictures folder; empty when the system names none.
std::wstring PicturesFolder();

}  // namespace zelvora
