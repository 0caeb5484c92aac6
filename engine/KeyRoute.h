// Where each key goes, decided by the keyboard hook that runs for the program's life: the
// shortcuts are taken at their own press (none reaches the program in front, and none acts
// twice however long it is held), the paint chord begins the hold at once, and the hold, the
// text field and the spotlight take what they need. Nothing of Zelvora's active, a key is only
// compared with the shortcut table. Bookkeeping only; the hook feeds it under a lock.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "base/ShortcutCommands.h"
#include "engine/DrawingKeys.h"

namespace zelvora {

struct TKeyEvent {
    int VirtualKey = 0;
    bool Down = true;
    // Sent by a program rather than typed; Zelvora's own mask key comes back this way.
    bool Injected = false;
    // The modifiers down before this key, either side, as the system has them.
    TShiftState Modifiers;
    bool WindowsDown = false;
};

struct TRouted {
    TKeyVerdict Verdict = TKeyVerdict::Pass;
    // A key was taken while Alt or a Windows key is down: the system would take their release
    // alone for a press of their own (a menu bar armed, the Start menu), unless a key that
    // means nothing goes between.
    bool MaskModifiers = false;
};

class TKeyRoute {
public:
    // Unassigned: no program gives it a meaning.
    static constexpr int kMaskKey = 0xE8;

    explicit TKeyRoute(const TShortcuts& shortcuts = DefaultShortcuts())
    {
        keys_.EndHold();
        SetShortcuts(shortcuts);
    }

    void SetShortcuts(const TShortcuts& shortcuts);
    // Off while the hotkey editor reads keys: every key passes.
    void SetEnabled(bool enabled);
    // Paused: every key passes but the pause shortcut's own.
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }
    bool Enabled() const { return enabled_; }
    TShortCut Chord() const { return Row(TShortcutCommand::Paint); }
    // While the spotlight shows, Esc is its.
    void SetSpotlight(bool on) { spotlight_ = on; }

    // A key the hook must hand over while nothing is active: one of a shortcut's.
    bool Watches(int virtualKey) const { return InRange(virtualKey) && watched_.test(virtualKey); }
    // Counts the changes of what is watched: a copy of it is made again only after one.
    unsigned WatchedChanges() const { return watchedChanges_; }
    // Something is going on that needs every key: a hold, keys still held from one, a shortcut
    // or the laser held, a text field, the spotlight.
    bool Active() const;
    // The pointer is wanted: a hold, a text field, the spotlight's wheel.
    bool WantsPointer() const;

    TRouted Key(const TKeyEvent& key);

    // The paint chord is down (or went down and up since the last call).
    bool TakeHeld();
    bool Holding() const { return holding_; }
    // The hold began since the last call.
    bool TakeHoldBegan() { return std::exchange(holdBegan_, false); }
    bool LaserHeld() const { return laserHeld_; }
    // A shortcut taken at its press is still down.
    bool Pressing() const { return pressed_.any(); }
    // The keys of the hold in progress or the last one, and of the text field.
    TDrawingKeys& Keys() { return keys_; }
    const TDrawingKeys& Keys() const { return keys_; }
    // The shortcuts pressed since the last call, by their row; the paint chord's and the
    // laser's, which are held, never.
    std::vector<std::size_t> TakeCommands() { return std::exchange(commands_, {}); }
    bool TakeEscape() { return std::exchange(escape_, false); }

    // The hook missed the chord's press (the system had dropped it): the hold begins anyway.
    void BeginHold();
    // The modifiers the system shows down now: a hold, the laser or a press whose modifier went
    // up without the hook seeing it ends.
    void FollowModifiers(TShiftState down);
    bool WouldEndWith(TShiftState down) const;
    // Nothing is held any more: the session was locked or the secure desktop came, and the
    // key-ups went elsewhere.
    void ForgetKeys();

private:
    static bool InRange(int virtualKey) { return virtualKey >= 0 && virtualKey < 256; }
    std::optional<std::size_t> ShortcutOf(int virtualKey, TShiftState modifiers) const;
    TRouted KeyDown(const TKeyEvent& key);
    void KeyUp(const TKeyEvent& key);
    void EndHold();
    void RebuildWatched();
    bool Within(TShortcutCommand command, TShiftState down) const;
    TShortCut Row(TShortcutCommand command) const { return shortcuts_[IndexOf(command)]; }

    TShortcuts shortcuts_{};
    std::bitset<256> watched_;
    unsigned watchedChanges_ = 0;
    bool enabled_ = true;
    bool paused_ = false;
    bool spotlight_ = false;
    TDrawingKeys keys_{0};
    bool holding_ = false, holdBegan_ = false, heldSinceTake_ = false;
    bool laserHeld_ = false;
    // Shortcut keys taken at their press and not yet seen up: their repeats are taken too.
    std::bitset<256> pressed_;
    bool escapeDown_ = false, escape_ = false;
    std::vector<std::size_t> commands_;
};

}  // namespace zelvora
