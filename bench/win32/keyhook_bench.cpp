// The keyboard hook that runs for the program's life: how long its procedure takes per key
// (median and 99th percentile over 10,000 keys) while nothing of Zelvora's is active, for keys
// that make no shortcut and for a shortcut's key without its modifier, and while a text field is
// typed into. Called directly, as the hooks' thread calls it, without the system's dispatch.
//   keyhook-bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/win32/HoldSession.h"

using namespace zelvora;

namespace {

double Microseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    static const double frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / frequency;
}

// Each key down and up through the procedure; the times of the downs.
template <typename TKeyOf>
std::vector<double> TimeKeys(ILowLevelInput& hook, int count, TKeyOf keyOf)
{
    std::vector<double> times;
    times.reserve(count);
    for (int i = 0; i < count; ++i) {
        KBDLLHOOKSTRUCT key{};
        key.vkCode = keyOf(i);
        key.scanCode = MapVirtualKeyW(key.vkCode, MAPVK_VK_TO_VSC);
        LARGE_INTEGER before{}, after{};
        QueryPerformanceCounter(&before);
        hook.OnKey(WM_KEYDOWN, key);
        QueryPerformanceCounter(&after);
        times.push_back(Microseconds(before, after));
        key.flags = LLKHF_UP;
        hook.OnKey(WM_KEYUP, key);
        // What the hook posted is taken, as the program's loop takes it, outside the times.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return times;
}

void Print(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const auto at = [&](double share) { return times[static_cast<std::size_t>(share * (times.size() - 1))]; };
    std::printf("  %-58s median %6.3f us, p99 %6.3f us, longest %7.1f us\n", what, at(0.5), at(0.99),
                times.back());
}

}  // namespace

int main()
{
    constexpr int kKeys = 10'000;
    THoldSession session;
    ILowLevelInput& hook = session;
    std::printf("The keyboard hook's procedure, %d keys each:\n", kKeys);
    // Letters, as a person types in another program: no shortcut has a letter by default.
    Print("idle, keys of no shortcut (A..Z)", TimeKeys(hook, kKeys, [](int i) { return 'A' + i % 26; }));
    Print("idle, a shortcut's key without its modifier (0..7)",
          TimeKeys(hook, kKeys, [](int i) { return '0' + i % 8; }));
    // A field open: the key goes through the route and is typed (ToUnicodeEx, a posted character).
    const HWND field = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    session.SetField(field, RECT{0, 0, 10, 10});
    Print("a text field open, letters typed into it",
          TimeKeys(hook, kKeys, [](int i) { return 'A' + i % 26; }));
    session.ClearField();
    DestroyWindow(field);
    // The yardstick of the last line: the system turning a key into text, alone.
    const HKL layout = GetKeyboardLayout(0);
    std::vector<double> system;
    for (int i = 0; i < kKeys; ++i) {
        const BYTE state[256] = {};
        wchar_t text[8] = {};
        const UINT key = 'A' + i % 26;
        LARGE_INTEGER before{}, after{};
        QueryPerformanceCounter(&before);
        ToUnicodeEx(key, MapVirtualKeyW(key, MAPVK_VK_TO_VSC), state, text, 8, 0, layout);
        QueryPerformanceCounter(&after);
        system.push_back(Microseconds(before, after));
    }
    Print("the system's ToUnicodeEx alone, the same letters", system);
    return 0;
}
