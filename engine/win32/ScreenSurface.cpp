#include "engine/win32/ScreenSurface.h"

#include "engine/win32/PieceDrawing.h"

namespace zelvora {

void TScreenSurface::Acquire()
{
    Release();
    // The screen DC draws over every window; the desktop window's own DC would be clipped by them.
    dc_ = WindowDc(nullptr, GetDC(nullptr));
    if (dc_) canvas_ = std::make_unique<TCanvas>(dc_.get());
}

void TScreenSurface::Release()
{
    canvas_.reset();
    dc_.reset();
}

TMarkPiece TScreenSurface::Draw(TMarkPiece piece)
{
    if (canvas_) DrawPiece(*canvas_, piece, {}, piece.Pen.Color, PenModeFor(piece.Pen.Highlighter));
    return piece;
}

void TScreenSurface::Remove(const TMark& gone)
{
    RepaintWindowsUnder(gone.Bounds);
}

void TScreenSurface::Wipe()
{
    Release();
    RepaintAllWindows();
    Acquire();
}

namespace {

// Each window is asked to erase and paint itself in its own paint cycle. The one-call form,
// InvalidateRect(nullptr, nullptr, TRUE), erases other programs' windows at once from this
// thread; under Wine that erase can land after their repaint and blank them, and it leaves the
// bare desktop out. Without an area the whole of every window repaints.
void Repaint(HWND window, const RECT* area, UINT flags)
{
    if (!area) {
        RedrawWindow(window, nullptr, nullptr, flags);
        return;
    }
    RECT frame{}, local{};
    if (!GetWindowRect(window, &frame) || !IntersectRect(&local, &frame, area)) return;
    // RedrawWindow takes client points; the frame lies at negative ones.
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&local), 2);
    RedrawWindow(window, &local, nullptr, flags);
}

void RepaintWindows(const RECT* area)
{
    Repaint(GetDesktopWindow(), area, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    EnumWindows(
        [](HWND window, LPARAM area) noexcept -> BOOL {
            constexpr UINT kRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
            if (IsWindowVisible(window)) Repaint(window, reinterpret_cast<const RECT*>(area), kRepaint);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(area));
}

}  // namespace

void TScreenSurface::RepaintAllWindows()
{
    RepaintWindows(nullptr);
}

void TScreenSurface::RepaintWindowsUnder(const TRect& area)
{
    if (IsEmpty(area)) return;
    const RECT r{area.Left, area.Top, area.Right, area.Bottom};
    RepaintWindows(&r);
}

}  // namespace zelvora
