#include "update/AntiFreeze.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "update/SocketStack.h"

namespace zelvora {

namespace {

// Static initialisation runs on the program's main thread.
const std::thread::id mainThread = std::this_thread::get_id();
std::atomic<TIdAntiFreeze*> instance{nullptr};

}  // namespace

TIdAntiFreeze::TIdAntiFreeze(TComponent* owner) : TComponent(owner)
{
    instance.store(this);
}

TIdAntiFreeze::~TIdAntiFreeze()
{
    // An older one going leaves a newer one in place.
    TIdAntiFreeze* self = this;
    instance.compare_exchange_strong(self, nullptr);
}

const TClassInfo& TIdAntiFreeze::StaticClassInfo()
{
    static const TClassInfo info(
        "TIdAntiFreeze", &TComponent::StaticClassInfo(),
        {BooleanProperty<TIdAntiFreeze>("Active", &TIdAntiFreeze::Active, &TIdAntiFreeze::SetActive),
         BooleanProperty<TIdAntiFreeze>("ApplicationHasPriority", &TIdAntiFreeze::ApplicationHasPriority,
                                        &TIdAntiFreeze::SetApplicationHasPriority),
         IntegerProperty<TIdAntiFreeze>("IdleTimeOut", &TIdAntiFreeze::IdleTimeOut,
                                        &TIdAntiFreeze::SetIdleTimeOut),
         BooleanProperty<TIdAntiFreeze>("OnlyWhenIdle", &TIdAntiFreeze::OnlyWhenIdle,
                                        &TIdAntiFreeze::SetOnlyWhenIdle)});
    return info;
}

TIdAntiFreeze* TIdAntiFreeze::Instance()
{
    return instance.load();
}

bool TIdAntiFreeze::Applies()
{
    TIdAntiFreeze* current = Instance();
    return current && std::this_thread::get_id() == mainThread && current->Active();
}

void TIdAntiFreeze::Step(bool idle, bool force)
{
    if (!Applies()) return;  // also checks that it is active
    TIdAntiFreeze* current = Instance();
    if (idle || !current->OnlyWhenIdle() || force) current->PumpMessages();
}

int TIdAntiFreeze::WaitDispatching(int ms, const std::function<int(int)>& ready,
                                   const std::function<void()>& stillValid,
                                   const std::function<int(int)>& readyOrMessage)
{
    constexpr long long kPollStep = 5;  // below the marking timer's 10 ms
    TIdAntiFreeze* first = Applies() ? Instance() : nullptr;
    const TIdClock clock = first ? first->Clock : TIdClock([] { return std::chrono::steady_clock::now(); });
    const auto deadline = clock() + std::chrono::milliseconds(ms);
    const auto left = [&] {
        return std::max<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock()).count(), 0);
    };
    for (bool first = true;; first = false) {
        // Asked again after each dispatch: the dispatched code may have destroyed the anti-freeze.
        TIdAntiFreeze* current = Applies() ? Instance() : nullptr;
        if (!current || !current->MessagesWaiting || ms <= 0)
            return ready(ms <= 0 || first ? ms : static_cast<int>(left()));
        const long long rest = left();
        if (readyOrMessage) {
            const int answer = readyOrMessage(static_cast<int>(rest));
            if (answer != TIdStack::kMessageWaiting) return answer;
            if (current->MessagesWaiting()) {
                current->PumpMessages();
                stillValid();
            }
            if (rest == 0) return readyOrMessage(0);  // a wait of no time ends the wait
            continue;
        }
        const int answer = ready(static_cast<int>(std::min(rest, kPollStep)));
        if (answer != 0 || rest <= kPollStep) return answer;
        if (current->MessagesWaiting()) {
            current->PumpMessages();
            stillValid();
        }
    }
}

void TIdAntiFreeze::PumpMessages()
{
    if (applicationHasPriority_) {
        if (ProcessMessages) ProcessMessages();
    } else if (HandleMessage) {
        HandleMessage();
    }
}

}  // namespace zelvora
