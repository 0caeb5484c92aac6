// Whether a window belongs to a process with more rights than ours (an administrator's program
// while we run as the user): the system shows its input to no low-level hook of ours.
#pragma once

#include <windows.h>

namespace zelvora {

bool RunsAboveUs(HWND window);

}  // namespace zelvora
