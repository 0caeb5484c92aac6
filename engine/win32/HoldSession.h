// The keys and the pointer while Zelvora is used: the keyboard hook for the program's life, which
// hands each key to the key route (shortcuts, the hold, the text field, the spotlight's Esc) and
// swallows what it takes; the mouse hook while a hold, a field or the spotlight wants the
// pointer; the hooks' health (the system drops a hook that answers late, and keys go past it).
// The marking loop reads what the hooks noted under `Locked`.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <memory>
#include <mutex>

#include "engine/KeyRoute.h"
#include "engine/PointerTrail.h"
#include "engine/win32/LowLevelHooks.h"
#include "engine/win32/PresenterPointer.h"
#include "engine/win32/TextField.h"

namespace zelvora {

class THoldSession : public ILowLevelInput, public ISpotlightKeys {
public:
    THoldSession();
    ~THoldSession();
    THoldSession(const THoldSession&) = delete;
    THoldSession& operator=(const THoldSession&) = delete;

    // What the hooks noted, read and changed by the marking loop. Nothing may call the system
    // inside `use`: a call may wait for the hook, which would wait for the lock.
    template <typename TUse>
    decltype(auto) Locked(TUse&& use)
    {
        bool wantsPointer = false;
        struct TWantMouse {
            THoldSession& Session;
            const bool& Wanted;
            ~TWantMouse()
            {
                if (Session.hooks_) Session.hooks_->WantMouse(Wanted);
            }
        } wantMouse{*this, wantsPointer};
        const std::lock_guard lock(lock_);
        struct TFollow {
            THoldSession& Session;
            bool& WantsPointer;
            ~TFollow() { WantsPointer = Session.FollowRoute(); }
        } follow{*this, wantsPointer};
        return use(route_, trail_);
    }

    // The open text field the hook types into, and where it lies; none closes it.
    void SetField(HWND field, RECT area);
    void ClearField();
    void SetFieldArea(RECT area);

    // The hold began: a key the system shows held that the hook has not seen counts, and its
    // release is not ours.
    void NoteKeysAlreadyDown();

    // Once a tick: a chord the system shows held that the hook never saw, or keys that went
    // past it, install the hook again (and the hold begins all the same); a modifier seen up
    // ends what needs it.
    void CheckHealth();
    int Reinstalls() const { return reinstalls_; }
    long long TakeLongestProcMicros() { return longestMicros_.exchange(0); }

    // ISpotlightKeys
    void Follow(bool on) override;
    void TakeWheel(bool take) override { takeWheel_ = take; }
    bool TakeEscape() override;
    int TakeWheelSteps() override;

    // ILowLevelInput: what the hooks' thread calls (and a benchmark, key by key).
    bool OnKey(WPARAM message, const KBDLLHOOKSTRUCT& key) noexcept override;
    bool OnMouse(WPARAM message, const MSLLHOOKSTRUCT& mouse) noexcept override;
    void OnTask(UINT task) noexcept override;

private:
    bool RouteKey(WPARAM message, const KBDLLHOOKSTRUCT& key);
    bool RouteMouse(WPARAM message, const MSLLHOOKSTRUCT& mouse);
    // The key as the foreground window's keyboard layout types it, dead keys included.
    void TypeIntoField(HWND field, const KBDLLHOOKSTRUCT& key);
    void EditField(HWND field, const KBDLLHOOKSTRUCT& key);
    // A dead key typed last waits for the next key in this thread's keyboard state: it goes.
    void DropDeadKey();
    static void MaskModifiers();
    // The fast path's copy of what the route watches, as the route is now (under the lock);
    // whether the pointer is wanted.
    bool FollowRoute();

    std::mutex lock_;
    TKeyRoute route_;
    TPointerTrail trail_;
    HWND field_ = nullptr;
    RECT fieldArea_{};

    // Read by the hook without the lock: a key neither watched nor wanted costs one look.
    std::array<std::atomic<bool>, 256> watched_{};
    unsigned watchedCopied_ = ~0u;  // the route's changes when `watched_` was made
    std::atomic<bool> active_{false};
    std::atomic<long long> longestMicros_{0};
    std::atomic<bool> takeWheel_{false};
    std::atomic<int> wheelDelta_{0};
    // The hooks' thread only.
    UINT swallowedButtons_ = 0;
    bool deadKeyPending_ = false;
    HKL deadKeyLayout_ = nullptr;
    // The marking loop's.
    int missedChordTicks_ = 0, missedKeyTicks_ = 0, modifierUpTicks_ = 0, quietTicks_ = 0;
    int reinstalls_ = 0;

    std::unique_ptr<TLowLevelHooks> hooks_;
};

}  // namespace zelvora
