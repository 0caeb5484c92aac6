#include "engine/win32/ScreenSurface.h"

#include <vector>

#include "engine/win32/PieceDrawing.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/PixelBuffer.h"

namespace zelvora {

void TScreenSurface::Acquire()
{
    Release();
    // The screen DC draws over every window; the desktop window's own DC would be clipped by them.
    dc_ = WindowDc(nullptr, GetDC(nullptr));
}

void TScreenSurface::Release()
{
    dc_.reset();
}

TMarkPiece TScreenSurface::Draw(TMarkPiece piece)
{
    const std::uint64_t mark = marks_.NextPieceMark();
    if (!live_ || !live_->Lays(mark, piece.Pen)) live_.emplace(mark, piece.Pen);
    Lay(piece, *live_);
    return piece;
}

void TScreenSurface::DrawAgain(const TMark& mark)
{
    // The mark being drawn goes back exactly as it was laid, over what it was laid on.
    std::optional<TMarkInk> ink;
    for (const TMarkPiece& piece : mark.Pieces) {
        if (live_ && live_->Lays(mark.Serial, piece.Pen)) {
            Lay(piece, *live_);
            continue;
        }
        if (!ink || !ink->Lays(mark.Serial, piece.Pen)) ink.emplace(mark.Serial, piece.Pen);
        Lay(piece, *ink);
    }
}

void TScreenSurface::Lay(const TMarkPiece& piece, TMarkInk& ink)
{
    if (!dc_) return;
    const TCoverage coverage = PieceCoverage(piece, Intersection(PieceBounds(piece), VirtualScreen()));
    const TRect area = coverage.Touched();
    if (IsEmpty(area)) return;
    TPixelBuffer pixels(area.Width(), area.Height());
    if (!pixels) return;
    BitBlt(pixels.Dc(), 0, 0, area.Width(), area.Height(), dc_.get(), area.Left, area.Top, SRCCOPY);
    GdiFlush();
    const std::vector<std::uint32_t> before(
        pixels.Bits(), pixels.Bits() + static_cast<std::size_t>(area.Width()) * area.Height());
    ink.Lay(coverage,
            {{pixels.Bits(), area.Width(), area.Height(), {area.Left, area.Top}}, TInkPixels::Opaque}, area);
    // Back as runs of one colour, only where the ink changed something. (A copy of the whole
    // rectangle onto the screen lands beneath every window where Wine runs without its own
    // desktop; fills, as lines, land on top.)
    const COLORREF oldColor = GetBkColor(dc_.get());
    for (int y = 0; y < area.Height(); ++y) {
        const std::uint32_t* row = pixels.Bits() + static_cast<std::size_t>(y) * area.Width();
        const std::uint32_t* was = before.data() + static_cast<std::size_t>(y) * area.Width();
        for (int x = 0; x < area.Width();) {
            if (row[x] == was[x]) {
                ++x;
                continue;
            }
            const int first = x;
            while (x < area.Width() && row[x] == row[first] && row[x] != was[x]) ++x;
            const std::uint32_t pixel = row[first];
            SetBkColor(dc_.get(), RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
            const RECT run{area.Left + first, area.Top + y, area.Left + x, area.Top + y + 1};
            ExtTextOutW(dc_.get(), 0, 0, ETO_OPAQUE, &run, nullptr, 0, nullptr);
        }
    }
    SetBkColor(dc_.get(), oldColor);
}

void TScreenSurface::Wipe()
{
    live_.reset();
    Release();
    RepaintAllWindows();
    Acquire();
}

namespace {

// Each window is asked to erase and paint itself in its own paint cycle. The one-call form,
// InvalidateRect(nullptr, nullptr, TRUE), erases other programs' windows at once from this
// thread; under Wine that erase can land after their repaint and blank them, and it leaves the
// bare desktop out. Without an area the whole of every window repaints.
void Repaint(HWND window, HRGN area, UINT flags)
{
    if (!area) {
        RedrawWindow(window, nullptr, nullptr, flags);
        return;
    }
    RECT frame{};
    if (!GetWindowRect(window, &frame) || !RectInRegion(area, &frame)) return;
    // RedrawWindow takes client points; the frame lies at negative ones.
    POINT client{};
    ClientToScreen(window, &client);
    UniqueRegion local(CreateRectRgn(0, 0, 0, 0));
    if (!local || CombineRgn(local.get(), area, nullptr, RGN_COPY) == ERROR) return;
    OffsetRgn(local.get(), -client.x, -client.y);
    RedrawWindow(window, nullptr, local.get(), flags);
}

void RepaintWindows(HRGN area)
{
    Repaint(GetDesktopWindow(), area, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    EnumWindows(
        [](HWND window, LPARAM area) noexcept -> BOOL {
            constexpr UINT kRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
            if (IsWindowVisible(window)) Repaint(window, reinterpret_cast<HRGN>(area), kRepaint);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(area));
}

}  // namespace

void TScreenSurface::RepaintAllWindows()
{
    RepaintWindows(nullptr);
}

UniqueRegion TScreenSurface::RegionOf(const TMark& mark)
{
    // One rectangle per piece: a diagonal stroke covers a sliver of its bounding box.
    std::vector<char> data(sizeof(RGNDATAHEADER) + mark.Pieces.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->rcBound = {mark.Bounds.Left, mark.Bounds.Top, mark.Bounds.Right, mark.Bounds.Bottom};
    DWORD count = 0;
    for (const TMarkPiece& piece : mark.Pieces) {
        const TRect r = PieceBounds(piece);
        if (!IsEmpty(r)) rects[count++] = {r.Left, r.Top, r.Right, r.Bottom};
    }
    if (count == 0) return {};
    header->nCount = count;
    header->nRgnSize = count * sizeof(RECT);
    return UniqueRegion(ExtCreateRegion(nullptr,
                                        static_cast<DWORD>(sizeof(RGNDATAHEADER) + count * sizeof(RECT)),
                                        reinterpret_cast<const RGNDATA*>(data.data())));
}

void TScreenSurface::Remove(std::span<const TMark> gone)
{
    if (gone.empty()) return;
    UniqueRegion area = RegionOf(gone.front());
    if (!area) return;
    for (const TMark& mark : gone.subspan(1))
        if (UniqueRegion more = RegionOf(mark)) CombineRgn(area.get(), area.get(), more.get(), RGN_OR);
    if (marks_.Drawing() && !marks_.Marks().empty())
        if (UniqueRegion drawing = RegionOf(marks_.Marks().back()))
            if (CombineRgn(area.get(), area.get(), drawing.get(), RGN_DIFF) == NULLREGION) return;
    RepaintWindows(area.get());
}

}  // namespace zelvora
