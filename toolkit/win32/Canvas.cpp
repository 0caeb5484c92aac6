#include "toolkit/win32/Canvas.h"

#include <memory>

#include "toolkit/win32/TextEncoding.h"

namespace zelvora {

COLORREF ColorToRGB(TColor color)
{
    if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    if (color == clNone) return RGB(0, 0, 0);
    return color & 0x00FFFFFF;
}

TCanvas::TCanvas(HDC dc)
    : dc_(dc),
      originalPen_(GetCurrentObject(dc, OBJ_PEN)),
      originalBrush_(GetCurrentObject(dc, OBJ_BRUSH)),
      originalFont_(GetCurrentObject(dc, OBJ_FONT))
{
}

TCanvas::~TCanvas()
{
    // Our objects must be out of the DC before they are deleted.
    if (originalPen_) SelectObject(dc_, originalPen_);
    if (originalBrush_) SelectObject(dc_, originalBrush_);
    if (originalFont_) SelectObject(dc_, originalFont_);
}

void TCanvas::SetPenColor(TColor color)
{
    if (color != penColor_) penColor_ = color, penStale_ = true;
}

void TCanvas::SetPenWidth(int width)
{
    if (width != penWidth_) penWidth_ = width, penStale_ = true;
}

void TCanvas::SetPenStyle(TPenStyle style)
{
    if (style != penStyle_) penStyle_ = style, penStale_ = true;
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

void TCanvas::SetFont(const TFont& font)
{
    if (font == fontAttributes_ && !fontStale_) return;
    fontAttributes_.Assign(font);
    fontStale_ = true;
}

void TCanvas::RequirePen()
{
    if (penStale_) {
        static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
        UniquePen pen(CreatePen(kStyles[static_cast<int>(penStyle_)], penWidth_, ColorToRGB(penColor_)));
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
    UniqueBrush brush;
    if (brushStyle_ == TBrushStyle::bsClear) {
        LOGBRUSH hollow{BS_HOLLOW, 0, 0};
        brush.reset(CreateBrushIndirect(&hollow));
    } else {
        brush.reset(CreateSolidBrush(ColorToRGB(brushColor_)));
    }
    if (!brush) return;
    SelectObject(dc_, brush.get());
    brush_ = std::move(brush);
    brushStale_ = false;
}

void TCanvas::RequireFont()
{
    if (!fontStale_) return;
    const unsigned style = fontAttributes_.Style();
    UniqueFont font(CreateFontA(fontAttributes_.Height(), 0, 0, 0, (style & fsBold) ? FW_BOLD : FW_NORMAL,
                                (style & fsItalic) != 0, (style & fsUnderline) != 0,
                                (style & fsStrikeOut) != 0, static_cast<BYTE>(fontAttributes_.Charset()),
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                fontAttributes_.Name().c_str()));
    if (!font) return;
    SelectObject(dc_, font.get());
    font_ = std::move(font);
    fontStale_ = false;
}

void TCanvas::PrepareText()
{
    RequireFont();
    RequireBrush();
    SetTextColor(dc_, ColorToRGB(fontAttributes_.Color()));
    if (brushStyle_ == TBrushStyle::bsClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(brushColor_));
    }
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

POINT TCanvas::PenPos() const
{
    POINT p{};
    GetCurrentPositionEx(dc_, &p);
    return p;
}

void TCanvas::Rectangle(const TRect& r)
{
    RequirePen();
    RequireBrush();
    ::Rectangle(dc_, r.Left, r.Top, r.Right, r.Bottom);
}

void TCanvas::RoundRect(const TRect& r, int cornerWidth, int cornerHeight)
{
    RequirePen();
    RequireBrush();
    ::RoundRect(dc_, r.Left, r.Top, r.Right, r.Bottom, cornerWidth, cornerHeight);
}

void TCanvas::Ellipse(const TRect& r)
{
    RequirePen();
    RequireBrush();
    ::Ellipse(dc_, r.Left, r.Top, r.Right, r.Bottom);
}

void TCanvas::Polygon(const std::vector<POINT>& points)
{
    if (points.empty()) return;
    RequirePen();
    RequireBrush();
    ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::FillRect(const TRect& r)
{
    RequireBrush();
    const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    ::FillRect(dc_, &rect, brush_.get());
}

TColor TCanvas::Pixel(int x, int y) const
{
    return GetPixel(dc_, x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    ::SetPixelV(dc_, x, y, ColorToRGB(color));
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    PrepareText();
    const std::wstring wide = WideFromAnsi(text, fontAttributes_.Charset());
    ::TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    RequireFont();
    SIZE size{};
    const std::wstring wide = WideFromAnsi(text, fontAttributes_.Charset());
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

int TCanvas::DrawText(const std::string& text, RECT& bounds, UINT flags)
{
    PrepareText();
    std::wstring wide = WideFromAnsi(text, fontAttributes_.Charset());
    return ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &bounds, flags);
}

void TCanvas::SetClipRect(const TRect& r)
{
    UniqueRegion region(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom));
    SelectClipRgn(dc_, region.get());  // the DC keeps a copy
}

void TCanvas::ResetClip()
{
    SelectClipRgn(dc_, nullptr);
}

}  // namespace zelvora
