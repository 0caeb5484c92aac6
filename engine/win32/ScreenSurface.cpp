#include "engine/win32/ScreenSurface.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/win32/PieceDrawing.h"
#include "engine/win32/Regions.h"
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
    Flush();
    scratch_.reset();
    dc_.reset();
}

TMarkPiece TScreenSurface::Draw(TMarkPiece piece)
{
    const std::uint64_t mark = marks_.NextPieceMark();
    if (!live_ || !live_->Lays(mark, piece.Pen)) {
        Flush();
        live_.emplace(mark, piece.Pen);
        liveMark_ = mark;
    }
    pending_.push_back(piece);
    return piece;
}

void TScreenSurface::Flush()
{
    // Every tick flushes: with nothing to lay, nothing is asked of the system (the screen's size
    // is a round of Wine's display cache).
    if (pending_.empty()) return;
    std::vector<TInkedPiece> pieces;
    for (const TMarkPiece& piece : pending_) pieces.push_back({&piece, &*live_, liveMark_});
    Lay(pieces, VirtualScreen(), true);
    pending_.clear();
}

void TScreenSurface::EndMark()
{
    Flush();
    live_.reset();
    scratch_.reset();
}

void TScreenSurface::DrawAgain(const TMark& mark, const TRect& clip)
{
    Flush();
    if (const auto laid = laid_.find(mark.Serial); laid != laid_.end() && !mark.IsBoard()) {
        // As it was laid, not fresh ink over what the screen shows now (maybe the mark itself).
        const TRect area = Intersection(Intersection(laid->second.Bounds(), clip), VirtualScreen());
        if (IsEmpty(area) || !dc_) return;
        std::unique_ptr<TPixelBuffer> buffer;
        TPixelBuffer* pixels = Read(area, buffer);
        if (!pixels) return;
        laid->second.Replay({pixels->Bits(), pixels->Width(), pixels->Height(), {area.Left, area.Top}}, area);
        Write(area, *pixels, {area.Left, area.Top}, laid->second.Runs(area));
        return;
    }
    std::vector<std::unique_ptr<TMarkInk>> inks;
    std::vector<TInkedPiece> pieces;
    for (const TMarkPiece& piece : mark.Pieces) {
        if (IsEmpty(Intersection(PieceBounds(piece), clip))) continue;
        if (inks.empty() || !inks.back()->Lays(mark.Serial, piece.Pen))
            inks.push_back(std::make_unique<TMarkInk>(mark.Serial, piece.Pen));
        pieces.push_back({&piece, inks.back().get(), mark.Serial});
    }
    Lay(pieces, Intersection(clip, VirtualScreen()), false);
}

TPixelBuffer* TScreenSurface::Read(const TRect& area, std::unique_ptr<TPixelBuffer>& buffer)
{
    if (!buffer || buffer->Width() < area.Width() || buffer->Height() < area.Height()) {
        buffer.reset();
        // Room to grow: making one is a trip to the Wine server.
        buffer = std::make_unique<TPixelBuffer>(std::max(area.Width(), 256), std::max(area.Height(), 256));
        if (!*buffer) {
            buffer.reset();
            return nullptr;
        }
    }
    CopyGround(buffer->Dc(), area, dc_.get());
    return buffer.get();
}

