// Keeps the windows alive while a network wait blocks the user-interface thread: waits are cut
// into slices and the window messages that arrived meanwhile are dispatched between them.
#pragma once

#include <chrono>
#include <functional>

#include "toolkit/Component.h"

namespace zelvora {

using TIdClock = std::function<std::chrono::steady_clock::time_point()>;

class TIdAntiFreeze : public TComponent {
public:
    explicit TIdAntiFreeze(TComponent* owner = nullptr);
    ~TIdAntiFreeze() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    bool ApplicationHasPriority() const { return applicationHasPriority_; }
    void SetApplicationHasPriority(bool value) { applicationHasPriority_ = value; }
    int IdleTimeOut() const { return idleTimeOut_; }
    void SetIdleTimeOut(int ms) { idleTimeOut_ = ms; }
    bool OnlyWhenIdle() const { return onlyWhenIdle_; }
    void SetOnlyWhenIdle(bool value) { onlyWhenIdle_ = value; }

    // How messages are dispatched; the window layer fills these in. All waiting messages, and one
    // message when one is waiting (false when none was).
    std::function<void()> ProcessMessages;
    std::function<bool()> HandleMessage;
    // Whether a message waits. When the window layer tells, waits poll in short steps and a
    // message is dispatched as it arrives instead of a whole slice later: the 10 ms marking timer
    // and the pointer keep their pace during a request.
    std::function<bool()> MessagesWaiting;
    // What the waits are timed with; tests give a clock of their own.
    TIdClock Clock = [] { return std::chrono::steady_clock::now(); };

    // The most recently created anti-freeze, or none.
    static TIdAntiFreeze* Instance();
    // There is one, this is the main thread, and it is active.
    static bool Applies();
    static void Step(bool idle, bool force);
    // Waits up to `ms` (0 or more) through `ready`, which is asked with a wait of its own and answers
    // non-zero when the wait is over; messages arriving meanwhile are dispatched at once where
    // MessagesWaiting can tell. `stillValid` is asked after each dispatch (it may throw).
    // `readyOrMessage`, where given, sleeps on the wait and the message queue together, answering
    // TIdStack::kMessageWaiting when a message woke it: then nothing polls.
    static int WaitDispatching(int ms, const std::function<int(int)>& ready,
                               const std::function<void()>& stillValid,
                               const std::function<int(int)>& readyOrMessage = {});
    void PumpMessages();

private:
    bool active_ = true, applicationHasPriority_ = true, onlyWhenIdle_ = true;
    int idleTimeOut_ = 250;
};

}  // namespace zelvora
