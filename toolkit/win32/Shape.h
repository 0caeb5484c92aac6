// A rectangle, rounded rectangle or ellipse drawn with a pen and a brush.
#pragma once

#include "toolkit/win32/Control.h"

namespace zelvora {

enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TControl {
public:
    explicit TShape(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType shape);
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TEventRef OnMouseUp;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint(HDC dc) override;
    void HandleCreated() override { UpdateRegion(); }
    void ScaleMetrics(int toDpi) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Outline {
        int X, Y, W, H;
    };
    Outline Geometry() const;
    // A hollow shape is only its outline: the window's region leaves the inside to the
    // windows below, as a frame drawn over them would.
    void UpdateRegion();
    void Changed();
    TShapeType shape_ = TShapeType::stRectangle;
    TPen pen_;
    TBrush brush_;
};

}  // namespace zelvora
