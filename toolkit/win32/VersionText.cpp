#include "toolkit/win32/VersionText.h"

#include <windows.h>

#include <vector>

#include "toolkit/win32/ProgramPath.h"
#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

std::string GetVersionText()
{
    auto* infoSize =
        SystemFunction<decltype(GetFileVersionInfoSizeW)>(L"version.dll", "GetFileVersionInfoSizeW");
    auto* readInfo = SystemFunction<decltype(GetFileVersionInfoW)>(L"version.dll", "GetFileVersionInfoW");
    auto* queryValue = SystemFunction<decltype(VerQueryValueW)>(L"version.dll", "VerQueryValueW");
    if (!infoSize || !readInfo || !queryValue) return {};
    // Unicode and at any length: the folder's name may have letters no code page has, or be deep.
    const std::wstring program = ProgramPath();
    if (program.empty()) return {};
    const wchar_t* path = program.c_str();
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
