// A panel: a surface with a bevelled frame that holds other controls.
#pragma once

#include "toolkit/win32/Control.h"

namespace zelvora {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A 3-D frame of `width` lines; the rectangle shrinks by it.
void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width);
// The same in two colours of the caller's (the flat look's shades of the panel's own colour).
void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width, COLORREF light, COLORREF dark);

class TPanel : public TControl {
public:
    explicit TPanel(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    RECT ClientRect() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint(HDC dc) override;
    void ScaleMetrics(int toDpi) override;

private:
    void Changed();
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
};

}  // namespace zelvora
