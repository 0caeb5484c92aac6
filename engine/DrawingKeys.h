// What the keys mean while the paint shortcut is held: shapes, pen colours, widths and text. The
// low-level hook feeds every key to TDrawingKeys and swallows the ones it claims; the poll tick
// reads what they ask for. Pure bookkeeping, tested natively.
#pragma once

#include <bitset>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "base/ShortCut.h"
#include "toolkit/Colors.h"

namespace zelvora {

enum class TDrawingShape { None, Line, Rectangle, Ellipse, Arrow };

enum class TKeyMeaning { ShapeShift, ShapeCtrl, ShapeTab, Colour, Wider, Narrower, Text, Board };

struct TDrawingKeyRow {
    int VirtualKey;
    TKeyMeaning Meaning;
    TColor Colour = 0;
};

// The left and right modifiers are separate keys for a low-level hook.
inline constexpr TDrawingKeyRow kDrawingKeys[] = {
    {0xA0, TKeyMeaning::ShapeShift},  // VK_LSHIFT
    {0xA1, TKeyMeaning::ShapeShift},  // VK_RSHIFT
    {0xA2, TKeyMeaning::ShapeCtrl},   // VK_LCONTROL
    {0xA3, TKeyMeaning::ShapeCtrl},   // VK_RCONTROL
    {0x09, TKeyMeaning::ShapeTab},    // VK_TAB
    {'R', TKeyMeaning::Colour, RgbOf(255, 0, 0)},
    {'G', TKeyMeaning::Colour, RgbOf(0, 160, 0)},
    {'B', TKeyMeaning::Colour, RgbOf(0, 0, 255)},
    {'Y', TKeyMeaning::Colour, RgbOf(255, 255, 0)},
    {'O', TKeyMeaning::Colour, RgbOf(255, 128, 0)},
    {'P', TKeyMeaning::Colour, RgbOf(255, 0, 128)},
    {0xBB, TKeyMeaning::Wider},     // VK_OEM_PLUS
    {0x6B, TKeyMeaning::Wider},     // VK_ADD
    {0xBD, TKeyMeaning::Narrower},  // VK_OEM_MINUS
    {0x6D, TKeyMeaning::Narrower},  // VK_SUBTRACT
    {'T', TKeyMeaning::Text},
    {'W', TKeyMeaning::Board, RgbOf(255, 255, 255)},
    {'K', TKeyMeaning::Board, RgbOf(0, 0, 0)},
    {0x10, TKeyMeaning::ShapeShift},  // VK_SHIFT, as GetAsyncKeyState names them
    {0x11, TKeyMeaning::ShapeCtrl},   // VK_CONTROL
};

const TDrawingKeyRow* DrawingKeyOf(int virtualKey);

// The key is one of the paint shortcut's own (its key or one of its modifiers, either side).
bool IsChordKey(TShortCut chord, int virtualKey);

// The pen's size after `steps` of the size track bar, within its range.
int SteppedMarkerSize(int size, int steps);

// Keys that make no text and do not edit, which a text field lets through to the system:
// browser, volume, media and launch keys, Print Screen, Sleep and the lock keys.
bool PassesWhileTyping(int virtualKey);
// Left, Right, Home, End, Delete, Backspace, Enter and Esc.
bool IsEditingKey(int virtualKey);
// Letters, digits, the space bar, the keypad and the punctuation keys of every layout.
bool MakesText(int virtualKey);

// What the hook does with a key.
enum class TKeyVerdict {
    Pass,     // the program beneath gets it
    Swallow,  // no program gets it
    Type,     // the text field gets it, as text, and no program does
    Edit,     // the text field gets it as an editing key (moves, deletes, keeps, drops, pastes)
};

// The keys of one hold of the paint shortcut, and of what follows it: keys still held from the
// hold, and a text field typed into.
class TDrawingKeys {
public:
    explicit TDrawingKeys(TShortCut chord) : chord_(chord) {}

