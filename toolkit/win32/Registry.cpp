#include "toolkit/win32/Registry.h"

#include <algorithm>

#include "base/Format.h"

namespace zelvora {

TRegistry::TRegistry(HKEY root, const std::string& path, TKeyOpening opening)
{
    HKEY key = nullptr;
    const LONG status = opening == TKeyOpening::ExistingOnly
                            ? RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key)
                            : RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                              KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) key_.reset(key);
}

bool TRegistry::ValueExists(const std::string& name) const
{
    return key_ &&
           RegQueryValueExA(key_.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

int TRegistry::ReadInteger(const std::string& name) const
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status = key_ ? RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(&value), &size)
                             : ERROR_INVALID_HANDLE;
    // A value of another type may be longer than a DWORD; the type decides, not the read status.
    if ((status == ERROR_SUCCESS || status == ERROR_MORE_DATA) && type != REG_DWORD)
        throw ERegistryException(FormatText("Ung\xFCltiger Datentyp f\xFCr '%s'", {name}));
    if (status != ERROR_SUCCESS || size != sizeof value)
        throw ERegistryException(FormatText("Fehler beim Holen der Daten f\xFCr '%s'", {name}));
    return static_cast<int>(value);
}

std::string TRegistry::ReadString(const std::string& name) const
{
    DWORD type = 0;
    DWORD size = 0;
    LONG status = key_ ? RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size)
                       : ERROR_INVALID_HANDLE;
    if (status == ERROR_SUCCESS && type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException(FormatText("Ung\xFCltiger Datentyp f\xFCr '%s'", {name}));
    std::string value(size, '\0');
    if (status == ERROR_SUCCESS && size > 0)
        status = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(value.data()), &size);
    if (status != ERROR_SUCCESS)
        throw ERegistryException(FormatText("Fehler beim Holen der Daten f\xFCr '%s'", {name}));
    value.resize(std::min<std::size_t>(size, value.size()));
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return value;
}

void TRegistry::WriteInteger(const std::string& name, int value)
{
    const DWORD data = static_cast<DWORD>(value);
    const LONG status = key_ ? RegSetValueExA(key_.get(), name.c_str(), 0, REG_DWORD,
                                              reinterpret_cast<const BYTE*>(&data), sizeof data)
                             : ERROR_INVALID_HANDLE;
    if (status != ERROR_SUCCESS)
        throw ERegistryException(FormatText("Fehler beim Setzen der Daten f\xFCr '%s'", {name}));
}

void TRegistry::WriteString(const std::string& name, const std::wstring& value)
{
    const std::wstring wideName(name.begin(), name.end());  // value names are ASCII
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    const LONG status = key_ ? RegSetValueExW(key_.get(), wideName.c_str(), 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(value.c_str()), bytes)
                             : ERROR_INVALID_HANDLE;
    if (status != ERROR_SUCCESS)
        throw ERegistryException(FormatText("Fehler beim Setzen der Daten f\xFCr '%s'", {name}));
}

bool TRegistry::DeleteValue(const std::string& name)
{
    if (!ValueExists(name)) return false;
    if (RegDeleteValueA(key_.get(), name.c_str()) != ERROR_SUCCESS)
        throw ERegistryException(FormatText("Fehler beim L\xF6schen der Daten f\xFCr '%s'", {name}));
    return true;
}

}  // namespace zelvora
