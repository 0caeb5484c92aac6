#include "base/ShortCut.h"

#include <array>
#include <string_view>

namespace zelvora {

TKeyAndShift ShortCutToKey(TShortCut shortcut)
{
    TKeyAndShift result;
    result.Key = static_cast<std::uint16_t>(shortcut & scKeyMask);
    if (shortcut & scShift) result.Shift.Add(TShiftState::ssShift);
    if (shortcut & scCtrl) result.Shift.Add(TShiftState::ssCtrl);
    if (shortcut & scAlt) result.Shift.Add(TShiftState::ssAlt);
    return result;
}

unsigned ShiftToHotkeyModifiers(TShiftState modifiers)
{
    constexpr unsigned modAlt = 1, modControl = 2, modShift = 4;
    unsigned result = 0;
    if (modifiers.Has(TShiftState::ssShift)) result |= modShift;
    if (modifiers.Has(TShiftState::ssCtrl)) result |= modControl;
    if (modifiers.Has(TShiftState::ssAlt)) result |= modAlt;
    return result;
}

namespace {

struct NamedKey {
    std::uint8_t VirtualKey;
    std::string_view Name;
};

// Captions in Windows-1252; they stay German whatever the interface language is.
constexpr std::array<NamedKey, 15> kNamedKeys{{
    {0x08,
     "R\xFC"
     "ck"},
    {0x09, "Tab"},
    {0x0D, "Enter"},
    {0x1B, "Esc"},
    {0x20, "Leerzeichen"},
    {0x21, "BildAuf"},
    {0x22, "BildAb"},
    {0x23, "Ende"},
    {0x24, "Start"},
    {0x25, "Links"},
    {0x26, "Nach oben"},
    {0x27, "Rechts"},
    {0x28, "Nach unten"},
    {0x2D, "Einfg"},
    {0x2E, "Entf"},
}};

std::string KeyName(std::uint8_t vk, const SystemKeyNameLookup& systemKeyName)
{
    for (const NamedKey& named : kNamedKeys)
        if (named.VirtualKey == vk) return std::string(named.Name);
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
    if (vk >= 0x60 && vk <= 0x69) return std::string(1, static_cast<char>('0' + (vk - 0x60)));
    if (vk >= 0x70 && vk <= 0x87) {
        std::string name = "F";
        name += std::to_string(vk - 0x70 + 1);
        return name;
    }
    return systemKeyName ? systemKeyName(vk) : std::string();
}

}  // namespace

std::string ShortCutToText(TShortCut shortcut, const SystemKeyNameLookup& systemKeyName)
{
    std::string name = KeyName(static_cast<std::uint8_t>(shortcut & 0xFF), systemKeyName);
    if (name.empty()) return name;
    std::string text;
    if (shortcut & scShift) text += "Umsch+";
    if (shortcut & scCtrl) text += "Strg+";
    if (shortcut & scAlt) text += "Alt+";
    text += name;
    return text;
}

}  // namespace zelvora
