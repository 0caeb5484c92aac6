// The hotkey-entry field: records a shortcut as the user presses it.
#pragma once

#include "base/ShortCut.h"
#include "toolkit/win32/Control.h"

namespace zelvora {

inline constexpr unsigned hcNone = 1u << 0, hcShift = 1u << 1, hcCtrl = 1u << 2, hcAlt = 1u << 3,
                          hcShiftCtrl = 1u << 4, hcShiftAlt = 1u << 5, hcCtrlAlt = 1u << 6,
                          hcShiftCtrlAlt = 1u << 7;
inline constexpr unsigned hkShift = 1u << 0, hkCtrl = 1u << 1, hkAlt = 1u << 2, hkExt = 1u << 3;

// The control's 16-bit value: virtual key in the low byte, Shift 1, Ctrl 2, Alt 4, extended 8 above.
WORD ShortCutToHotKeyValue(TShortCut shortcut);
TShortCut HotKeyValueToShortCut(WORD value);

class THotKey : public TControl {
public:
    explicit THotKey(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int HotKey() const;
    void SetHotKey(int shortcut);
    unsigned InvalidKeys() const { return invalidKeys_; }
    void SetInvalidKeys(unsigned keys);
    unsigned Modifiers() const { return modifiers_; }
    void SetModifiers(unsigned modifiers);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;

private:
    void ApplyRules();
    TShortCut hotKey_ = 0;
    unsigned invalidKeys_ = hcNone | hcShift;
    unsigned modifiers_ = hkAlt;
};

}  // namespace zelvora
