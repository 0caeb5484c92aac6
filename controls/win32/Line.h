// A separator line along one edge of its box.
#pragma once

#include "toolkit/win32/GraphicControl.h"

namespace zelvora {

class TLine : public TGraphicControl {
public:
    explicit TLine(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int LineWidth() const { return lineWidth_; }
    void SetLineWidth(int width);
    TColor LineColor() const { return lineColor_; }
    void SetLineColor(TColor color);
    TAlign LineAlign() const { return lineAlign_; }
    void SetLineAlign(TAlign align);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);

    struct Segment {
        bool Drawn = false;
        POINT From{}, To{};
    };
    // Where the line runs in a box of the given size; the end point itself is not drawn.
    Segment LineSegment(int width, int height) const;

protected:
    void Paint(HDC dc) override;
    void ScaleMetrics(int toDpi) override;

private:
    int lineWidth_ = 1;
    TColor lineColor_ = clBlack;
    TAlign lineAlign_ = TAlign::alTop;
    int borderWidth_ = 0;
};

}  // namespace zelvora
