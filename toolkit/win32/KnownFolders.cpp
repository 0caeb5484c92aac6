#include "toolkit/win32/KnownFolders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

std::wstring PicturesFolder()
{
    auto* find = SystemFunction<decltype(SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
    auto* free = SystemFunction<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    if (!find || !free) return {};
    PWSTR path = nullptr;
    const HRESULT found = find(FOLDERID_Pictures, KF_FLAG_CREATE, nullptr, &path);
    std::wstring folder = SUCCEEDED(found) && path ? path : L"";
    free(path);
    return folder;
}

}  // namespace zelvora
