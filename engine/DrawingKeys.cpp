#include "engine/DrawingKeys.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "engine/MarkerDefaults.h"

namespace zelvora {

namespace {

constexpr int kWheelNotch = 120;

// The shape of each combination of held shape keys, indexed by Shift | Ctrl << 1 | Tab << 2.
constexpr TDrawingShape kShapes[] = {
    TDrawingShape::None,    TDrawingShape::Line,    TDrawingShape::Rectangle, TDrawingShape::Arrow,
    TDrawingShape::Ellipse, TDrawingShape::Ellipse, TDrawingShape::Ellipse,   TDrawingShape::Arrow,
};

bool IsModifierOf(TShiftState::Flag modifier, int virtualKey)
{
    switch (modifier) {
        case TShiftState::ssShift:
            return virtualKey == 0x10 || virtualKey == 0xA0 || virtualKey == 0xA1;
        case TShiftState::ssCtrl:
            return virtualKey == 0x11 || virtualKey == 0xA2 || virtualKey == 0xA3;
        case TShiftState::ssAlt:
            return virtualKey == 0x12 || virtualKey == 0xA4 || virtualKey == 0xA5;
        default:
            return false;
    }
}

}  // namespace

const TDrawingKeyRow* DrawingKeyOf(int virtualKey)
{
    for (const TDrawingKeyRow& row : kDrawingKeys)
        if (row.VirtualKey == virtualKey) return &row;
    return nullptr;
}

bool IsChordKey(TShortCut chord, int virtualKey)
{
    const TKeyAndShift keys = ShortCutToKey(chord);
    if (keys.Key != 0 && keys.Key == virtualKey) return true;
    for (const auto modifier : {TShiftState::ssShift, TShiftState::ssCtrl, TShiftState::ssAlt})
        if (keys.Shift.Has(modifier) && IsModifierOf(modifier, virtualKey)) return true;
    return false;
}

int SteppedMarkerSize(int size, int steps)
{
    return static_cast<int>(
        std::clamp<long long>(static_cast<long long>(size) + steps, kMinMarkerSize, kMaxMarkerSize));
}

void TDrawingKeys::AlreadyDown(int virtualKey)
{
    if (!InRange(virtualKey)) return;
    seen_.set(virtualKey);
    if (!IsChordKey(chord_, virtualKey)) down_.set(virtualKey);
}

TKeyVerdict TDrawingKeys::KeyDown(int virtualKey)
{
    if (!InRange(virtualKey)) return TKeyVerdict::Pass;
    const bool repeat = down_.test(virtualKey);
    down_.set(virtualKey);
    seen_.set(virtualKey);
    if (swallowed_.test(virtualKey)) {
        // Held since it was swallowed in the hold: its repeats are ours, and mean nothing after it.
        if (!holding_) return TKeyVerdict::Swallow;
    } else if (IsChordKey(chord_, virtualKey)) {
        // The chord's own key repeats while it is held (the program beneath would get Alt+1 over
        // and over); its release, like its press, belongs to the program beneath.
        if (holding_ && virtualKey == (ShortCutToKey(chord_).Key & 0xFF)) return TKeyVerdict::Swallow;
        return TKeyVerdict::Pass;
    } else if (!holding_) {
        return typing_ ? TypingKeyDown(virtualKey) : TKeyVerdict::Pass;
    }
    swallowed_.set(virtualKey);
    anyInput_ = true;
    if (!repeat) {
        const TShiftState modifiers = ModifiersDown();
        for (std::size_t i = 0; i < shortcuts_.size(); ++i) {
            const TKeyAndShift shortcut = ShortCutToKey(shortcuts_[i]);
            if (shortcut.Key != 0 && (shortcut.Key & 0xFF) == virtualKey && shortcut.Shift == modifiers) {
                shortcutsAsked_.push_back(i);
                return TKeyVerdict::Swallow;
            }
        }
    }
    if (const TDrawingKeyRow* row = DrawingKeyOf(virtualKey)) {
        switch (row->Meaning) {
            case TKeyMeaning::Colour:
                colour_ = row->Colour;
                break;
            case TKeyMeaning::Wider:
                ++widthSteps_;
                break;
            case TKeyMeaning::Narrower:
                --widthSteps_;
                break;
            case TKeyMeaning::Text:
                textWanted_ = true;
                break;
            case TKeyMeaning::Board:
                if (!repeat) board_ = row->Colour;
                break;
            default:
                break;
        }
    }
    return TKeyVerdict::Swallow;
}

TKeyVerdict TDrawingKeys::TypingKeyDown(int virtualKey)
{
    constexpr int kCapsLock = 0x14, kLeftWindows = 0x5B, kRightWindows = 0x5C;
    const bool modifier = IsModifierOf(TShiftState::ssShift, virtualKey) ||
                          IsModifierOf(TShiftState::ssCtrl, virtualKey) ||
                          IsModifierOf(TShiftState::ssAlt, virtualKey) || virtualKey == kCapsLock ||
                          virtualKey == kLeftWindows || virtualKey == kRightWindows;
    const TShiftState modifiers = ModifiersDown();
    const bool switching = (modifiers.Has(TShiftState::ssAlt) && !modifiers.Has(TShiftState::ssCtrl)) ||
                           down_.test(kLeftWindows) || down_.test(kRightWindows);
    if (modifier || switching) return TKeyVerdict::Pass;
    return TKeyVerdict::Type;
}

TShiftState TDrawingKeys::ModifiersDown() const
{
    // Each modifier by its either-side name, then its left and right keys.
    constexpr std::pair<TShiftState::Flag, int> kModifiers[] = {
        {TShiftState::ssShift, 0x10}, {TShiftState::ssCtrl, 0x11}, {TShiftState::ssAlt, 0x12}};
    constexpr int kSides[] = {0xA0, 0xA2, 0xA4};
    TShiftState modifiers = holding_ ? ShortCutToKey(chord_).Shift : TShiftState{};
    for (std::size_t i = 0; i < std::size(kModifiers); ++i) {
        const auto [modifier, either] = kModifiers[i];
        if (down_.test(either) || down_.test(kSides[i]) || down_.test(kSides[i] + 1)) modifiers.Add(modifier);
    }
    return modifiers;
}

void TDrawingKeys::KeyUp(int virtualKey)
{
    if (!InRange(virtualKey)) return;
    down_.reset(virtualKey);
    seen_.set(virtualKey);
    if (const TDrawingKeyRow* row = DrawingKeyOf(virtualKey))
        shapeKeyUp_ = shapeKeyUp_ || (holding_ && (row->Meaning == TKeyMeaning::ShapeShift ||
                                                   row->Meaning == TKeyMeaning::ShapeCtrl ||
                                                   row->Meaning == TKeyMeaning::ShapeTab));
    swallowed_.reset(virtualKey);
}

void TDrawingKeys::Wheel(int delta)
{
    // Fine-grained wheels send less than a notch at a time: a step once they add up to one.
    anyInput_ = true;
    wheel_ += delta;
    widthSteps_ += wheel_ / kWheelNotch;
    wheel_ %= kWheelNotch;
}

int TDrawingKeys::TakeWidthSteps()
{
    return std::exchange(widthSteps_, 0);
}

TDrawingShape TDrawingKeys::Shape() const
{
    bool held[3] = {};
    for (const TDrawingKeyRow& row : kDrawingKeys) {
        if (!down_.test(static_cast<std::size_t>(row.VirtualKey)) || IsChordKey(chord_, row.VirtualKey))
            continue;
        if (row.Meaning == TKeyMeaning::ShapeShift) held[0] = true;
        if (row.Meaning == TKeyMeaning::ShapeCtrl) held[1] = true;
        if (row.Meaning == TKeyMeaning::ShapeTab) held[2] = true;
    }
    return kShapes[held[0] | held[1] << 1 | held[2] << 2];
}

}  // namespace zelvora
