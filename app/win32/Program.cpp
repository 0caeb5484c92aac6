// Program start: the application object, the four windows, the message loop.
#include <windows.h>

#include <exception>

#include "app/win32/ComponentClasses.h"
#include "app/win32/MainWindow.h"
#include "dialogs/win32/AboutWindow.h"
#include "dialogs/win32/HotkeyWindow.h"
#include "dialogs/win32/TermsWindow.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/SystemLibrary.h"
#include "toolkit/win32/TextEncoding.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using namespace zelvora;
    const LONGLONG entered = PerformanceTicks();
    try {
        // Nothing is typed into Zelvora (its fields take key combinations): without an input
        // method, the first window to take the keyboard starts no COM and makes no IME windows.
        if (auto* disable = SystemFunction<BOOL WINAPI(DWORD)>(L"imm32.dll", "ImmDisableIME")) disable(0);
        TApplication application;
        application.Timeline().MarkAt("process and runtime start", entered);
        RegisterComponentClasses();
        application.SetTitle("Zelvora");
        application.HoldStartupWork();
        MarkStartup("application window");
        try {
            application.CreateForm<TfrmZelvora>();
            application.CreateForm<TfrmAbout>();
            application.CreateForm<TfrmLicense>();
            application.CreateForm<TfrmEditHotkey>();
            application.Run();
        } catch (const std::exception& error) {
            application.ShowException(error.what());
            return 1;
        }
    } catch (const std::exception& error) {
        MessageBoxW(nullptr, WideFromAnsi(error.what(), 0).c_str(), L"Zelvora", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
