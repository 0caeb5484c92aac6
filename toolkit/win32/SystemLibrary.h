// System libraries that only some commands need are bound on first use: under Wine each one
// loaded with the program costs tens of milliseconds before the first window shows.
#pragma once

#include <windows.h>

namespace zelvora {

// The function `name` of a system library, loading it the first time (it then stays loaded for
// the process); null when the library or the function is missing.
template <typename Function>
Function* SystemFunction(const wchar_t* library, const char* name)
{
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) return nullptr;
    // Through the generic function pointer type, which converts to any other without a warning.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace zelvora
