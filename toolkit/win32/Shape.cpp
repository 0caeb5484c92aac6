#include "toolkit/win32/Shape.h"

#include "base/DpiScaling.h"

#include <algorithm>

namespace zelvora {

TShape::TShape(TComponent* owner) : TGraphicControl(owner)
{
    SetParentColor(true);
    pen_.OnChange = [this] { Invalidate(); };
    brush_.OnChange = [this] { Invalidate(); };
}

void TShape::ScaleMetrics(int toDpi)
{
    pen_.SetWidth(ScaleLineWidth(pen_.Width(), toDpi, Dpi()));
    TControl::ScaleMetrics(toDpi);
}

TShape::Outline TShape::Geometry() const
{
    // The outline lies inside the control: inset by half the pen.
    const bool noPen = pen_.Style() == TPenStyle::psClear;
    const int half = noPen ? 0 : pen_.Width() / 2;
    Outline o{half, half, Width() - half * 2, Height() - half * 2};
    if (pen_.Width() == 0 || noPen) ++o.W, ++o.H;  // a null pen draws one pixel short
    const bool square = shape_ == TShapeType::stSquare || shape_ == TShapeType::stRoundSquare ||
                        shape_ == TShapeType::stCircle;
    if (square) {
        const int side = std::min(o.W, o.H);
        o.X += (o.W - side) / 2, o.Y += (o.H - side) / 2;
        o.W = o.H = side;
    }
    return o;
}

const TClassInfo& TShape::StaticClassInfo()
{
    static const TClassInfo info(
        "TShape", &TControl::StaticClassInfo(),
        {EnumProperty<TShape, TShapeType>(
             "Shape", {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"},
             &TShape::Shape, &TShape::SetShape),
         ObjectProperty<TShape, TPen>("Pen", &TShape::Pen),
         ObjectProperty<TShape, TBrush>("Brush", &TShape::Brush),
         EventProperty<TShape>("OnMouseUp", &TShape::OnMouseUp)});
    return info;
}

void TShape::SetShape(TShapeType shape)
{
    shape_ = shape;
    Invalidate();
}

void TShape::Paint(HDC dc)
{
    UniquePen pen(pen_.Style() == TPenStyle::psClear
                      ? CreatePen(PS_NULL, 0, 0)
                      : CreatePen(PS_SOLID, pen_.Width(), ColorToRGB(pen_.Color())));
    LOGBRUSH hollow{BS_HOLLOW, 0, 0};
    UniqueBrush brush(brush_.Style() == TBrushStyle::bsClear ? CreateBrushIndirect(&hollow)
                                                             : CreateSolidBrush(ColorToRGB(brush_.Color())));
    SelectedObject selectedPen(dc, pen.get());
    SelectedObject selectedBrush(dc, brush.get());
    const auto [x, y, w, h] = Geometry();
    switch (shape_) {
        case TShapeType::stRectangle:
        case TShapeType::stSquare:
            Rectangle(dc, x, y, x + w, y + h);
            break;
        case TShapeType::stRoundRect:
        case TShapeType::stRoundSquare:
            RoundRect(dc, x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4);
            break;
        case TShapeType::stEllipse:
        case TShapeType::stCircle:
            Ellipse(dc, x, y, x + w, y + h);
            break;
    }
}

LRESULT TShape::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP) && OnMouseUp.Handler) {
        TEventArgs args;
        args.Sender = this;
        const TPoint at = PointFromPacked(static_cast<unsigned long long>(lParam));
        args.X = at.X;
        args.Y = at.Y;
        args.Button = msg == WM_LBUTTONUP ? 0 : msg == WM_RBUTTONUP ? 1 : 2;
        OnMouseUp.Handler(args);
        return 0;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

}  // namespace zelvora
