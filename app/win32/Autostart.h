// Starting with Windows: a value naming the program under the current user's Run key.
#pragma once

#include <string>

namespace zelvora {

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kAutostartValue[] = "Zelvora";

// Any value of that name means on, whatever it holds.
bool AutostartEnabled();

// Writes the program's path, quoted, or removes the value; a failure throws ERegistryException.
// Returns whether the value exists afterwards.
[[nodiscard]] bool SetAutostart(bool enabled);

// The command line the Run value gets: the full path in quotes, so that a path with blanks
// cannot start "C:\Program.exe" instead.
std::wstring AutostartCommand(const std::wstring& programPath);

}  // namespace zelvora
