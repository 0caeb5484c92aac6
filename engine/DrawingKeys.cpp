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

bool PassesWhileTyping(int virtualKey)
{
    constexpr int kPrintScreen = 0x2C, kSleep = 0x5F, kBrowserBack = 0xA6, kLaunchApp2 = 0xB7,
                  kNumLock = 0x90, kScrollLock = 0x91;
    return virtualKey == kPrintScreen || virtualKey == kSleep || virtualKey == kNumLock ||
           virtualKey == kScrollLock || (virtualKey >= kBrowserBack && virtualKey <= kLaunchApp2);
}

bool IsEditingKey(int virtualKey)
{
    constexpr int kKeys[] = {0x08, 0x0D, 0x1B, 0x23, 0x24, 0x25, 0x27, 0x2E};  // Back, Enter, Esc, End,
                                                                               // Home, Left, Right, Del
    return std::find(std::begin(kKeys), std::end(kKeys), virtualKey) != std::end(kKeys);
}

bool MakesText(int virtualKey)
{
    const auto within = [&](int first, int last) { return virtualKey >= first && virtualKey <= last; };
    return virtualKey == 0x20 || within('0', '9') || within('A', 'Z') || within(0x60, 0x6F) ||    // keypad
           within(0xBA, 0xC2) || within(0xDB, 0xDF) || within(0xE1, 0xE4) || virtualKey == 0xE6;  // OEM
}

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
    } else if (!holding_) {
        // The field takes the chord's own keys too: a "1" typed is a "1".
        return typing_ ? TypingKeyDown(virtualKey, repeat) : TKeyVerdict::Pass;
    } else if (IsChordKey(chord_, virtualKey)) {
        // The chord's own key repeats while it is held (the program beneath would get Alt+1 over
        // and over); its modifiers belong to the program beneath.
        if (virtualKey == (ShortCutToKey(chord_).Key & 0xFF)) return TKeyVerdict::Swallow;
        return TKeyVerdict::Pass;
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

TKeyVerdict TDrawingKeys::TypingKeyDown(int virtualKey, bool repeat)
{
    constexpr int kCapsLock = 0x14, kLeftWindows = 0x5B, kRightWindows = 0x5C;
    if (virtualKey == kCapsLock) {
        if (!repeat) capsLock_ = !capsLock_;
        return TKeyVerdict::Pass;  // the system keeps its light
    }
    const bool modifier = IsModifierOf(TShiftState::ssShift, virtualKey) ||
                          IsModifierOf(TShiftState::ssCtrl, virtualKey) ||
                          IsModifierOf(TShiftState::ssAlt, virtualKey) || virtualKey == kLeftWindows ||
                          virtualKey == kRightWindows;
    const TShiftState modifiers = ModifiersDown();
    const bool altGr = modifiers.Has(TShiftState::ssAlt) && modifiers.Has(TShiftState::ssCtrl);
    const bool switching = (modifiers.Has(TShiftState::ssAlt) && !altGr) || down_.test(kLeftWindows) ||
                           down_.test(kRightWindows);
    if (modifier || switching || PassesWhileTyping(virtualKey)) return TKeyVerdict::Pass;
    if (IsEditingKey(virtualKey) || (virtualKey == 'V' && modifiers.Has(TShiftState::ssCtrl) && !altGr))
        return TKeyVerdict::Edit;
    // Ctrl alone with a letter makes a control character, not text; AltGr makes text.
    const bool control = modifiers.Has(TShiftState::ssCtrl) && !altGr;
    return MakesText(virtualKey) && !control ? TKeyVerdict::Type : TKeyVerdict::Swallow;
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
