#include "toolkit/win32/VersionText.h"

#include <windows.h>

#include <vector>

#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

std::string GetVersionText()
{
    auto* infoSize =
        SystemFunction<decltype(GetFileVersionInfoSizeW)>(L"version.dll", "GetFileVersionInfoSizeW");
    auto* readInfo = SystemFunction<decltype(GetFileVersionInfoW)>(L"version.dll", "GetFileVersionInfoW");
    auto* queryValue = SystemFunction<decltype(VerQueryValueW)>(L"version.dll", "VerQueryValueW");
    if (!infoSize || !readInfo || !queryValue) return {};
    wchar_t path[MAX_PATH] = {};  // Unicode: the folder's name may have letters no code page has
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = infoSize(path, &handle);
    if (size == 0) return {};
    std::vector<char> info(size);
    if (!readInfo(path, 0, size, info.data())) return {};
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!queryValue(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) return {};
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS));
}

}  // namespace zelvora
