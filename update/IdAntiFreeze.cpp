#include "update/IdAntiFreeze.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace zelvora {

namespace {

// Static initialisation runs on the program's main thread.
const std::thread::id mainThread = std::this_thread::get_id();
std::atomic<TIdAntiFreeze*> instance{nullptr};

}  // namespace

TIdAntiFreeze::TIdAntiFreeze(TComponent* owner) : TComponent(owner) { instance.store(this); }

TIdAntiFreeze::~TIdAntiFreeze() { instance.store(nullptr); }

const TClassInfo& TIdAntiFreeze::StaticClassInfo()
{
    static const TClassInfo info(
        "TIdAntiFreeze", &TComponent::StaticClassInfo(),
        {BooleanProperty<TIdAntiFreeze>("Active", &TIdAntiFreeze::Active, &TIdAntiFreeze::SetActive),
         BooleanProperty<TIdAntiFreeze>("ApplicationHasPriority", &TIdAntiFreeze::ApplicationHasPriority,
                                        &TIdAntiFreeze::SetApplicationHasPriority),
         IntegerProperty<TIdAntiFreeze>("IdleTimeOut", &TIdAntiFreeze::IdleTimeOut, &TIdAntiFreeze::SetIdleTimeOut),
         BooleanProperty<TIdAntiFreeze>("OnlyWhenIdle", &TIdAntiFreeze::OnlyWhenIdle, &TIdAntiFreeze::SetOnlyWhenIdle)});
    return info;
}

TIdAntiFreeze* TIdAntiFreeze::Instance() { return instance.load(); }

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
                                   const std::function<void()>& stillValid)
{
    TIdAntiFreeze* current = Applies() ? Instance() : nullptr;
    if (!current || !current->MessagesWaiting || ms <= 0) return ready(ms);
    constexpr int kPollStep = 5;  // below the marking timer's 10 ms
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const int answer = ready(static_cast<int>(std::clamp<long long>(left, 0, kPollStep)));
        if (answer != 0 || left <= kPollStep) return answer;
        if (current->MessagesWaiting()) {
            current->PumpMessages();
            stillValid();
            // The dispatched code may have destroyed the anti-freeze.
            current = Applies() ? Instance() : nullptr;
            if (!current || !current->MessagesWaiting) {
                const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
                return ready(static_cast<int>(std::max<long long>(rest, 0)));
            }
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
