#include "update/IdAntiFreeze.h"

#include <atomic>
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

void TIdAntiFreeze::PumpMessages()
{
    if (applicationHasPriority_) {
        if (ProcessMessages) ProcessMessages();
    } else if (HandleMessage) {
        HandleMessage();
    }
}

}  // namespace zelvora
