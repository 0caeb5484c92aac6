// A rectangle, rounded rectangle or ellipse drawn with a pen and a brush.
#pragma once

#include "toolkit/win32/GraphicControl.h"

namespace zelvora {

enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType shape);
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TEventRef OnMouseUp;

protected:
    void Paint(HDC dc) override;
    bool TakesMouseButtons() const override { return static_cast<bool>(OnMouseUp.Handler); }
    void ScaleMetrics(int toDpi) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Outline {
        int X, Y, W, H;
    };
    Outline Geometry() const;
    TShapeType shape_ = TShapeType::stRectangle;
    TPen pen_;
    TBrush brush_;
};

}  // namespace zelvora
