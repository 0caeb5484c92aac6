// Start-up time and idle working set of Zelvora beside Notepad's and beside the floor (a program of
// one plain window, linked as Zelvora is), measured in one run on the same desktop, in rounds that
// alternate the three: the time from CreateProcess (on the bench's own desktop, named, as the
// shell starts programs) to the main window being visible, polled every 2 ms, then to the
// program waiting for input with its window painted (WaitForInputIdle), and the working set a
// few seconds later, each the median of several starts.
// Every Zelvora start finds empty settings but for FirstStart 0 (no about window).
// Zelvora also writes where its start-up went (ZELVORA_STARTUP_TIMES); the bench prints each
// phase's median and its share of the time to the first paint, and when the tray icon and the
// hotkeys were there.
//   startup-bench [STARTS]   (default 10); run inside a Wine desktop or on Windows
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kIdleMs = 3000;  // time for the program to settle before its memory is read
constexpr DWORD kPollMs = 2;
constexpr DWORD kWindowTimeoutMs = 30000;
constexpr char kFirstPaint[] = "first paint";
constexpr wchar_t kSettingsKey[] = L"Software\\Ombrix\\Zelvora";

struct Program {
    const char* Label;
    std::wstring CommandLine;
    const wchar_t* WindowClass;
    bool WritesTimeline;
};

struct Phase {
    std::string Name;
    double Milliseconds;  // from the launch
};

struct Start {
    double VisibleMs = 0;
    double ReadyMs = 0;
    double WorkingSetKiB = 0;
    std::vector<Phase> Timeline;  // the end of each phase, from the launch
};

struct WindowSearch {
    DWORD ProcessId;
    const wchar_t* WindowClass;
    HWND Found;
};

LONGLONG Ticks()
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double MillisecondsSince(LONGLONG begin, LONGLONG end, double ticksPerSecond)
{
    return static_cast<double>(end - begin) * 1000.0 / ticksPerSecond;
}

double TicksPerSecond()
{
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart);
}

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

std::wstring TimelineFile()
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"zelvora-startup-times.txt";
}

// The program's marks, as milliseconds from the launch.
std::vector<Phase> ReadTimeline(const std::wstring& file, LONGLONG launched)
{
    std::vector<Phase> phases;
    std::ifstream in(file.c_str());
    std::string line;
    double ticksPerSecond = 0;
    while (std::getline(in, line)) {
        const auto tab = line.find('\t');
        if (tab == std::string::npos) continue;
        if (line.compare(0, tab, "ticks-per-second") == 0) {
            ticksPerSecond = std::atof(line.c_str() + tab + 1);
        } else if (ticksPerSecond > 0) {
            const LONGLONG ticks = std::atoll(line.substr(0, tab).c_str());
            phases.push_back({line.substr(tab + 1), MillisecondsSince(launched, ticks, ticksPerSecond)});
        }
    }
    return phases;
}

// The settings of a fresh installation whose first start is over.
void ResetZelvoraSettings()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    const DWORD zero = 0;
    RegSetValueExW(key, L"FirstStart", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
    RegCloseKey(key);
}

// "WinSta0\\Name" of the desktop this program runs on.
std::wstring OwnDesktop()
{
    wchar_t station[128] = {}, desktop[128] = {};
    DWORD needed = 0;
    if (!GetUserObjectInformationW(GetProcessWindowStation(), UOI_NAME, station, sizeof station, &needed) ||
        !GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, desktop, sizeof desktop,
                                   &needed))
        return {};
    return std::wstring(station) + L"\\" + desktop;
}

