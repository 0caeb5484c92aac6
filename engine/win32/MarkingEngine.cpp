#include "engine/win32/MarkingEngine.h"

#include "base/DpiScaling.h"
#include "engine/MarkGeometry.h"
#include "engine/PaintChord.h"
#include "toolkit/win32/Boundary.h"
#include "toolkit/win32/ScreenDpi.h"

namespace zelvora {

namespace {

TMarkingEngine* pollingEngine = nullptr;

short AsyncKeyState(int virtualKey, void*)
{
    return GetAsyncKeyState(virtualKey);
}

}  // namespace

TMarkingEngine::TMarkingEngine(const IMarkingOptions& options) : options_(options) {}

TMarkingEngine::~TMarkingEngine()
{
    StopPollTimer();
    ReleaseDesktopCanvas();
}

void TMarkingEngine::AcquireDesktopCanvas()
{
    ReleaseDesktopCanvas();
    // The screen DC draws over every window; the desktop window's own DC would be clipped by them.
    desktopDc_ = WindowDc(nullptr, GetDC(nullptr));
    if (desktopDc_) desktopCanvas_ = std::make_unique<TCanvas>(desktopDc_.get());
}

void TMarkingEngine::ReleaseDesktopCanvas()
{
    desktopCanvas_.reset();
    desktopDc_.reset();
}

void TMarkingEngine::RepaintAllWindows()
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

void TMarkingEngine::WipeMarks()
{
    ReleaseDesktopCanvas();
    RepaintAllWindows();
    AcquireDesktopCanvas();
}

void TMarkingEngine::StartPollTimer()
{
    StopPollTimer();
    pollTimer_ = SetTimer(nullptr, 0, kPollIntervalMs, PollTimerProc);
    if (pollTimer_) pollingEngine = this;
}

void TMarkingEngine::StopPollTimer()
{
    if (pollTimer_) KillTimer(nullptr, pollTimer_);
    pollTimer_ = 0;
    if (pollingEngine == this) pollingEngine = nullptr;
}

void CALLBACK TMarkingEngine::PollTimerProc(HWND, UINT, UINT_PTR, DWORD) noexcept
{
    if (pollingEngine)
        Guarded(0, [] {
            pollingEngine->PollTick();
            return 0;
        });
}

void TMarkingEngine::PollTick()
{
    POINT pointer{};
    GetCursorPos(&pointer);
    if (IsChordHeld(paintShortcut_, AsyncKeyState, nullptr)) {
        if (options_.FreeHandMode())
            DrawLineTo(pointer.x, pointer.y);
        else
            FrameWindowAt(pointer.x, pointer.y);
    } else {
        MovePenTo(pointer.x, pointer.y);
    }
}

void TMarkingEngine::DrawLineTo(int x, int y)
{
    if (!drawingEnabled_ || !desktopCanvas_) return;
    desktopCanvas_->SetPenColor(markerColor_);
    desktopCanvas_->SetPenWidth(PenWidthAt(x, y));
    desktopCanvas_->SetPenMode(PenModeFor(options_.Transparent()));
    desktopCanvas_->LineTo(x, y);
}

void TMarkingEngine::FrameWindowAt(int x, int y)
{
    if (!drawingEnabled_ || !desktopCanvas_) return;
    HWND control = WindowFromPoint(POINT{x, y});
    if (!control) return;
    RECT r{};
    if (!GetWindowRect(control, &r)) return;
    const TControlFrame frame =
        ControlFrameFor(TRect{r.left, r.top, r.right, r.bottom}, PenWidthAt(x, y), options_.FloodFill());
    desktopCanvas_->SetPenColor(markerColor_);
    desktopCanvas_->SetPenMode(PenModeFor(options_.Transparent()));
    desktopCanvas_->SetBrushColor(markerColor_);
    desktopCanvas_->SetPenWidth(frame.PenWidth);
    desktopCanvas_->SetBrushStyle(frame.Brush);
    desktopCanvas_->Rectangle(frame.Bounds);
}

int TMarkingEngine::PenWidthAt(int x, int y) const
{
    return MarkerWidthAtDpi(markerSize_, DpiAtPoint(POINT{x, y}));
}

void TMarkingEngine::MovePenTo(int x, int y)
{
    if (desktopCanvas_) desktopCanvas_->MoveTo(x, y);
}

}  // namespace zelvora
