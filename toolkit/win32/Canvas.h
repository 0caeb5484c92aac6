// Drawing over a device context it does not own: pen, brush, font, shapes, text and clipping.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "toolkit/Colors.h"
#include "toolkit/Graphics.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

// The window system's RGB for a TColor: system colours are looked up first, clNone is black.
COLORREF ColorToRGB(TColor color);

class TCanvas {
public:
    explicit TCanvas(HDC dc);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }

    // Pen, brush and font objects are made again only when an attribute really changes, so
    // setting the same values on every tick costs nothing.
    void SetPenColor(TColor color);
    void SetPenWidth(int width);
    void SetPenStyle(TPenStyle style);
    void SetPenMode(int rop2);
    void SetBrushColor(TColor color);
    void SetBrushStyle(TBrushStyle style);
    void SetFont(const TFont& font);
    // The colour text is drawn in, leaving the font itself as it is.
    void SetFontColor(TColor color) { fontAttributes_.SetColor(color); }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    POINT PenPos() const;
    void Rectangle(const TRect& r);
    void RoundRect(const TRect& r, int cornerWidth, int cornerHeight);
    void Ellipse(const TRect& r);
    void Polygon(const std::vector<POINT>& points);
    void FillRect(const TRect& r);
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Text is drawn with the font; its background is the brush, or nothing with a clear brush.
    void TextOut(int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    // DrawText with the window system's DT_ flags; returns the height of the text.
    int DrawText(const std::string& text, RECT& bounds, UINT flags);

    // Drawing is limited to the rectangle until the clip is reset.
    void SetClipRect(const TRect& r);
    void ResetClip();

private:
    void RequirePen();
    void RequireBrush();
    void RequireFont();
    void PrepareText();

    HDC dc_;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    UniquePen pen_;
    UniqueBrush brush_;
    UniqueFont font_;
    TColor penColor_ = 0;
    int penWidth_ = 1;
    TPenStyle penStyle_ = TPenStyle::psSolid;
    int penMode_ = R2_COPYPEN;
    TColor brushColor_ = RGB(255, 255, 255);
    TBrushStyle brushStyle_ = TBrushStyle::bsSolid;
    TFont fontAttributes_;
    bool penStale_ = true;
    bool brushStale_ = true;
    bool fontStale_ = true;
};

}  // namespace zelvora
