// Drawing object over a device context it does not own: pen, brush and pen position.
#pragma once

#include <windows.h>

#include "engine/MarkGeometry.h"
#include "toolkit/Colors.h"
#include "toolkit/Handles.h"

namespace zelvora {

class TCanvas {
public:
    explicit TCanvas(HDC dc);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }

    // Pen and brush objects are made again only when an attribute really changes, so setting
    // the same values on every tick costs nothing.
    void SetPenColor(TColor color);
    void SetPenWidth(int width);
    void SetPenMode(int rop2);
    void SetBrushColor(TColor color);
    void SetBrushStyle(TBrushStyle style);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(const TRect& r);
    POINT PenPos() const;

private:
    void RequirePen();
    void RequireBrush();

    HDC dc_;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    UniqueGdiObject pen_;
    UniqueGdiObject brush_;
    TColor penColor_ = 0;
    int penWidth_ = 1;
    int penMode_ = R2_COPYPEN;
    TColor brushColor_ = RGB(255, 255, 255);
    TBrushStyle brushStyle_ = TBrushStyle::bsSolid;
    bool penStale_ = true;
    bool brushStale_ = true;
};

}  // namespace zelvora
