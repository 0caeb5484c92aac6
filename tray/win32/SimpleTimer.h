// Timers that call a plain procedure: all of them share one hidden window of the process, which
// lives from the first timer to the last.
#pragma once

#include <windows.h>

#include <functional>

#include "tray/TrayMouse.h"

namespace zelvora {

class TSimpleTimer : public ITrayTimer {
public:
    explicit TSimpleTimer(std::function<void()> callback);
    ~TSimpleTimer();
    TSimpleTimer(const TSimpleTimer&) = delete;
    TSimpleTimer& operator=(const TSimpleTimer&) = delete;

    // Restarts with the interval; false (and not running) when the system refused the timer.
    bool Start(unsigned intervalMs) override;
    void Stop() override;
    bool Running() const override { return running_; }
    unsigned Interval() const { return interval_; }

    // The handler's window while any timer exists: for the leak tests.
    static HWND HandlerWindow();

private:
    friend class TSimpleTimerHandler;
    UINT_PTR id_;
    bool running_ = false;
    unsigned interval_ = 0;
    std::function<void()> callback_;
};

}  // namespace zelvora
