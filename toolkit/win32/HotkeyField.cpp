#include "toolkit/win32/HotkeyField.h"

#include <algorithm>
#include "toolkit/win32/CommonControls.h"

namespace zelvora {

WORD ShortCutToHotKeyValue(TShortCut shortcut)
{
    const TKeyAndShift split = ShortCutToKey(shortcut);
    BYTE flags = 0;
    if (split.Shift.Has(TShiftState::ssShift)) flags |= HOTKEYF_SHIFT;
    if (split.Shift.Has(TShiftState::ssCtrl)) flags |= HOTKEYF_CONTROL;
    if (split.Shift.Has(TShiftState::ssAlt)) flags |= HOTKEYF_ALT;
    return MAKEWORD(static_cast<BYTE>(split.Key & 0xFF), flags);
}

TShortCut HotKeyValueToShortCut(WORD value)
{
    // Shift, Ctrl and Alt land on 0x2000, 0x4000, 0x8000; the extended-key flag falls off the top.
    return static_cast<TShortCut>((static_cast<unsigned>(HIBYTE(value)) << 13) | LOBYTE(value));
}

THotKey::THotKey(TComponent* owner) : TControl(owner)
{
    SetColor(clWindow);
}

const TClassInfo& THotKey::StaticClassInfo()
{
    static const TClassInfo info("THotKey", &TControl::StaticClassInfo(),
                                 {IntegerProperty<THotKey>("HotKey", &THotKey::HotKey, &THotKey::SetHotKey),
                                  SetProperty<THotKey>("InvalidKeys",
                                                       {"hcNone", "hcShift", "hcCtrl", "hcAlt", "hcShiftCtrl",
                                                        "hcShiftAlt", "hcCtrlAlt", "hcShiftCtrlAlt"},
                                                       &THotKey::InvalidKeys, &THotKey::SetInvalidKeys),
                                  SetProperty<THotKey>("Modifiers", {"hkShift", "hkCtrl", "hkAlt", "hkExt"},
                                                       &THotKey::Modifiers, &THotKey::SetModifiers)});
    return info;
}

int THotKey::HotKey() const
{
    if (!HandleAllocated()) return hotKey_;
    return HotKeyValueToShortCut(static_cast<WORD>(SendMessageA(Handle(), HKM_GETHOTKEY, 0, 0)));
}

void THotKey::SetHotKey(int shortcut)
{
    hotKey_ = static_cast<TShortCut>(shortcut);
    if (HandleAllocated()) SendMessageA(Handle(), HKM_SETHOTKEY, ShortCutToHotKeyValue(hotKey_), 0);
}

void THotKey::SetInvalidKeys(unsigned keys)
{
    invalidKeys_ = keys;
    ApplyRules();
}

void THotKey::SetModifiers(unsigned modifiers)
{
    modifiers_ = modifiers;
    ApplyRules();
}

void THotKey::ApplyRules()
{
    if (!HandleAllocated()) return;
    // Our set members are in the order of the system's HKCOMB_ bits and HOTKEYF_ flags.
    SendMessageA(Handle(), HKM_SETRULES, invalidKeys_ & 0xFF, MAKELPARAM(modifiers_ & 0x0F, 0));
}

void THotKey::CreateParams(TCreateParams& params)
{
    InitCommonControls(ICC_HOTKEY_CLASS);
    params.WindowClass = "msctls_hotkey32";
    params.SystemClass = true;
    params.ExStyle = WS_EX_CLIENTEDGE;
    params.Style = WS_CHILD | WS_TABSTOP;
}

void THotKey::HandleCreated()
{
    ApplyRules();
    SendMessageA(Handle(), HKM_SETHOTKEY, ShortCutToHotKeyValue(hotKey_), 0);
}

}  // namespace zelvora
