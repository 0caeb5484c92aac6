#include "toolkit/win32/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

namespace zelvora {

namespace {

void InitCommonControls(DWORD classes)
{
    INITCOMMONCONTROLSEX init{sizeof init, classes};
    InitCommonControlsEx(&init);
}

}  // namespace

// --- TTrackBar

TTrackBar::TTrackBar(TComponent* owner) : TControl(owner)
{
    SetParentColor(true);
}

const TClassInfo& TTrackBar::StaticClassInfo()
{
    static const TClassInfo info("TTrackBar", &TControl::StaticClassInfo(),
                                 {IntegerProperty<TTrackBar>("Min", &TTrackBar::Min, &TTrackBar::SetMin),
                                  IntegerProperty<TTrackBar>("Max", &TTrackBar::Max, &TTrackBar::SetMax),
                                  IntegerProperty<TTrackBar>("Position", &TTrackBar::Position, &TTrackBar::SetPosition),
                                  IntegerProperty<TTrackBar>("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency),
                                  EventProperty<TTrackBar>("OnChange", &TTrackBar::OnChange)});
    return info;
}

void TTrackBar::SetMin(int min)
{
    min_ = min;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETRANGEMIN, TRUE, min_);
    if (!Loading()) SetPosition(position_);
}

void TTrackBar::SetMax(int max)
{
    max_ = max;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETRANGEMAX, TRUE, max_);
    if (!Loading()) SetPosition(position_);
}

void TTrackBar::SetPosition(int position)
{
    const int clamped = Loading() ? position : std::clamp(position, min_, std::max(min_, max_));
    if (clamped == position_) return;
    position_ = clamped;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
    if (!Loading() && OnChange.Handler) {
        TEventArgs args;
        args.Sender = this;
        OnChange.Handler(args);
    }
}

void TTrackBar::SetFrequency(int frequency)
{
    frequency_ = frequency;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETTICFREQ, frequency_, 0);
}

void TTrackBar::CreateParams(TCreateParams& params)
{
    InitCommonControls(ICC_BAR_CLASSES);
    params.WindowClass = "msctls_trackbar32";
    params.SystemClass = true;
    params.Style = WS_CHILD | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM;
}

void TTrackBar::HandleCreated()
{
    SendMessageA(Handle(), TBM_SETRANGE, FALSE, MAKELPARAM(min_, max_));
    SendMessageA(Handle(), TBM_SETTICFREQ, frequency_, 0);
    SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
}

bool TTrackBar::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
        SetPosition(static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0)));
        result = 0;
        return true;
    }
    return TControl::Reflected(msg, wParam, lParam, result);
}

// --- THotKey

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
    static const TClassInfo info(
        "THotKey", &TControl::StaticClassInfo(),
        {IntegerProperty<THotKey>("HotKey", &THotKey::HotKey, &THotKey::SetHotKey),
         SetProperty<THotKey>("InvalidKeys",
                              {"hcNone", "hcShift", "hcCtrl", "hcAlt", "hcShiftCtrl", "hcShiftAlt", "hcCtrlAlt",
                               "hcShiftCtrlAlt"},
                              &THotKey::InvalidKeys, &THotKey::SetInvalidKeys),
         SetProperty<THotKey>("Modifiers", {"hkShift", "hkCtrl", "hkAlt", "hkExt"}, &THotKey::Modifiers,
                              &THotKey::SetModifiers)});
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
