// Start-up time and idle working set of Zelvora beside Notepad's, measured in one run on the same
// desktop: the time from CreateProcess to the program's main window being visible, and the
// working set a few seconds later, each the median of several starts.
//   startup-bench [STARTS]   (default 10); run inside a Wine desktop or on Windows
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD kIdleMs = 3000;  // time for the program to settle before its memory is read
constexpr DWORD kWindowTimeoutMs = 30000;

struct Program {
    const char* Label;
    std::wstring CommandLine;
    const wchar_t* WindowClass;
};

struct Start {
    double Milliseconds = 0;
    double WorkingSetKiB = 0;
};

struct WindowSearch {
    DWORD ProcessId;
    const wchar_t* WindowClass;
    HWND Found;
};

HWND VisibleWindowOf(DWORD processId, const wchar_t* windowClass)
{
    WindowSearch search{processId, windowClass, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<WindowSearch*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (owner != s.ProcessId || !IsWindowVisible(hwnd) || lstrcmpiW(name, s.WindowClass) != 0)
                return TRUE;
            s.Found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool StartOnce(const Program& program, Start& result)
{
    std::wstring commandLine = program.CommandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const auto begin = Clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    HWND window = nullptr;
    while (!(window = VisibleWindowOf(process.dwProcessId, program.WindowClass))) {
        if (Clock::now() - begin > std::chrono::milliseconds(kWindowTimeoutMs)) break;
        Sleep(1);
    }
    result.Milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    Sleep(kIdleMs);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        result.WorkingSetKiB = static_cast<double>(memory.WorkingSetSize) / 1024.0;
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window != nullptr;
}

double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::wstring ZelvoraPath()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return L"\"" + path.substr(0, path.find_last_of(L"\\/") + 1) + L"Zelvora.exe\"";
}

}  // namespace

int main(int argc, char** argv)
{
    const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const Program programs[] = {{"Zelvora", ZelvoraPath(), L"TfrmZelvora"},
                                {"Notepad", L"notepad.exe", L"Notepad"}};
    double medianMs[2] = {}, medianKiB[2] = {};
    // Alternating the two programs spreads the machine's noise over both alike.
    std::vector<double> ms[2], kib[2];
    for (int i = 0; i < starts; ++i)
        for (int p = 0; p < 2; ++p) {
            Start start;
            if (!StartOnce(programs[p], start)) {
                std::fprintf(stderr, "%s did not show its window\n", programs[p].Label);
                return 1;
            }
            ms[p].push_back(start.Milliseconds);
            kib[p].push_back(start.WorkingSetKiB);
        }
    for (int p = 0; p < 2; ++p) {
        medianMs[p] = Median(ms[p]);
        medianKiB[p] = Median(kib[p]);
        std::printf("%-8s start to window %7.1f ms   idle working set %8.0f KiB   (median of %d)\n",
                    programs[p].Label, medianMs[p], medianKiB[p], starts);
    }
    std::printf(
        "Zelvora / Notepad: start-up %.2fx (goal 1.5x or less), working set %.2fx (goal 2x or less)\n",
        medianMs[0] / medianMs[1], medianKiB[1] > 0 ? medianKiB[0] / medianKiB[1] : 0.0);
    return 0;
}
