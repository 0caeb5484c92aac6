#include "toolkit/win32/Panel.h"

#include "base/DpiScaling.h"

#include <algorithm>
#include "toolkit/win32/TextEncoding.h"

namespace zelvora {

TPanel::TPanel(TComponent* owner) : TControl(owner) {}

const TClassInfo& TPanel::StaticClassInfo()
{
    static const std::vector<std::string> cuts{"bvNone", "bvLowered", "bvRaised", "bvSpace"};
    static const TClassInfo info(
        "TPanel", &TControl::StaticClassInfo(),
        {EnumProperty<TPanel, TBevelCut>("BevelInner", cuts, &TPanel::BevelInner, &TPanel::SetBevelInner),
         EnumProperty<TPanel, TBevelCut>("BevelOuter", cuts, &TPanel::BevelOuter, &TPanel::SetBevelOuter),
         IntegerProperty<TPanel>("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth),
         IntegerProperty<TPanel>("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth)});
    return info;
}

void TPanel::SetBevelInner(TBevelCut cut)
{
    bevelInner_ = cut;
    Changed();
}

void TPanel::SetBevelOuter(TBevelCut cut)
{
    bevelOuter_ = cut;
    Changed();
}

void TPanel::SetBevelWidth(int width)
{
    bevelWidth_ = width;
    Changed();
}

void TPanel::SetBorderWidth(int width)
{
    borderWidth_ = width;
    Changed();
}

void TPanel::ScaleMetrics(int toDpi)
{
    // The inner border keeps its share of the panel; a bevel is a drawn line.
    bevelWidth_ = ScaleLineWidth(bevelWidth_, toDpi, Dpi());
    borderWidth_ = ScaleBetweenDpi(borderWidth_, toDpi, Dpi());
    TControl::ScaleMetrics(toDpi);
}

void TPanel::Changed()
{
    Invalidate();
    if (!Loading()) AlignControls();
}

RECT TPanel::ClientRect() const
{
    int inset = borderWidth_;
    if (bevelOuter_ != TBevelCut::bvNone) inset += bevelWidth_;
    if (bevelInner_ != TBevelCut::bvNone) inset += bevelWidth_;
    return RECT{inset, inset, std::max(inset, Width() - inset), std::max(inset, Height() - inset)};
}

void TPanel::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.WindowClass = "TPanel";
}

void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width)
{
    DrawBevel(dc, r, cut, width, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width, COLORREF light, COLORREF dark)
{
    if (cut == TBevelCut::bvNone) return;
    const COLORREF topLeft = cut == TBevelCut::bvLowered  ? dark
                             : cut == TBevelCut::bvRaised ? light
                                                          : GetSysColor(COLOR_BTNFACE);
    const COLORREF bottomRight = cut == TBevelCut::bvLowered  ? light
                                 : cut == TBevelCut::bvRaised ? dark
                                                              : GetSysColor(COLOR_BTNFACE);
    for (int i = 0; i < width; ++i) {
        UniquePen tl(CreatePen(PS_SOLID, 1, topLeft)), br(CreatePen(PS_SOLID, 1, bottomRight));
        {
            SelectedObject pen(dc, tl.get());
            MoveToEx(dc, r.left, r.bottom - 1, nullptr);
            LineTo(dc, r.left, r.top);
            LineTo(dc, r.right - 1, r.top);
        }
        {
            SelectedObject pen(dc, br.get());
            MoveToEx(dc, r.right - 1, r.top, nullptr);
            LineTo(dc, r.right - 1, r.bottom - 1);
            LineTo(dc, r.left - 1, r.bottom - 1);
        }
        InflateRect(&r, -1, -1);
    }
}

void TPanel::Paint(HDC dc)
{
    RECT r{0, 0, Width(), Height()};
    DrawBevel(dc, r, bevelOuter_, bevelWidth_);
    InflateRect(&r, -borderWidth_, -borderWidth_);
    DrawBevel(dc, r, bevelInner_, bevelWidth_);
    if (!Caption().empty()) {
        SelectedObject font(dc, FontHandle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Font().Color()));
        std::wstring text = WideFromAnsi(Caption(), Font().Charset());
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

}  // namespace zelvora
