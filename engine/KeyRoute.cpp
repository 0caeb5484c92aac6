#include "engine/KeyRoute.h"

namespace zelvora {

namespace {

constexpr int kEscape = 0x1B;

}  // namespace

void TKeyRoute::SetShortcuts(const TShortcuts& shortcuts)
{
    shortcuts_ = shortcuts;
    RebuildWatched();
}

void TKeyRoute::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled) {
        EndHold();
        heldSinceTake_ = laserHeld_ = false;
    }
    RebuildWatched();
}

void TKeyRoute::SetPaused(bool paused)
{
    paused_ = paused;
    if (paused) {
        EndHold();
        heldSinceTake_ = laserHeld_ = spotlight_ = false;
    }
    RebuildWatched();
}

void TKeyRoute::RebuildWatched()
{
    ++watchedChanges_;
    watched_.reset();
    if (!enabled_) return;
    for (std::size_t i = 0; i < shortcuts_.size(); ++i) {
        if (paused_ && i != IndexOf(TShortcutCommand::Pause)) continue;
        if (const int key = shortcuts_[i] & 0xFF) watched_.set(static_cast<std::size_t>(key));
    }
}

bool TKeyRoute::Active() const
{
    return holding_ || laserHeld_ || pressed_.any() || keys_.KeysStillHeld() || keys_.Typing() ||
           spotlight_ || escapeDown_;
}

bool TKeyRoute::WantsPointer() const
{
    return holding_ || keys_.Typing() || spotlight_;
}

std::optional<std::size_t> TKeyRoute::ShortcutOf(int virtualKey, TShiftState modifiers) const
{
    for (std::size_t i = 0; i < shortcuts_.size(); ++i) {
        if (paused_ && i != IndexOf(TShortcutCommand::Pause)) continue;
        const TKeyAndShift shortcut = ShortCutToKey(shortcuts_[i]);
        if ((shortcut.Key & 0xFF) != 0 && (shortcut.Key & 0xFF) == virtualKey && shortcut.Shift == modifiers)
            return i;
    }
    return std::nullopt;
}

TRouted TKeyRoute::Key(const TKeyEvent& key)
{
    if (!InRange(key.VirtualKey) || (key.Injected && key.VirtualKey == kMaskKey)) return {};
    if (key.Down) return KeyDown(key);
    const bool escapeOurs = key.VirtualKey == kEscape && escapeDown_;
    KeyUp(key);
    // A release without its press means nothing to a program, and a window system that counted
    // the press down (Wine) would otherwise keep the key down for good. Esc alone is swallowed
    // whole: the spotlight's Esc never reaches the window beneath as half a key.
    return {escapeOurs ? TKeyVerdict::Swallow : TKeyVerdict::Pass, false};
}

TRouted TKeyRoute::KeyDown(const TKeyEvent& key)
{
    const int virtualKey = key.VirtualKey;
    const auto index = static_cast<std::size_t>(virtualKey);
    const bool repeat = pressed_.test(index) || keys_.IsDown(virtualKey);
    const auto taken = [&](TKeyVerdict verdict) {
        const bool maskable = key.Modifiers.Has(TShiftState::ssAlt) || key.WindowsDown;
        return TRouted{verdict, verdict != TKeyVerdict::Pass && !repeat && maskable};
    };
    if (!enabled_) return {};
    if (pressed_.test(index)) return taken(TKeyVerdict::Swallow);  // a held shortcut repeating
    if (holding_) return taken(keys_.KeyDown(virtualKey));
    if (const auto row = ShortcutOf(virtualKey, key.Modifiers)) {
        const TShortcutCommand command = kShortcutRows[*row].Command;
        if (command == TShortcutCommand::Paint) {
            BeginHold();
            keys_.KeyDown(virtualKey);
            return taken(TKeyVerdict::Swallow);
        }
        pressed_.set(index);
        if (command == TShortcutCommand::Laser)
            laserHeld_ = true;
        else
            commands_.push_back(*row);
        return taken(TKeyVerdict::Swallow);
    }
    if (paused_) return {};
    if (const TKeyVerdict verdict = keys_.KeyDown(virtualKey); verdict != TKeyVerdict::Pass)
        return taken(verdict);
    if (spotlight_ && virtualKey == kEscape) {
        escapeDown_ = true;
        escape_ = true;
        return taken(TKeyVerdict::Swallow);
    }
    return {};
}

void TKeyRoute::KeyUp(const TKeyEvent& key)
{
    const int virtualKey = key.VirtualKey;
    pressed_.reset(static_cast<std::size_t>(virtualKey));
    if (IsChordKey(Row(TShortcutCommand::Laser), virtualKey)) laserHeld_ = false;
    if (holding_ && IsChordKey(Row(TShortcutCommand::Paint), virtualKey)) EndHold();
    keys_.KeyUp(virtualKey);
    if (virtualKey == kEscape) escapeDown_ = false;
}

bool TKeyRoute::TakeHeld()
{
    const bool heldBetween = std::exchange(heldSinceTake_, false);
    return holding_ || heldBetween;
}

void TKeyRoute::BeginHold()
{
    std::vector<TShortCut> shortcuts(shortcuts_.begin(), shortcuts_.end());
    keys_ = TDrawingKeys(Row(TShortcutCommand::Paint));
    keys_.SetShortcuts(std::move(shortcuts));
    holding_ = holdBegan_ = heldSinceTake_ = true;
}

void TKeyRoute::EndHold()
{
    if (!holding_) return;
    holding_ = false;
    keys_.EndHold();
}

bool TKeyRoute::Within(TShortcutCommand command, TShiftState down) const
{
    const TShiftState wanted = ShortCutToKey(Row(command)).Shift;
    return (wanted.Bits() & down.Bits()) == wanted.Bits();
}

bool TKeyRoute::WouldEndWith(TShiftState down) const
{
    // Every shortcut has Ctrl or Alt: with neither down, none is still held.
    const bool noneHeld = !down.Has(TShiftState::ssCtrl) && !down.Has(TShiftState::ssAlt);
    return (holding_ && !Within(TShortcutCommand::Paint, down)) ||
           (laserHeld_ && !Within(TShortcutCommand::Laser, down)) || (pressed_.any() && noneHeld);
}

void TKeyRoute::FollowModifiers(TShiftState down)
{
    if (holding_ && !Within(TShortcutCommand::Paint, down)) EndHold();
    if (laserHeld_ && !Within(TShortcutCommand::Laser, down)) laserHeld_ = false;
    if (!down.Has(TShiftState::ssCtrl) && !down.Has(TShiftState::ssAlt)) pressed_.reset();
}

void TKeyRoute::ForgetKeys()
{
    EndHold();
    heldSinceTake_ = laserHeld_ = false;
    pressed_.reset();
    escapeDown_ = false;
    const bool typing = keys_.Typing(), capsLock = keys_.CapsLock();
    keys_ = TDrawingKeys(Row(TShortcutCommand::Paint));
    keys_.EndHold();
    keys_.SetTyping(typing, capsLock);
}

}  // namespace zelvora
