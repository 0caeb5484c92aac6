#include "engine/win32/ScreenSurface.h"

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

void TScreenSurface::MovePenTo(TPoint at)
{
    if (canvas_) canvas_->MoveTo(at.X, at.Y);
}

void TScreenSurface::LineTo(TPoint to, const TMarkPen& pen)
{
    if (!canvas_) return;
    canvas_->SetPenColor(pen.Color);
    canvas_->SetPenWidth(pen.Width);
    canvas_->SetPenMode(PenModeFor(pen.Highlighter));
    canvas_->LineTo(to.X, to.Y);
}

void TScreenSurface::DrawFrame(const TControlFrame& frame, const TMarkPen& pen)
{
    if (!canvas_) return;
    canvas_->SetPenColor(pen.Color);
    canvas_->SetPenMode(PenModeFor(pen.Highlighter));
    canvas_->SetBrushColor(pen.Color);
    canvas_->SetPenWidth(frame.PenWidth);
    canvas_->SetBrushStyle(frame.Brush);
    canvas_->Rectangle(frame.Bounds);
}

void TScreenSurface::Wipe()
{
    Release();
    RepaintAllWindows();
    Acquire();
}

void TScreenSurface::RepaintAllWindows()
{
    // Each window is asked to erase and paint itself in its own paint cycle. The one-call form,
    // InvalidateRect(nullptr, nullptr, TRUE), erases other programs' windows at once from this
    // thread; under Wine that erase can land after their repaint and blank them, and it leaves
    // the bare desktop out.
    constexpr UINT kRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
    RedrawWindow(GetDesktopWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    EnumWindows(
        [](HWND window, LPARAM) noexcept -> BOOL {
            if (IsWindowVisible(window)) RedrawWindow(window, nullptr, nullptr, kRepaint);
            return TRUE;
        },
        0);
}

}  // namespace zelvora
