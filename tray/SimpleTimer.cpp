#include "tray/SimpleTimer.h"

#include <unordered_map>

#include "toolkit/Handles.h"

namespace zelvora {

// One hidden window for every simple timer of the process; timers are told apart by id. Ids
// are counted, not addresses: an address does not fit the 32 bits a timer id may keep.
class TSimpleTimerHandler {
public:
    static TSimpleTimerHandler& Acquire()
    {
        if (!instance_) instance_ = new TSimpleTimerHandler;
        ++references_;
        return *instance_;
    }
    static void Release()
    {
        if (references_ > 0 && --references_ == 0) {
            delete instance_;
            instance_ = nullptr;
        }
    }
    static TSimpleTimerHandler* Instance() { return instance_; }

    HWND Window() const { return window_.get(); }
    UINT_PTR Add(TSimpleTimer* timer)
    {
        const UINT_PTR id = nextId_++;
        timers_[id] = timer;
        return id;
    }
    void Remove(UINT_PTR id) { timers_.erase(id); }

private:
    TSimpleTimerHandler()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TSimpleTimerHandler";
        RegisterClassW(&wc);  // already registered is fine
        window_.reset(CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      wc.hInstance, nullptr));
    }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg != WM_TIMER || !instance_) return DefWindowProcW(hwnd, msg, wParam, lParam);
        const auto found = instance_->timers_.find(static_cast<UINT_PTR>(wParam));
        if (found != instance_->timers_.end() && found->second->callback_) {
            try {
                found->second->callback_();
            } catch (...) {
                // A timer's work must not end the message loop; the next tick tries again.
            }
        }
        return 0;
    }

    UniqueWindow window_;
    std::unordered_map<UINT_PTR, TSimpleTimer*> timers_;
    UINT_PTR nextId_ = 1;
    static inline TSimpleTimerHandler* instance_ = nullptr;
    static inline long references_ = 0;
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
