// The system's common control classes, registered when the first control of a kind is made.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace zelvora {

inline void InitCommonControls(DWORD classes)
{
    INITCOMMONCONTROLSEX init{sizeof init, classes};
    InitCommonControlsEx(&init);
}

}  // namespace zelvora
