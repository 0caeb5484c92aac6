// Shortcut codes: the 16-bit form every shortcut of the program is stored and compared in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zelvora {

// Virtual key in the low byte; 0x1F00 travels with the key; Shift 0x2000, Ctrl 0x4000, Alt 0x8000.
using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scKeyMask = 0x1FFF;

// Modifier set with the program's bit layout: Shift = bit 0, Alt = bit 1, Ctrl = bit 2.
class TShiftState {
public:
    enum Flag : std::uint8_t { ssShift = 1u << 0, ssAlt = 1u << 1, ssCtrl = 1u << 2 };

    constexpr TShiftState() = default;
    constexpr explicit TShiftState(std::uint8_t bits) : bits_(bits & 0x07u) {}

    constexpr bool Has(Flag f) const { return (bits_ & f) != 0; }
    constexpr void Add(Flag f) { bits_ = static_cast<std::uint8_t>(bits_ | f); }
    constexpr std::uint8_t Bits() const { return bits_; }
    constexpr bool operator==(const TShiftState&) const = default;

private:
    std::uint8_t bits_ = 0;
};

struct TKeyAndShift {
    std::uint16_t Key = 0;  // shortcut AND 0x1FFF
    TShiftState Shift;
    constexpr bool operator==(const TKeyAndShift&) const = default;
};

TKeyAndShift ShortCutToKey(TShortCut shortcut);

// MOD_SHIFT 4, MOD_CONTROL 2, MOD_ALT 1, as RegisterHotKey wants them.
unsigned ShiftToHotkeyModifiers(TShiftState modifiers);

// Name the system gives a virtual key the fixed table does not know; empty when it has none.
using SystemKeyNameLookup = std::function<std::string(std::uint8_t virtualKey)>;

// Text form in the program's fixed German key captions, 8-bit (Windows-1252).
// Keys outside the fixed table are named by `systemKeyName`; without one they have no name.
std::string ShortCutToText(TShortCut shortcut, const SystemKeyNameLookup& systemKeyName);

}  // namespace zelvora
