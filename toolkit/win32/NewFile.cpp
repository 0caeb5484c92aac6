#include "toolkit/win32/NewFile.h"

#include <algorithm>

#include "toolkit/win32/Handles.h"

namespace zelvora {

namespace {

// Enough for every picture one person takes in one second.
constexpr int kMaxNames = 1000;

DWORD EnsureFolder(const std::wstring& folder)
{
    if (CreateDirectoryW(folder.c_str(), nullptr)) return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS) return error;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
               ? ERROR_SUCCESS
               : ERROR_DIRECTORY;
}

DWORD WriteAll(HANDLE file, const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_DISK_FULL;
        done += written;
    }
    return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

}  // namespace

bool IsDiskFull(DWORD error)
{
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

TNewFile WriteNewFile(const std::wstring& folder, const std::function<std::wstring(int)>& name,
                      const std::vector<std::uint8_t>& bytes)
{
    TNewFile result;
    if ((result.Error = EnsureFolder(folder)) != ERROR_SUCCESS) return result;
    wchar_t temporary[MAX_PATH + 16];
    if (folder.size() > MAX_PATH - 14 || !GetTempFileNameW(folder.c_str(), L"zlv", 0, temporary)) {
        result.Error = folder.size() > MAX_PATH - 14 ? ERROR_FILENAME_EXCED_RANGE : GetLastError();
        return result;
    }
    if (HANDLE raw = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        raw == INVALID_HANDLE_VALUE) {
        result.Error = GetLastError();
    } else {
        const UniqueKernelObject file(raw);
        result.Error = WriteAll(file.get(), bytes);
    }
    for (int copy = 1; result.Error == ERROR_SUCCESS && copy <= kMaxNames; ++copy) {
        const std::wstring path = folder + L"\\" + name(copy);
        // Without MOVEFILE_REPLACE_EXISTING: a name taken meanwhile is never replaced.
        if (MoveFileExW(temporary, path.c_str(), MOVEFILE_WRITE_THROUGH)) {
            result.Path = path;
            return result;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
            result.Error = error;
        else if (copy == kMaxNames)
            result.Error = ERROR_FILE_EXISTS;
    }
    DeleteFileW(temporary);
    return result;
}

}  // namespace zelvora
