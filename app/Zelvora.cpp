// Program start: the application object, the main window, the message loop.
#include <windows.h>

#include <exception>

#include "app/frmZelvora.h"
#include "toolkit/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using namespace zelvora;
    try {
        TApplication application;
        application.SetTitle("Zelvora");
        try {
            application.CreateForm<TfrmZelvora>();
            application.Run();
        } catch (const std::exception& error) {
            application.ShowException(error.what());
            return 1;
        }
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), "Zelvora", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
