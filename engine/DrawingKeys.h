// What the keys mean while the paint shortcut is held: shapes, pen colours, widths and text. The
// low-level hook feeds every key to TDrawingKeys and swallows the ones it claims; the poll tick
// reads what they ask for. Pure bookkeeping, tested natively.
#pragma once

#include <bitset>
#include <optional>
#include <utility>

#include "base/ShortCut.h"
#include "toolkit/Colors.h"

namespace zelvora {

enum class TDrawingShape { None, Line, Rectangle, Ellipse, Arrow };

enum class TKeyMeaning { ShapeShift, ShapeCtrl, ShapeTab, Colour, Wider, Narrower, Text };

struct TDrawingKeyRow {
    int VirtualKey;
    TKeyMeaning Meaning;
    TColor Colour = 0;
};

// The left and right modifiers are separate keys for a low-level hook. W and K stay free: where
// these keys come from they show a white or a black board.
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
    {0x10, TKeyMeaning::ShapeShift},  // VK_SHIFT, as GetAsyncKeyState names them
    {0x11, TKeyMeaning::ShapeCtrl},   // VK_CONTROL
};

const TDrawingKeyRow* DrawingKeyOf(int virtualKey);

// The key is one of the paint shortcut's own (its key or one of its modifiers, either side).
bool IsChordKey(TShortCut chord, int virtualKey);

// The pen's size after `steps` of the size track bar, within its range.
int SteppedMarkerSize(int size, int steps);

// The keys of one hold of the paint shortcut.
class TDrawingKeys {
public:
    explicit TDrawingKeys(TShortCut chord) : chord_(chord) {}

    // A shape key already down when the hold began: it counts, and its release is not ours.
    void AlreadyDown(int virtualKey);
    // True when the key is Zelvora's: the program beneath must not see it. A release is ours
    // only when the press was.
    bool KeyDown(int virtualKey);
    bool KeyUp(int virtualKey);
    // A wheel turn in the system's units (120 a notch, away from the person positive).
    void Wheel(int delta);

    TDrawingShape Shape() const;
    // What was asked since the last call.
    std::optional<TColor> TakeColour() { return std::exchange(colour_, std::nullopt); }
    // A shape key went up: the shape is kept, whatever keys are still down.
    bool TakeShapeKeyUp() { return std::exchange(shapeKeyUp_, false); }
    int TakeWidthSteps();
    bool TextWanted() const { return textWanted_; }

private:
    TShortCut chord_;
    std::bitset<256> down_, swallowed_;
    std::optional<TColor> colour_;
    int widthSteps_ = 0;
    int wheel_ = 0;
    bool textWanted_ = false;
    bool shapeKeyUp_ = false;
};

}  // namespace zelvora
