#include "toolkit/win32/ShellOpen.h"

#include <shellapi.h>

#include "toolkit/win32/ComApartment.h"
#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

void ShellOpen(const char* address, HWND owner, const char* verb)
{
    const TComApartment com;  // the shell may hand the work to its COM extensions
    if (auto* open = SystemFunction<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA"))
        open(owner, verb, address, nullptr, nullptr, SW_SHOWNORMAL);
}

void ShellOpenFile(const std::wstring& path, HWND owner)
{
    const TComApartment com;
    if (auto* open = SystemFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW"))
        open(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zelvora
