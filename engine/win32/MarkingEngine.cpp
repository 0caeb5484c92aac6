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
    screen_.Acquire();
}

void TMarkingEngine::ReleaseDesktopCanvas()
{
    screen_.Release();
}

void TMarkingEngine::RepaintAllWindows()
{
    TScreenSurface::RepaintAllWindows();
}

void TMarkingEngine::WipeMarks()
{
    surface_->Wipe();
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
    if (!drawingEnabled_) return;
    surface_->LineTo(TPoint{x, y}, TMarkPen{PenWidthAt(x, y), markerColor_, options_.Transparent()});
}

void TMarkingEngine::FrameWindowAt(int x, int y)
{
    if (!drawingEnabled_) return;
    HWND control = WindowFromPoint(POINT{x, y});
    if (!control) return;
    RECT r{};
    if (!GetWindowRect(control, &r)) return;
    const int width = PenWidthAt(x, y);
    const TControlFrame frame =
        ControlFrameFor(TRect{r.left, r.top, r.right, r.bottom}, width, options_.FloodFill());
    surface_->DrawFrame(frame, TMarkPen{width, markerColor_, options_.Transparent()});
}

int TMarkingEngine::PenWidthAt(int x, int y) const
{
    return MarkerWidthAtDpi(markerSize_, DpiAtPoint(POINT{x, y}));
}

void TMarkingEngine::MovePenTo(int x, int y)
{
    surface_->MovePenTo(TPoint{x, y});
}

}  // namespace zelvora
