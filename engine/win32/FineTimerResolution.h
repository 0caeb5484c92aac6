// While it lives the system's timers tick every millisecond, so that the marking loop's 10 ms
// timer keeps its pace: at Windows' usual 15.6 ms resolution it fires every 15.6 ms. Held only
// while the pen is down, so idle power stays as it is.
#pragma once

#include <windows.h>

#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

class TFineTimerResolution {
public:
    TFineTimerResolution() : granted_(Call("timeBeginPeriod")) {}
    ~TFineTimerResolution()
    {
        if (granted_) Call("timeEndPeriod");
    }
    TFineTimerResolution(const TFineTimerResolution&) = delete;
    TFineTimerResolution& operator=(const TFineTimerResolution&) = delete;

private:
    // The multimedia library is bound on the first hold, not at start.
    static bool Call(const char* name)
    {
        using TPeriod = UINT WINAPI(UINT);
        auto* period = SystemFunction<TPeriod>(L"winmm.dll", name);
        constexpr UINT kMilliseconds = 1, kNoError = 0;  // TIMERR_NOERROR
        return period && period(kMilliseconds) == kNoError;
    }

    bool granted_;
};

}  // namespace zelvora
