#include "app/WebSites.h"

#include <windows.h>
#include <shellapi.h>

#include "toolkit/SystemLibrary.h"

namespace zelvora {

void OpenWebSite(const char* address)
{
    if (auto* open = SystemFunction<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA"))
        open(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zelvora
