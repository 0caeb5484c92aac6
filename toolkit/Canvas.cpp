#include "toolkit/Canvas.h"

namespace zelvora {

TCanvas::TCanvas(HDC dc)
    : dc_(dc),
      originalPen_(GetCurrentObject(dc, OBJ_PEN)),
      originalBrush_(GetCurrentObject(dc, OBJ_BRUSH))
{
}

TCanvas::~TCanvas()
{
    // Our pen and brush must be out of the DC before they are deleted.
    if (originalPen_) SelectObject(dc_, originalPen_);
    if (originalBrush_) SelectObject(dc_, originalBrush_);
}

void TCanvas::SetPenColor(TColor color)
{
    if (color != penColor_) penColor_ = color, penStale_ = true;
}

void TCanvas::SetPenWidth(int width)
{
    if (width != penWidth_) penWidth_ = width, penStale_ = true;
}

void TCanvas::SetPenMode(int rop2)
{
    penMode_ = rop2;  // a DC setting, not part of the pen object
}

void TCanvas::SetBrushColor(TColor color)
{
    if (color != brushColor_) brushColor_ = color, brushStale_ = true;
}

void TCanvas::SetBrushStyle(TBrushStyle style)
{
    if (style != brushStyle_) brushStyle_ = style, brushStale_ = true;
}

void TCanvas::RequirePen()
{
    if (penStale_) {
        UniqueGdiObject pen(CreatePen(PS_SOLID, penWidth_, penColor_));
        if (pen) {
            SelectObject(dc_, pen.get());
            pen_ = std::move(pen);  // the old pen is deleted only after it was deselected
            penStale_ = false;
        }
    }
    SetROP2(dc_, penMode_);
}

void TCanvas::RequireBrush()
{
    if (!brushStale_) return;
    UniqueGdiObject brush;
    if (brushStyle_ == TBrushStyle::bsClear) {
        LOGBRUSH hollow{BS_HOLLOW, 0, 0};
        brush.reset(CreateBrushIndirect(&hollow));
    } else {
        brush.reset(CreateSolidBrush(brushColor_));
    }
    if (!brush) return;
    SelectObject(dc_, brush.get());
    brush_ = std::move(brush);
    brushStale_ = false;
}

void TCanvas::MoveTo(int x, int y)
{
    MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    RequirePen();
    ::LineTo(dc_, x, y);
}

void TCanvas::Rectangle(const TRect& r)
{
    RequirePen();
    RequireBrush();
    ::Rectangle(dc_, r.Left, r.Top, r.Right, r.Bottom);
}

POINT TCanvas::PenPos() const
{
    POINT p{};
    GetCurrentPositionEx(dc_, &p);
    return p;
}

}  // namespace zelvora
