#include "engine/win32/PieceDrawing.h"

#include <algorithm>

#include "engine/ShapePieces.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/PixelBuffer.h"

namespace zelvora {

namespace {

// Greyscale smoothing: a coloured (ClearType) edge would not be the pen's colour over any ground.
UniqueFont TextFont(int penWidth)
{
    return UniqueFont(CreateFontW(-TextHeightFor(penWidth), 0, 0, 0, FW_SEMIBOLD, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
}

// The letters in white on black; their grey is how much of each pixel they cover.
TCoverage LetterCoverage(const TMarkPiece& piece, const TRect& clip)
{
    TCoverage coverage(Intersection(PieceBounds(piece), clip));
    const TRect& area = coverage.Area();
    if (IsEmpty(area)) return coverage;
    TPixelBuffer letters(area.Width(), area.Height());
    const UniqueFont font = TextFont(piece.Pen.Width);
    if (!letters || !font) return coverage;
    const HDC dc = letters.Dc();
    const HGDIOBJ old = SelectObject(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ExtTextOutW(dc, piece.From.X - area.Left, piece.From.Y - area.Top, 0, nullptr, piece.Text.c_str(),
                static_cast<UINT>(piece.Text.size()), nullptr);
    SelectObject(dc, old);
    GdiFlush();
    for (int y = area.Top; y < area.Bottom; ++y) {
        const std::uint32_t* row = letters.Bits() + static_cast<std::size_t>(y - area.Top) * area.Width();
        std::uint8_t* out = coverage.Row(y);
        int first = area.Right, last = area.Left;
        for (int x = 0; x < area.Width(); ++x) {
            // The brightest channel: a renderer that smooths in colour anyway still counts.
            const std::uint32_t p = row[x];
            out[x] = static_cast<std::uint8_t>(std::max({p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF}));
            if (out[x]) first = std::min(first, area.Left + x), last = area.Left + x + 1;
        }
        coverage.Touch(y, first, last);
    }
    return coverage;
}

}  // namespace

TCoverage PieceCoverage(const TMarkPiece& piece, const TRect& clip)
{
    return piece.Kind == TMarkPiece::TKind::Text ? LetterCoverage(piece, clip) : CoverPiece(piece, clip);
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
