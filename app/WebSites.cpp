#include "app/WebSites.h"

#include <windows.h>
#include <shellapi.h>

namespace zelvora {

void OpenWebSite(const char* address)
{
    ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zelvora
