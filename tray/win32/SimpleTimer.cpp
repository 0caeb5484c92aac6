#include "tray/win32/SimpleTimer.h"

#include "tray/win32/SharedHandlerWindow.h"

namespace zelvora {

// One hidden window for every simple timer of the process; timers are told apart by id.
class TSimpleTimerHandler : public TSharedHandlerWindow<TSimpleTimerHandler, TSimpleTimer, UINT_PTR> {
public:
    static constexpr const wchar_t* kClassName = L"TSimpleTimerHandler";
    static constexpr bool kMessageOnly = true;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
    {
        if (msg != WM_TIMER || !Instance()) return DefWindowProcW(hwnd, msg, wParam, lParam);
        TSimpleTimer* timer = Instance()->Find(static_cast<UINT_PTR>(wParam));
        if (timer && timer->callback_) {
            try {
                timer->callback_();
            } catch (...) {
                // A timer's work must not end the message loop; the next tick tries again.
            }
        }
        return 0;
    }
};

TSimpleTimer::TSimpleTimer(std::function<void()> callback) : callback_(std::move(callback))
{
    id_ = TSimpleTimerHandler::Acquire().Add(this);
}

TSimpleTimer::~TSimpleTimer()
{
    if (running_) Stop();
    if (TSimpleTimerHandler* handler = TSimpleTimerHandler::Instance()) handler->Remove(id_);
    TSimpleTimerHandler::Release();
}

bool TSimpleTimer::Start(unsigned intervalMs)
{
    if (running_) Stop();
    interval_ = intervalMs;
    TSimpleTimerHandler* handler = TSimpleTimerHandler::Instance();
    running_ = handler && SetTimer(handler->Window(), id_, intervalMs, nullptr) != 0;
    return running_;
}

void TSimpleTimer::Stop()
{
    running_ = false;
    if (TSimpleTimerHandler* handler = TSimpleTimerHandler::Instance()) KillTimer(handler->Window(), id_);
}

HWND TSimpleTimer::HandlerWindow()
{
    TSimpleTimerHandler* handler = TSimpleTimerHandler::Instance();
    return handler ? handler->Window() : nullptr;
}

}  // namespace zelvora
