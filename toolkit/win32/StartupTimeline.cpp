#include "toolkit/win32/StartupTimeline.h"

#include <cstdio>

#include "toolkit/win32/Application.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

LONGLONG PerformanceTicks()
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

TStartupTimeline::TStartupTimeline()
{
    wchar_t file[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"ZELVORA_STARTUP_TIMES", file, MAX_PATH);
    if (length > 0 && length < MAX_PATH) file_ = file;
}

void TStartupTimeline::Mark(std::string_view phase, std::string_view window)
{
    if (Recording()) MarkAt(phase, PerformanceTicks(), window);
}

void TStartupTimeline::MarkAt(std::string_view phase, LONGLONG ticks, std::string_view window)
{
    if (!Recording()) return;
    std::string text = window.empty() ? std::string() : std::string(window) + ": ";
    marks_.emplace_back(ticks, text.append(phase));
}

void TStartupTimeline::Finish()
{
    if (!Recording()) return;
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::string text = "ticks-per-second\t" + std::to_string(frequency.QuadPart) + "\n";
    for (const auto& [ticks, phase] : marks_) text += std::to_string(ticks) + "\t" + phase + "\n";
    HANDLE raw = CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (raw != INVALID_HANDLE_VALUE) {
        const UniqueKernelObject out(raw);
        DWORD written = 0;
        WriteFile(out.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    file_.clear();
    marks_.clear();
}

void MarkStartup(std::string_view phase, std::string_view window)
{
    if (Application) Application->Timeline().Mark(phase, window);
}

}  // namespace zelvora
