#include "toolkit/win32/ProgramPath.h"

#include <windows.h>

#include <vector>

namespace zelvora {

std::wstring ProgramPath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        if (buffer.size() >= 32768) return {};  // longer than any path Windows has
        buffer.resize(buffer.size() * 2);       // the name was cut
    }
}

}  // namespace zelvora
