// Files that appear whole or not at all, and never in another file's place.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zelvora {

struct TNewFile {
    std::wstring Path;            // the file written; empty when it failed
    DWORD Error = ERROR_SUCCESS;  // why it failed: the system's error code
};

// Creates `folder` when missing, writes the bytes under a temporary name in it, then gives the
// file the first free name of name(1), name(2), ... A failure removes the temporary file.
TNewFile WriteNewFile(const std::wstring& folder, const std::function<std::wstring(int)>& name,
                      const std::vector<std::uint8_t>& bytes);

// The disk is full.
bool IsDiskFull(DWORD error);

}  // namespace zelvora
