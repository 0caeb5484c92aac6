// The one hidden window of the process that receives the shell's notifications for every tray
// icon, from the first icon to the last.
#pragma once

#include <windows.h>

#include <unordered_map>

#include "toolkit/Handles.h"

namespace zelvora {

class TCoolTrayIcon;

inline constexpr UINT kTrayCallbackMessage = 2048;

class TTrayIconHandler {
public:
    static TTrayIconHandler& Acquire();
    static void Release();
    static TTrayIconHandler* Instance() { return instance_; }

    HWND Window() const { return window_.get(); }
    // Icons are known to the shell by a counted id that maps back here; an address would not
    // survive the 32 bits the id travels in.
    UINT Add(TCoolTrayIcon* icon);
    void Remove(UINT id);

private:
    TTrayIconHandler();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    UniqueWindow window_;
    std::unordered_map<UINT, TCoolTrayIcon*> icons_;
    UINT nextId_ = 1;
    static inline TTrayIconHandler* instance_ = nullptr;
    static inline long references_ = 0;
};

}  // namespace zelvora
