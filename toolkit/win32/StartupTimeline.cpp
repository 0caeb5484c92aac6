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

void TStartupTimeline::Mark(std::string phase)
{
    if (Recording()) MarkAt(std::move(phase), PerformanceTicks());
}

void TStartupTimeline::MarkAt(std::string phase, LONGLONG ticks)
{
    if (Recording()) marks_.emplace_back(ticks, std::move(phase));
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

void MarkStartup(std::string phase)
{
    if (Application) Application->Timeline().Mark(std::move(phase));
}

}  // namespace zelvora
