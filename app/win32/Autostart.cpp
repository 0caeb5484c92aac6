#include "app/win32/Autostart.h"

#include <windows.h>

#include "toolkit/win32/ProgramPath.h"
#include "toolkit/win32/Registry.h"

namespace zelvora {

std::wstring AutostartCommand(const std::wstring& programPath)
{
    return L"\"" + programPath + L"\"";
}

bool AutostartEnabled()
{
    // Read only: a missing Run key is not created, a read-only one still answers.
    return TRegistry(HKEY_CURRENT_USER, kRunKeyPath, TKeyOpening::ExistingOnly).ValueExists(kAutostartValue);
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
