#include "app/win32/Autostart.h"

#include <windows.h>

#include <vector>

#include "toolkit/win32/Registry.h"

namespace zelvora {

namespace {

std::wstring ProgramPath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);  // long paths: the name was cut
    }
}

}  // namespace

std::wstring AutostartCommand(const std::wstring& programPath)
{
    return L"\"" + programPath + L"\"";
}

bool AutostartEnabled()
{
    return TRegistry(HKEY_CURRENT_USER, kRunKeyPath).ValueExists(kAutostartValue);
}

bool SetAutostart(bool enabled)
{
    TRegistry run(HKEY_CURRENT_USER, kRunKeyPath);
    if (enabled)
        run.WriteString(kAutostartValue, AutostartCommand(ProgramPath()));
    else
        run.DeleteValue(kAutostartValue);
    return run.ValueExists(kAutostartValue);
}

}  // namespace zelvora
