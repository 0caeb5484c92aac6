// A grey, faded copy of an icon: the same picture, telling that what it stands for is off.
#pragma once

#include <windows.h>

#include "toolkit/win32/Handles.h"

namespace zelvora {

// Empty when the icon cannot be read.
UniqueIcon GreyedIcon(HICON icon);

}  // namespace zelvora