bool StartOnce(const Program& program, Start& result)
{
    if (program.WritesTimeline) ResetZelvoraSettings();
    std::wstring commandLine = program.CommandLine;
    const std::wstring timeline = TimelineFile();
    DeleteFileW(timeline.c_str());
    SetEnvironmentVariableW(L"ZELVORA_STARTUP_TIMES", program.WritesTimeline ? timeline.c_str() : nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Without a desktop named, a program started under Wine finds its desktop the slow way.
    std::wstring desktop = OwnDesktop();
    startup.lpDesktop = desktop.empty() ? nullptr : desktop.data();
    PROCESS_INFORMATION process{};
    const double ticksPerSecond = TicksPerSecond();
    const LONGLONG begin = Ticks();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    HWND window = nullptr;
    while (!(window = VisibleWindowOf(process.dwProcessId, program.WindowClass))) {
        if (MillisecondsSince(begin, Ticks(), ticksPerSecond) > kWindowTimeoutMs) break;
        Sleep(kPollMs);
    }
    result.VisibleMs = MillisecondsSince(begin, Ticks(), ticksPerSecond);
    WaitForInputIdle(process.hProcess, kWindowTimeoutMs);
    result.ReadyMs = std::max(result.VisibleMs, MillisecondsSince(begin, Ticks(), ticksPerSecond));
    Sleep(kIdleMs);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        result.WorkingSetKiB = static_cast<double>(memory.WorkingSetSize) / 1024.0;
    if (program.WritesTimeline) result.Timeline = ReadTimeline(timeline, begin);
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

// A program beside this one, quoted.
std::wstring BesideThis(const wchar_t* name)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return L"\"" + path.substr(0, path.find_last_of(L"\\/") + 1) + name + L"\"";
}

double MarkOf(const std::vector<Phase>& timeline, const std::string& name)
{
    for (const Phase& phase : timeline)
        if (phase.Name == name) return phase.Milliseconds;
    return -1;
}

// Each phase's median length in the starts, in the order the phases came, with its share of the
// time to the first paint and of Zelvora's time beyond the floor (the floor's window visible: what
// the system takes to start any such program); the phases after the first paint apart.
void PrintBreakdown(const std::vector<Start>& starts, double floorMs)
{
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> lengths;
    std::vector<double> toFirstPaint;
    for (const Start& start : starts) {
        double previous = 0;
        for (const Phase& phase : start.Timeline) {
            if (!lengths.count(phase.Name)) order.push_back(phase.Name);
            lengths[phase.Name].push_back(phase.Milliseconds - previous);
            previous = phase.Milliseconds;
        }
        toFirstPaint.push_back(MarkOf(start.Timeline, kFirstPaint));
    }
    if (order.empty()) {
        std::printf("Zelvora wrote no start-up times\n");
        return;
    }
    const double whole = Median(toFirstPaint);
    const double beyond = whole - floorMs;
    std::printf(
        "Zelvora's start-up by phase (median ms; share of the %.1f ms to the first paint; share of the "
        "%.1f ms beyond the floor, the process start left out):\n",
        whole, beyond);
    bool afterFirstPaint = false;
    for (const std::string& name : order) {
        const double ms = Median(lengths[name]);
        if (afterFirstPaint)
            std::printf("  %-44s %7.1f ms   after the first paint\n", name.c_str(), ms);
        else if (name == order.front())
            std::printf("  %-44s %7.1f ms   %5.1f %%\n", name.c_str(), ms,
                        whole > 0 ? 100.0 * ms / whole : 0.0);
        else
            std::printf("  %-44s %7.1f ms   %5.1f %%   %5.1f %%\n", name.c_str(), ms,
                        whole > 0 ? 100.0 * ms / whole : 0.0, beyond > 0 ? 100.0 * ms / beyond : 0.0);
        afterFirstPaint = afterFirstPaint || name == kFirstPaint;
    }
    for (const char* mark : {"tray icon and its library", "hotkey registration", kFirstPaint}) {
        std::vector<double> at;
        for (const Start& start : starts) at.push_back(MarkOf(start.Timeline, mark));
        std::printf("  %-44s at %6.1f ms from the launch\n", (std::string("end of ") + mark).c_str(),
                    Median(at));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const Program programs[] = {{"Zelvora", BesideThis(L"Zelvora.exe"), L"TfrmZelvora", true},
                                {"Notepad", L"notepad.exe", L"Notepad", false},
                                {"floor", BesideThis(L"trivial-window.exe"), L"TrivialWindow", false}};
    constexpr int kPrograms = 3;
    // Alternating the programs spreads the machine's noise over all alike.
    std::vector<Start> results[kPrograms];
    for (int i = 0; i < starts; ++i)
        for (int p = 0; p < kPrograms; ++p) {
            Start start;
            if (!StartOnce(programs[p], start)) {
                std::fprintf(stderr, "%s did not show its window\n", programs[p].Label);
                return 1;
            }
            results[p].push_back(std::move(start));
        }
    double visible[kPrograms] = {}, ready[kPrograms] = {}, kib[kPrograms] = {};
    for (int p = 0; p < kPrograms; ++p) {
        std::vector<double> v, r, k;
        for (const Start& start : results[p]) {
            v.push_back(start.VisibleMs);
            r.push_back(start.ReadyMs);
            k.push_back(start.WorkingSetKiB);
        }
        visible[p] = Median(v);
        ready[p] = Median(r);
        kib[p] = Median(k);
        std::printf(
            "%-8s window visible %7.1f ms   painted and waiting for input %7.1f ms   idle working set "
            "%8.0f KiB   (median of %d)\n",
            programs[p].Label, visible[p], ready[p], kib[p], starts);
    }
    std::printf(
        "Zelvora / Notepad: window visible %.2fx, painted and waiting %.2fx (goal 1.25x or less), "
        "working set %.2fx (goal 2x or less)\n",
        visible[0] / visible[1], ready[0] / ready[1], kib[1] > 0 ? kib[0] / kib[1] : 0.0);
    std::printf("Zelvora beyond the floor: window visible +%.1f ms, painted and waiting +%.1f ms\n",
                visible[0] - visible[2], ready[0] - ready[2]);
    PrintBreakdown(results[0], visible[2]);
    return 0;
}
