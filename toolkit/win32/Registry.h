// A registry key opened for reading and writing values, closed with the object.
#pragma once

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "toolkit/win32/Handles.h"

namespace zelvora {

class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reading a key that is not there need not leave an empty one behind.
enum class TKeyOpening { CreateMissing, ExistingOnly };

class TRegistry {
public:
    // Opens root\path, creating it when missing unless told otherwise; without a key every read
    // and write fails with an error.
    TRegistry(HKEY root, const std::string& path, TKeyOpening opening = TKeyOpening::CreateMissing);

    bool HasCurrentKey() const { return static_cast<bool>(key_); }
    bool ValueExists(const std::string& name) const;
    // Integers are read only from REG_DWORD values; anything else is a wrong data type.
    int ReadInteger(const std::string& name) const;
    bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
    // Texts are read only from REG_SZ and REG_EXPAND_SZ values.
    std::string ReadString(const std::string& name) const;

    // Writing replaces a value of any type; a failure is an error naming the value.
    void WriteInteger(const std::string& name, int value);
    void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    // A REG_SZ in Unicode: file paths may hold letters no 8-bit code page has.
    void WriteString(const std::string& name, const std::wstring& value);
    // True when the value was there and is gone; a missing value is no error.
    bool DeleteValue(const std::string& name);

private:
    UniqueRegistryKey key_;
};

}  // namespace zelvora
