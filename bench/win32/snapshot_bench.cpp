// Save screen's costs beside a bare copy of the same screen: time (median of the rounds, the two
// alternating), peak memory (each in a process of its own that does only that), and the main
// thread's longest time without a message while the program's save runs (the copy on the main
// thread, the PNG and the file on a worker): beside the bare copy, which is all it should hold.
//   snapshot-bench.exe [ROUNDS]        on the screen it runs on (ZELVORA_SCREEN=3840x2160 for 4K)
//   snapshot-bench.exe --peak copy|save   one child's work; its exit code is its peak growth in KiB
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/SnapshotNames.h"
#include "app/win32/ScreenSnapshot.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/Clipboard.h"
#include "toolkit/win32/NewFile.h"
#include "toolkit/win32/PngEncoder.h"

using namespace zelvora;
using Clock = std::chrono::steady_clock;

namespace {

std::size_t WorkingSet(bool peak)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

std::wstring BenchFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"zelvora-snapshot-bench";
}

// What Alt+5 does: copy, encode, write a new file, put it on the clipboard. Returns the PNG's size.
std::size_t Save()
{
    const TScreenCopy screen = CopyScreen();
    const std::vector<std::uint8_t> png =
        EncodePng(screen.Pixels->Bits(), screen.Bounds.Width(), screen.Bounds.Height());
    const TNewFile file = WriteNewFile(
        BenchFolder(), [](int copy) { return L"bench " + std::to_wstring(copy) + L".png"; }, png);
    if (file.Path.empty()) throw std::runtime_error("the file was not written");
    if (PutPictureOnClipboard(nullptr, screen.Pixels->Bits(), screen.Bounds.Width(), screen.Bounds.Height(),
                              png) != TClipboardResult::Done)
        throw std::runtime_error("the clipboard was busy");
    DeleteFileW(file.Path.c_str());
    return png.size();
}

void Copy()
{
    const TScreenCopy screen = CopyScreen();
}

DWORD PeakKiBOfChild(const char* what)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command =
        L"\"" + std::wstring(self) + L"\" --peak " + (std::strcmp(what, "copy") ? L"save" : L"copy");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// A screen as people save it: lines of text over coloured panels, not one flat colour that
// compresses to nothing.
LRESULT CALLBACK BusyScreenProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_PAINT) return DefWindowProcW(window, msg, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    unsigned seed = 11;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    for (int top = 0; top < client.bottom; top += 90)
        for (int left = 0; left < client.right; left += 160) {
            RECT panel{left, top, left + 160, top + 90};
            HBRUSH brush = CreateSolidBrush(RGB(next(256), next(256), next(256)));
            FillRect(dc, &panel, brush);
            DeleteObject(brush);
        }
    SetBkMode(dc, TRANSPARENT);
    static const wchar_t* kWords[] = {L"Zelvora ", L"marks ",   L"the ", L"screen ",
                                      L"while ",   L"talking ", L"42 "};
    for (int y = 0; y < client.bottom; y += 16) {
        std::wstring line;
        while (line.size() < static_cast<std::size_t>(client.right / 6)) line += kWords[next(7)];
        TextOutW(dc, static_cast<int>(next(40)), y, line.c_str(), static_cast<int>(line.size()));
    }
    EndPaint(window, &paint);
    return 0;
}

void ShowBusyScreen()
{
    WNDCLASSW type{};
    type.lpfnWndProc = BusyScreenProc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"ZelvoraBusyScreen";
    RegisterClassW(&type);
    const TRect screen = VirtualScreen();
    HWND window = CreateWindowExW(WS_EX_TOPMOST, type.lpszClassName, L"", WS_POPUP | WS_VISIBLE, screen.Left,
                                  screen.Top, screen.Width(), screen.Height(), nullptr, nullptr,
                                  type.hInstance, nullptr);
    UpdateWindow(window);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    GdiFlush();
}

// A save as the program makes it, with a message loop kept busy meanwhile: the longest time in
// milliseconds between two messages the loop got, from the key's press to the notification.
double LongestStallDuringSave(HWND window)
{
    constexpr UINT kTake = WM_APP + 1, kDone = WM_APP + 2, kTick = WM_APP + 3;
    TSnapshotQueue queue(window, kDone);
    PostMessageW(window, kTake, 0, 0);
    auto last = Clock::now();
    double longest = 0;
    for (bool done = false; !done;) {
        PostMessageW(window, kTick, 0, 0);  // always something waiting: a gap is the thread held up
        MSG msg;
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        const auto now = Clock::now();
        longest = std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
        if (msg.message == kTake && queue.Take()) throw std::runtime_error("the screen was not copied");
        if (msg.message == kDone) {
            const TSnapshot saved = queue.Finish();
            if (saved.Failure != TSnapshot::TFailure::None) throw std::runtime_error("the save failed");
            DeleteFileW(saved.Path.c_str());
            done = true;
        }
        DispatchMessageW(&msg);
    }
    return longest;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 3 && std::strcmp(argv[1], "--peak") == 0) {
            ShowBusyScreen();
            const std::size_t before = WorkingSet(false);
            std::strcmp(argv[2], "copy") == 0 ? Copy() : static_cast<void>(Save());
            return static_cast<int>((WorkingSet(true) - before) / 1024);
        }
        const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
        const TRect screen = VirtualScreen();
        ShowBusyScreen();
        std::size_t pngBytes = Save();  // binds the imaging component before the timing
        std::vector<double> copies, saves;
        for (int round = 0; round < rounds; ++round) {
            auto start = Clock::now();
            Copy();
            copies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            start = Clock::now();
            pngBytes = Save();
            saves.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        HWND loop =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        std::vector<double> stalls;
        for (int round = 0; round < rounds; ++round) stalls.push_back(LongestStallDuringSave(loop));
        DestroyWindow(loop);
        const double copy = Median(copies), save = Median(saves), stall = Median(stalls);
        const double copyPeak = PeakKiBOfChild("copy") / 1024.0, savePeak = PeakKiBOfChild("save") / 1024.0;
        std::printf("Screen %dx%d, median of %d rounds:\n", screen.Width(), screen.Height(), rounds);
        std::printf(
            "  bare screen copy %.1f ms; save screen (PNG, file, clipboard) %.1f ms (%.1fx); PNG %.2f MiB\n",
            copy, save, save / copy, static_cast<double>(pngBytes) / (1024.0 * 1024.0));
        std::printf(
            "  the main thread's longest time without a message during a save: %.1f ms (%.2fx the bare copy; "
            "all of the save on the main thread took %.1f ms)\n",
            stall, stall / copy, save);
        std::printf("  peak memory beyond the start: bare copy +%.1f MiB, save screen +%.1f MiB (%.1fx)\n",
                    copyPeak, savePeak, copyPeak > 0 ? savePeak / copyPeak : 0.0);
        RemoveDirectoryW(BenchFolder().c_str());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "snapshot-bench: %s\n", error.what());
        return 1;
    }
}
