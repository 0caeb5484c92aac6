// The one hidden window of the process that receives the shell's notifications for every tray
// icon, from the first icon to the last.
#pragma once

#include <windows.h>

#include "tray/win32/SharedHandlerWindow.h"

namespace zelvora {

class TCoolTrayIcon;

inline constexpr UINT kTrayCallbackMessage = 2048;

class TTrayIconHandler : public TSharedHandlerWindow<TTrayIconHandler, TCoolTrayIcon, UINT> {
public:
    static constexpr const wchar_t* kClassName = L"TTrayIconHandler";
    // A top-level window: the shell's broadcasts reach it, a message-only one they would not.
    static constexpr bool kMessageOnly = false;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
};

}  // namespace zelvora
