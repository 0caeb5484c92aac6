#include "engine/win32/MarkingEngine.h"

#include <algorithm>
#include <utility>

#include "base/DpiScaling.h"
#include "engine/MarkGeometry.h"
#include "engine/PaintChord.h"
#include "toolkit/win32/Boundary.h"
#include "toolkit/win32/ScreenDpi.h"

namespace zelvora {

namespace {

TMarkingEngine* pollingEngine = nullptr;
// A thread timer's procedure gets no context: the engine whose timer it is.
TMarkingEngine* vanishingEngine = nullptr;

short AsyncKeyState(int virtualKey, void*)
{
    return GetAsyncKeyState(virtualKey);
}

}  // namespace

TMarkingEngine::TMarkingEngine(const IMarkingOptions& options, std::size_t maxMarks, std::size_t maxBytes,
                               std::size_t maxLayerPixels)
    : options_(options), history_(maxMarks, maxBytes), layer_(history_, maxLayerPixels)
{
}

TMarkingEngine::~TMarkingEngine()
{
    StopPollTimer();
    if (vanishTimer_) KillTimer(nullptr, vanishTimer_);
    if (vanishingEngine == this) vanishingEngine = nullptr;
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
    history_.Wipe();
    ScheduleVanishing();
}

void TMarkingEngine::UndoLastMark()
{
    if (history_.CanUndoWipe()) {
        history_.UndoWipe(std::chrono::steady_clock::now());
        for (const TMark& mark : history_.Marks()) surface_->DrawAgain(mark);
    } else if (auto gone = history_.Undo()) {
        RemoveFromSurface(*gone);
    }
    ScheduleVanishing();
}

void TMarkingEngine::EndMark()
{
    vanishing_.EndMark();
    ScheduleVanishing();
}

void TMarkingEngine::SetVanishSeconds(int seconds)
{
    vanishing_.SetSeconds(seconds);
    ScheduleVanishing();
}

void TMarkingEngine::VanishDueMarks()
{
    for (const TMark& gone : vanishing_.TakeDue()) RemoveFromSurface(gone);
    ScheduleVanishing();
}

void TMarkingEngine::ScheduleVanishing()
{
    const auto dueIn = vanishing_.NextDueIn();
    if (!dueIn) {
        if (vanishTimer_) KillTimer(nullptr, vanishTimer_);
        vanishTimer_ = 0;
        if (vanishingEngine == this) vanishingEngine = nullptr;
        return;
    }
    // A thread timer with the same id is set again, not added.
    const auto delay = static_cast<UINT>(std::clamp<long long>(dueIn->count(), USER_TIMER_MINIMUM, 60'000));
    vanishTimer_ = SetTimer(nullptr, vanishTimer_, delay, VanishTimerProc);
    if (vanishTimer_) vanishingEngine = this;
}

void CALLBACK TMarkingEngine::VanishTimerProc(HWND, UINT, UINT_PTR, DWORD) noexcept
{
    if (vanishingEngine)
        Guarded(0, [] {
            vanishingEngine->VanishDueMarks();
            return 0;
        });
}

void TMarkingEngine::SetKeepMarks(bool keep)
{
    if (keep == keepMarks_) return;
    history_.Clear();
    layer_.Close();
    layer_.Retry();
    ScheduleVanishing();
    keepMarks_ = keep;
    surface_ = keep ? static_cast<IMarkSurface*>(&layer_) : &screen_;
}

void TMarkingEngine::DisplayChanged()
{
    if (!keepMarks_ || surface_ == &layer_) return;
    layer_.Retry();
    surface_ = &layer_;
    // What the screen showed meanwhile is kept from now on, where the layer can be made.
    for (const TMark& mark : history_.Marks()) layer_.DrawAgain(mark);
    if (layer_.Failed()) surface_ = &screen_;
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
    const bool held = IsChordHeld(paintShortcut_, AsyncKeyState, nullptr);
    if (chordHeld_ && !held) EndMark();
    chordHeld_ = held;
    if (KeepMarks()) layer_.StayOnTop();
    if (held) {
        if (options_.FreeHandMode())
            DrawLineTo(pointer.x, pointer.y);
        else
            FrameWindowAt(pointer.x, pointer.y);
    } else {
        MovePenTo(pointer.x, pointer.y);
    }
    KeepDrawingMarkShown();
}

void TMarkingEngine::DrawLineTo(int x, int y)
{
    if (!drawingEnabled_) return;
    TMarkPiece line;
    line.Pen = {PenWidthAt(x, y), markerColor_, options_.Transparent()};
    line.From = std::exchange(penAt_, TPoint{x, y});
    line.To = penAt_;
    Draw(std::move(line));
}

void TMarkingEngine::FrameWindowAt(int x, int y)
{
    if (!drawingEnabled_) return;
    HWND control = WindowFromPoint(POINT{x, y});
    if (!control) return;
    RECT r{};
    if (!GetWindowRect(control, &r)) return;
    TMarkPiece frame;
    frame.Kind = TMarkPiece::TKind::Frame;
    frame.Pen = {PenWidthAt(x, y), markerColor_, options_.Transparent()};
    frame.Frame =
        ControlFrameFor(TRect{r.left, r.top, r.right, r.bottom}, frame.Pen.Width, options_.FloodFill());
    Draw(std::move(frame));
}

void TMarkingEngine::Draw(TMarkPiece piece)
{
    // A pointer at rest or a frame held draws the same piece on every tick: the history keeps
    // it once, and only the screen, where a repaint beneath may have taken it, needs it again.
    const bool repeat = history_.RepeatsLast(piece);
    if (repeat && surface_->KeepsMarks()) return;
    if (!repeat && !history_.TakesMorePieces()) return;
    TMarkPiece drawn = surface_->Draw(piece);
    if (surface_ == &layer_ && layer_.Failed()) {
        // Said once; no new try every tick until the display changes.
        surface_ = &screen_;
        drawn = screen_.Draw(std::move(piece));
        if (OnLayerFailed) OnLayerFailed();
    }
    if (repeat) return;
    history_.AddPiece(std::move(drawn));
    RemoveDropped();
}

void TMarkingEngine::RemoveDropped()
{
    for (const TMark& gone : history_.TakeDropped()) RemoveFromSurface(gone);
}

void TMarkingEngine::RemoveFromSurface(const TMark& gone)
{
    // 300 ms of ticks, drawn again every fifth: the windows beneath have repainted by then.
    constexpr int kRedrawTicks = 30;
    surface_->Remove(gone);
    if (!surface_->KeepsMarks() && history_.Drawing()) redrawDrawingMarkTicks_ = kRedrawTicks;
}

void TMarkingEngine::KeepDrawingMarkShown()
{
    constexpr int kTicksPerRedraw = 5;
    if (redrawDrawingMarkTicks_ == 0 || --redrawDrawingMarkTicks_ % kTicksPerRedraw != 0) return;
    if (surface_ == &screen_ && history_.Drawing() && !history_.Marks().empty())
        screen_.DrawAgain(history_.Marks().back());
}

int TMarkingEngine::PenWidthAt(int x, int y) const
{
    return MarkerWidthAtDpi(markerSize_, DpiAtPoint(POINT{x, y}));
}

void TMarkingEngine::MovePenTo(int x, int y)
{
    penAt_ = {x, y};
}

}  // namespace zelvora
