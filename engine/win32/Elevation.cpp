#include "engine/win32/Elevation.h"

#include <optional>
#include <vector>

#include "toolkit/win32/Handles.h"

namespace zelvora {

namespace {

// The mandatory integrity level of a process's token (0x2000 medium, 0x3000 high, ...).
std::optional<DWORD> IntegrityLevel(HANDLE process)
{
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &raw)) return std::nullopt;
    const UniqueKernelObject token(raw);
    DWORD size = 0;
    GetTokenInformation(raw, TokenIntegrityLevel, nullptr, 0, &size);
    if (size == 0) return std::nullopt;
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(raw, TokenIntegrityLevel, buffer.data(), size, &size)) return std::nullopt;
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    if (count == 0) return std::nullopt;
    return *GetSidSubAuthority(sid, count - 1);
}

}  // namespace

bool RunsAboveUs(HWND window)
{
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(window, &processId) || processId == GetCurrentProcessId())
        return false;
    const auto ours = IntegrityLevel(GetCurrentProcess());
    const UniqueKernelObject process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!ours || !process) return false;
    const auto theirs = IntegrityLevel(process.get());
    // A token we may not even read belongs to a process above ours.
    if (!theirs) return GetLastError() == ERROR_ACCESS_DENIED;
    return *theirs > *ours;
}

}  // namespace zelvora
