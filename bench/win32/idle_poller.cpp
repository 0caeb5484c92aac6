// A 10 ms thread timer that reads the pointer and four keys and draws nothing.
#include <windows.h>

namespace {

void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD)
{
    POINT pointer;
    GetCursorPos(&pointer);
    GetAsyncKeyState(VK_CONTROL);
    GetAsyncKeyState(VK_MENU);
    GetAsyncKeyState(VK_SHIFT);
    GetAsyncKeyState('1');
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    SetTimer(nullptr, 0, 10, Poll);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