    // A shape key already down when the hold began: it counts, and its release is not ours.
    void AlreadyDown(int virtualKey);
    // Zelvora's other shortcuts: a key that makes one with the modifiers held is asked for by its
    // index here instead of acting as a drawing key.
    void SetShortcuts(std::vector<TShortCut> shortcuts) { shortcuts_ = std::move(shortcuts); }
    // Every key but the chord's modifiers is ours during the hold, the chord's own key included
    // (its auto-repeat). Every release passes: a release without its press means nothing to a
    // program, and a window system that counted the press down before the hook saw it (Wine)
    // would otherwise keep the key down for good.
    TKeyVerdict KeyDown(int virtualKey);
    void KeyUp(int virtualKey);
    // A wheel turn in the system's units (120 a notch, away from the person positive).
    void Wheel(int delta);

    // The chord went up: keys still held from the hold stay ours until they go up (their repeats
    // would reach the program beneath or the text field), new ones are not.
    void EndHold() { holding_ = false; }
    bool Holding() const { return holding_; }
    // Some key pressed during the hold is still down.
    bool KeysStillHeld() const { return swallowed_.any(); }
    // Down as the hook saw it (or already down when the hold began).
    bool IsDown(int virtualKey) const { return InRange(virtualKey) && down_.test(virtualKey); }
    // The hook reported the key going down or up since the hold began (or it was already down,
    // or was noted here). A key the key state shows down that was never seen went past the hook.
    bool Seen(int virtualKey) const { return InRange(virtualKey) && seen_.test(virtualKey); }
    void NoteSeen(int virtualKey)
    {
        if (InRange(virtualKey)) seen_.set(virtualKey);
    }
    // While a text field is open, keys that make text are typed into it and editing keys edit
    // it; keys that make no text and do not edit (volume, media, Print Screen) pass, and so does
    // every key with Alt (not AltGr) or a Windows key down, so the person can switch windows.
    // Caps Lock is followed from its own presses from `capsLock` on.
    void SetTyping(bool typing, bool capsLock = false)
    {
        typing_ = typing;
        capsLock_ = capsLock;
    }
    bool Typing() const { return typing_; }
    bool CapsLock() const { return capsLock_; }
    // Ctrl (either side) is down as the hook saw it: the field's words and paste.
    bool CtrlDown() const { return ModifiersDown().Has(TShiftState::ssCtrl); }

    TDrawingShape Shape() const;
    // What was asked since the last call.
    std::optional<TColor> TakeColour() { return std::exchange(colour_, std::nullopt); }
    // A board's key: its colour, once per press.
    std::optional<TColor> TakeBoard() { return std::exchange(board_, std::nullopt); }
    // A key of ours went down or the wheel turned since the last call.
    bool TakeAnyInput() { return std::exchange(anyInput_, false); }
    // A shape key went up: the shape is kept, whatever keys are still down.
    bool TakeShapeKeyUp() { return std::exchange(shapeKeyUp_, false); }
    int TakeWidthSteps();
    std::vector<std::size_t> TakeShortcuts() { return std::exchange(shortcutsAsked_, {}); }
    bool TextWanted() const { return textWanted_; }

private:
    static bool InRange(int virtualKey) { return virtualKey >= 0 && virtualKey < 256; }
    TShiftState ModifiersDown() const;
    TKeyVerdict TypingKeyDown(int virtualKey, bool repeat);

    TShortCut chord_;
    std::vector<TShortCut> shortcuts_;
    // Down as the hook saw them; `swallowed_`: down since the hold swallowed them.
    std::bitset<256> down_, swallowed_, seen_;
    bool holding_ = true;
    bool typing_ = false;
    bool capsLock_ = false;
    std::optional<TColor> colour_, board_;
    bool anyInput_ = false;
    int widthSteps_ = 0;
    int wheel_ = 0;
    bool textWanted_ = false;
    bool shapeKeyUp_ = false;
    std::vector<std::size_t> shortcutsAsked_;
};

}  // namespace zelvora
