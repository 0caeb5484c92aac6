#include "controls/win32/Line.h"

#include "base/DpiScaling.h"

namespace zelvora {

TLine::TLine(TComponent* owner) : TGraphicControl(owner)
{
    SetParentColor(true);
}

const TClassInfo& TLine::StaticClassInfo()
{
    static const TClassInfo info(
        "TLine", &TControl::StaticClassInfo(),
        {IntegerProperty<TLine>("LineWidth", &TLine::LineWidth, &TLine::SetLineWidth),
         ColorProperty<TLine>("LineColor", &TLine::LineColor, &TLine::SetLineColor),
         EnumProperty<TLine, TAlign>("LineAlign", kAlignIdents, &TLine::LineAlign, &TLine::SetLineAlign),
         IntegerProperty<TLine>("BorderWidth", &TLine::BorderWidth, &TLine::SetBorderWidth)});
    return info;
}

void TLine::SetLineWidth(int width)
{
    lineWidth_ = width;
    Invalidate();
}

void TLine::SetLineColor(TColor color)
{
    lineColor_ = color;
    Invalidate();
}

void TLine::SetLineAlign(TAlign align)
{
    lineAlign_ = align;
    Invalidate();
}

void TLine::SetBorderWidth(int width)
{
    borderWidth_ = width;
    Invalidate();
}

TLine::Segment TLine::LineSegment(int w, int h) const
{
    const int b = borderWidth_;
    switch (lineAlign_) {
        case TAlign::alTop:
            return {true, {b, b}, {w - b, b}};
        case TAlign::alBottom:
            return {true, {b, h - b}, {w - b, h - b}};
        case TAlign::alLeft:
            return {true, {b, b}, {b, h - b}};
        case TAlign::alRight:
            return {true, {w - lineWidth_ - b, b}, {w - lineWidth_ - b, h - b}};
        default:
            return {};
    }
}

void TLine::ScaleMetrics(int toDpi)
{
    lineWidth_ = ScaleLineWidth(lineWidth_, toDpi, Dpi());
    borderWidth_ = ScaleBetweenDpi(borderWidth_, toDpi, Dpi());
    TControl::ScaleMetrics(toDpi);
}

void TLine::Paint(HDC dc)
{
    const Segment segment = LineSegment(Width(), Height());
    if (!segment.Drawn) return;
    UniquePen pen(CreatePen(PS_SOLID, lineWidth_, ColorToRGB(lineColor_)));
    SelectedObject selected(dc, pen.get());
    MoveToEx(dc, segment.From.x, segment.From.y, nullptr);
    LineTo(dc, segment.To.x, segment.To.y);
}

}  // namespace zelvora
