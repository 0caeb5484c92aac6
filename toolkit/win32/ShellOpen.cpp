#include "toolkit/win32/ShellOpen.h"

#include <shellapi.h>

#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

void ShellOpen(const char* address, HWND owner, const char* verb)
{
    if (auto* open = SystemFunction<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA"))
        open(owner, verb, address, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zelvora