void TScreenSurface::Write(const TRect& area, TPixelBuffer& pixels, TPoint origin,
                           const std::vector<TRect>& runs)
{
    if (runs.empty()) return;
    GdiFlush();
    const int stride = pixels.Width();
    const auto at = [&](int x, int y) {
        return pixels.Bits()[static_cast<std::size_t>(y - origin.Y) * stride + (x - origin.X)];
    };
    if (!fills_) {
        // The whole area in one copy: what the ink did not touch goes back as it was read.
        BitBlt(dc_.get(), area.Left, area.Top, area.Width(), area.Height(), pixels.Dc(), area.Left - origin.X,
               area.Top - origin.Y, SRCCOPY);
        if (copyChecked_) return;
        copyChecked_ = true;
        // Where Wine runs without a desktop of its own the copy lands beneath every window:
        // asked once whether the screen shows it, fills from then on if not.
        const TRect& run = runs.front();
        const std::uint32_t pixel = at(run.Left, run.Top);
        fills_ = GetPixel(dc_.get(), run.Left, run.Top) !=
                 RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
        if (!fills_) return;
    }
    // Runs of one colour: fills land over the windows.
    const COLORREF oldColor = GetBkColor(dc_.get());
    for (const TRect& run : runs) {
        for (int x = run.Left; x < run.Right;) {
            const int first = x;
            const std::uint32_t pixel = at(x, run.Top);
            while (x < run.Right && at(x, run.Top) == pixel) ++x;
            SetBkColor(dc_.get(), RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
            const RECT fill{first, run.Top, x, run.Bottom};
            ExtTextOutW(dc_.get(), 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr);
        }
    }
    SetBkColor(dc_.get(), oldColor);
}

TLaidPixels& TScreenSurface::LaidOf(std::uint64_t mark)
{
    const auto [found, made] = laid_.try_emplace(mark);
    if (made) laidOrder_.push_back(mark);
    return found->second;
}

void TScreenSurface::ForgetLaid(std::uint64_t mark)
{
    const auto found = laid_.find(mark);
    if (found == laid_.end()) return;
    laidBytes_ -= found->second.Bytes();
    laid_.erase(found);
    std::erase(laidOrder_, mark);
}

void TScreenSurface::Lay(std::span<const TInkedPiece> pieces, const TRect& clip, bool live)
{
    if (!dc_ || pieces.empty()) return;
    // Boards are filled as they are, under the rest: no copy of a whole monitor to lay them. (A
    // stroke's pieces, on every tick, are laid without a copy of their list.)
    const auto isBoard = [](const TInkedPiece& inked) {
        return inked.Piece->Kind == TMarkPiece::TKind::Board;
    };
    std::vector<TInkedPiece> ink;
    if (std::any_of(pieces.begin(), pieces.end(), isBoard)) {
        for (const TInkedPiece& inked : pieces) {
            if (!isBoard(inked)) {
                ink.push_back(inked);
                continue;
            }
            const TRect r = Intersection(PieceBounds(*inked.Piece), clip);
            if (!IsEmpty(r)) {
                // A colour is 0x00BBGGRR, as the device context takes it.
                const COLORREF oldColor = SetBkColor(dc_.get(), inked.Piece->Pen.Color & 0xFFFFFF);
                const RECT fill{r.Left, r.Top, r.Right, r.Bottom};
                ExtTextOutW(dc_.get(), 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr);
                SetBkColor(dc_.get(), oldColor);
            }
        }
        pieces = ink;
        if (pieces.empty()) return;
    }
    std::vector<TCoverage> coverages;
    TRect area;
    for (const TInkedPiece& inked : pieces) {
        coverages.push_back(PieceCoverage(*inked.Piece, Intersection(PieceBounds(*inked.Piece), clip)));
        area = Union(area, coverages.back().Touched());
    }
    if (IsEmpty(area)) return;
    // One copy of the screen for all of them: each is a trip to the display. (A copy kept from
    // tick to tick would hold what showed there then: the spotlight's dim around a moving hole.)
    std::unique_ptr<TPixelBuffer> once;
    TPixelBuffer* pixels = Read(area, live ? scratch_ : once);
    if (!pixels) return;
    const TPoint origin{area.Left, area.Top};
    GdiFlush();
    const TPixelRows rows{pixels->Bits(), pixels->Width(), pixels->Height(), origin};
    const TInkTarget target{rows, TInkPixels::Opaque};
    std::vector<TRect> runs;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        pieces[i].Ink->Lay(coverages[i], target, area);
        TLaidPixels& laid = LaidOf(pieces[i].Mark);
        const std::size_t before = laid.Bytes();
        const std::vector<TRect> noted = laid.Note(coverages[i], rows, area);
        laidBytes_ += laid.Bytes() - before;
        runs.insert(runs.end(), noted.begin(), noted.end());
    }
    // The oldest marks' pixels go first; the mark being laid keeps its own.
    while (laidBytes_ > kMaxLaidBytes && laidOrder_.size() > 1) ForgetLaid(laidOrder_.front());
    Write(area, *pixels, origin, runs);
}

void TScreenSurface::Wipe()
{
    pending_.clear();
    live_.reset();
    scratch_.reset();
    laid_.clear();
    laidOrder_.clear();
    laidBytes_ = 0;
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
    std::vector<TRect> rects;
    for (const TMarkPiece& piece : mark.Pieces) rects.push_back(PieceBounds(piece));
    return RegionOfRects(rects);
}

void TScreenSurface::Remove(std::span<const TMark> gone)
{
    Flush();
    for (const TMark& mark : gone) ForgetLaid(mark.Serial);
    if (gone.empty()) return;
    UniqueRegion area = RegionOf(gone.front());
    if (!area) return;
    TRect bounds = gone.front().Bounds;
    for (const TMark& mark : gone.subspan(1)) {
        if (UniqueRegion more = RegionOf(mark)) CombineRgn(area.get(), area.get(), more.get(), RGN_OR);
        bounds = Union(bounds, mark.Bounds);
    }
    // Under a board that stays the board shows again, not the windows beneath it.
    TRect onBoards;
    for (const TMark& mark : marks_.Marks()) {
        const TRect under = Intersection(bounds, mark.Bounds);
        if (!mark.IsBoard() || IsEmpty(under)) continue;
        onBoards = Union(onBoards, under);
        if (UniqueRegion board = RegionOf(mark)) CombineRgn(area.get(), area.get(), board.get(), RGN_DIFF);
    }
    bool repaint = true;
    if (marks_.Drawing() && !marks_.Marks().empty())
        if (UniqueRegion drawing = RegionOf(marks_.Marks().back()))
            repaint = CombineRgn(area.get(), area.get(), drawing.get(), RGN_DIFF) != NULLREGION;
    if (repaint) RepaintWindows(area.get());
    for (const TMark* mark : InPaintOrder(marks_.Marks(), onBoards)) DrawAgain(*mark, onBoards);
}

}  // namespace zelvora
