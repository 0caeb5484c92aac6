#include "engine/win32/PieceDrawing.h"

#include <algorithm>

#include "engine/MarkGeometry.h"
#include "engine/ShapePieces.h"

namespace zelvora {

namespace {

// Letters without smoothing: on the layer a smoothed edge would mix the pen with the colour key.
UniqueFont TextFont(int penWidth)
{
    return UniqueFont(CreateFontW(-TextHeightFor(penWidth), 0, 0, 0, FW_SEMIBOLD, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
}

// (Not named DrawText: the system header would turn that name into its ANSI twin.)
void DrawLetters(HDC dc, const TMarkPiece& piece, TPoint origin, TColor color)
{
    const UniqueFont font = TextFont(piece.Pen.Width);
    const HGDIOBJ old = SelectObject(dc, font.get());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, ColorToRGB(color));
    const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ExtTextOutW(dc, piece.From.X - origin.X, piece.From.Y - origin.Y, 0, nullptr, piece.Text.c_str(),
                static_cast<UINT>(piece.Text.size()), nullptr);
    SetTextAlign(dc, oldAlign);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, old);
}

// The highlighter's letters as its lines are: what lies beneath ANDed with the pen. Text takes
// no raster operation, so the letters are drawn on white and the whole box ANDed in.
void DrawMaskedLetters(HDC dc, const TMarkPiece& piece, TPoint origin, TColor color)
{
    const TRect& box = piece.Frame.Bounds;
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(dc, box.Width(), box.Height()));
    if (!memory || !bitmap) return;
    const HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    PatBlt(memory.get(), 0, 0, box.Width(), box.Height(), WHITENESS);
    DrawLetters(memory.get(), piece, {box.Left, box.Top}, color);
    BitBlt(dc, box.Left - origin.X, box.Top - origin.Y, box.Width(), box.Height(), memory.get(), 0, 0,
           SRCAND);
    SelectObject(memory.get(), old);
}

}  // namespace

void DrawPiece(TCanvas& canvas, const TMarkPiece& piece, TPoint origin, TColor color, int rop2)
{
    using TKind = TMarkPiece::TKind;
    canvas.SetPenColor(color);
    canvas.SetPenMode(rop2);
    const auto line = [&](TPoint from, TPoint to) {
        canvas.MoveTo(from.X - origin.X, from.Y - origin.Y);
        canvas.LineTo(to.X - origin.X, to.Y - origin.Y);
    };
    const TRect& r = piece.Frame.Bounds;
    const TRect box{r.Left - origin.X, r.Top - origin.Y, r.Right - origin.X, r.Bottom - origin.Y};
    switch (piece.Kind) {
        case TKind::Line:
            canvas.SetPenWidth(piece.Pen.Width);
            line(piece.From, piece.To);
            return;
        case TKind::Arrow: {
            canvas.SetPenWidth(piece.Pen.Width);
            const auto [left, right] = ArrowBarbs(piece.From, piece.To, piece.Pen.Width);
            line(piece.To, piece.From);
            line(left, piece.From);
            line(right, piece.From);
            return;
        }
        case TKind::Frame:
        case TKind::Ellipse:
            canvas.SetBrushColor(color);
            canvas.SetPenWidth(piece.Frame.PenWidth);
            canvas.SetBrushStyle(piece.Frame.Brush);
            if (piece.Kind == TKind::Frame)
                canvas.Rectangle(box);
            else
                canvas.Ellipse(box);
            return;
        case TKind::Text:
            if (rop2 == kPenModeMask)
                DrawMaskedLetters(canvas.Handle(), piece, origin, color);
            else
                DrawLetters(canvas.Handle(), piece, origin, color);
            return;
    }
}

POINT MeasureText(const std::wstring& text, int penWidth)
{
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const UniqueFont font = TextFont(penWidth);
    if (!dc || !font) return {};
    const HGDIOBJ old = SelectObject(dc.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    SelectObject(dc.get(), old);
    return {size.cx, std::max<LONG>(size.cy, metrics.tmHeight)};
}

}  // namespace zelvora
