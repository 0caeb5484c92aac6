#include "engine/win32/MarkingEngine.h"

#include <algorithm>
#include <utility>

#include "base/DpiScaling.h"
#include "engine/MarkGeometry.h"
#include "engine/PaintChord.h"
#include "engine/ShapePieces.h"
#include "toolkit/win32/Boundary.h"
#include "toolkit/win32/ScreenDpi.h"

namespace zelvora {

namespace {

TMarkingEngine* pollingEngine = nullptr;
// A thread timer's procedure gets no context: the engine whose timer it is.
TMarkingEngine* vanishingEngine = nullptr;

}  // namespace

TMarkingEngine::TMarkingEngine(const IMarkingOptions& options, std::size_t maxMarks, std::size_t maxBytes,
                               std::size_t maxLayerPixels)
    : options_(options), history_(maxMarks, maxBytes), layer_(history_, maxLayerPixels)
{
}

TMarkingEngine::~TMarkingEngine()
{
    hook_.reset();
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
    if (!keepMarks_) return;
    if (surface_ == &layer_) {
        layer_.FitScreens();
        return;
    }
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

// 300 ms of ticks, drawn again every fifth: the windows beneath have repainted by then.
constexpr int kRedrawTicks = 30;

void TMarkingEngine::PollTick()
{
    POINT pointer{};
    GetCursorPos(&pointer);
    const bool held = IsChordHeld(paintShortcut_, KeyStateOutsideHold, this);
    if (held && !chordHeld_) BeginHold();
    if (chordHeld_ && !held) {
        EndHold(pointer);
        EndMark();
    }
    chordHeld_ = held;
    if (textField_ && !textField_->IsOpen()) textField_.reset();
    // The field opens once every key of the chord is up: typed with Alt still down, letters
    // would be system keys and open menus.
    if (textAt_ && !held && !ChordKeyDown()) OpenTextField(*std::exchange(textAt_, std::nullopt));
    if (KeepMarks()) layer_.StayOnTop();
    if (held) {
        const bool shapeBefore = shape_ != TDrawingShape::None;
        FollowKeys(pointer);
        // Every position the hand passed since the last tick. A shape follows the pointer, not
        // its path, and the path drawn free-hand begins once the shape is kept.
        const std::vector<TPoint> path = trail_.Take({pointer.x, pointer.y});
        if (shape_ != TDrawingShape::None) {
            PreviewShape(pointer);
        } else if (!shapeBefore) {
            for (const TPoint p : path) {
                if (options_.FreeHandMode())
                    DrawLineTo(p.X, p.Y);
                else
                    FrameWindowAt(p.X, p.Y);
            }
        }
    } else {
        MovePenTo(pointer.x, pointer.y);
    }
    KeepDrawingMarkShown();
}

short TMarkingEngine::KeyStateOutsideHold(int virtualKey, void* engine)
{
    // During a hold every other key is the hook's and reaches no program, so another modifier
    // does not break the chord. (Wine counts a key down before the hook has seen it.)
    const auto& self = *static_cast<const TMarkingEngine*>(engine);
    if (self.hook_ && !IsChordKey(self.paintShortcut_, virtualKey)) return 0;
    return GetAsyncKeyState(virtualKey);
}

void TMarkingEngine::BeginHold()
{
    if (!drawingEnabled_) return;
    keys_ = TDrawingKeys(paintShortcut_);
    textAsked_ = false;
    penRests_ = false;
    shapeKeysGoingUp_ = false;
    if (GetAsyncKeyState(VK_TAB) & 0x8000) keys_.AlreadyDown(VK_TAB);
    trail_.PenDown(GetTickCount());
    hook_ = std::make_unique<TDrawingKeyHook>(keys_, trail_);
    fineTimer_.emplace();
}

void TMarkingEngine::EndHold(POINT pointer)
{
    if (!hook_) return;
    FollowKeys(pointer);
    if (shape_ != TDrawingShape::None) KeepShape();
    shape_ = TDrawingShape::None;
    hook_.reset();
    fineTimer_.reset();
    trail_.PenUp();
    if (keys_.TextWanted()) textAt_ = TPoint{pointer.x, pointer.y};
}

void TMarkingEngine::FollowKeys(POINT pointer)
{
    if (!hook_) return;
    bool penChanged = false;
    if (const auto colour = keys_.TakeColour()) {
        markerColor_ = *colour;
        penChanged = true;
    }
    if (const int steps = keys_.TakeWidthSteps()) {
        markerSize_ = SteppedMarkerSize(markerSize_, steps);
        penChanged = true;
    }
    if (penChanged && OnPenChanged) OnPenChanged();
    if (keys_.TextWanted() && !textAsked_) {
        textAsked_ = true;
        DropPenAtRest();
        penAt_ = {pointer.x, pointer.y};
        penRests_ = true;
    }
    const TDrawingShape shape = keys_.Shape();
    if (keys_.TakeShapeKeyUp() && shape_ != TDrawingShape::None) {
        // Kept as it is when one of its keys goes up; the next shape waits until all are up.
        KeepShape();
        shape_ = TDrawingShape::None;
        penAt_ = {pointer.x, pointer.y};  // free-hand again from here, once the pointer moves
        penRests_ = true;
        shapeKeysGoingUp_ = shape != TDrawingShape::None;
        return;
    }
    if (shapeKeysGoingUp_) {
        shapeKeysGoingUp_ = shape != TDrawingShape::None;
        return;
    }
    if (shape == shape_) return;
    if (shape_ == TDrawingShape::None) {
        // The shape is a mark of its own, from where the pointer was when its keys went down.
        shapeFrom_ = penAt_;
        DropPenAtRest();
        EndMark();
    }
    shape_ = shape;
}

void TMarkingEngine::DropPenAtRest()
{
    // A dot or a frame where the pen went down and stayed: the shape or text takes its place.
    if (!history_.Drawing()) return;
    const auto& pieces = history_.Marks().back().Pieces;
    if (pieces.size() == 1 && (pieces[0].Kind == TMarkPiece::TKind::Frame || pieces[0].From == pieces[0].To))
        RemoveFromSurface(*history_.Undo());
}

void TMarkingEngine::PreviewShape(POINT pointer)
{
    TMarkPiece piece = ShapePiece(shape_, shapeFrom_, {pointer.x, pointer.y}, PenAt(pointer.x, pointer.y),
                                  options_.FloodFill());
    if (preview_ && preview_->SameDrawingAs(piece)) return;
    preview_ = PreviewSurface().Draw(std::move(piece));  // in place of the one before
}

IMarkSurface& TMarkingEngine::PreviewSurface()
{
    if (surface_ == &layer_) return layer_.Preview();
    if (!screenPreview_) screenPreview_ = std::make_unique<TPreviewLayer>();
    return *screenPreview_;
}

void TMarkingEngine::KeepShape()
{
    if (!preview_) return;
    TMarkPiece piece = std::move(*preview_);
    preview_.reset();
    PreviewSurface().Wipe();
    piece.Runs.clear();
    piece.Pixels.clear();
    RedrawKeptOnScreen(piece);
    Draw(std::move(piece));
    EndMark();
}

bool TMarkingEngine::ChordKeyDown() const
{
    for (const int key : {static_cast<int>(ShortCutToKey(paintShortcut_).Key), VK_CONTROL, VK_MENU, VK_SHIFT})
        if (key != 0 && IsChordKey(paintShortcut_, key) && (GetAsyncKeyState(key) & 0x8000)) return true;
    return false;
}

void TMarkingEngine::OpenTextField(TPoint at)
{
    textField_.reset();
    textField_ = std::make_unique<TTextField>(at, PenAt(at.X, at.Y), [this](std::optional<TMarkPiece> text) {
        if (!text || !drawingEnabled_) return;
        RedrawKeptOnScreen(*text);
        Draw(std::move(*text));
        EndMark();
    });
}

void TMarkingEngine::DrawLineTo(int x, int y)
{
    if (!drawingEnabled_) return;
    // After a shape, or once a text is asked for, the pen at rest draws no dot, which would be
    // a mark of its own.
    if (penRests_ && penAt_ == TPoint{x, y}) return;
    penRests_ = false;
    TMarkPiece line;
    line.Pen = PenAt(x, y);
    line.From = std::exchange(penAt_, TPoint{x, y});
    line.To = penAt_;
    Draw(std::move(line));
}

void TMarkingEngine::FrameWindowAt(int x, int y)
{
    if (!drawingEnabled_) return;
    if (penRests_ && penAt_ == TPoint{x, y}) return;
    penRests_ = false;
    HWND control = WindowFromPoint(POINT{x, y});
    if (!control) return;
    RECT r{};
    if (!GetWindowRect(control, &r)) return;
    TMarkPiece frame;
    frame.Kind = TMarkPiece::TKind::Frame;
    frame.Pen = PenAt(x, y);
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
    surface_->Remove(gone);
    if (!surface_->KeepsMarks() && history_.Drawing()) {
        redrawTicks_ = kRedrawTicks;
        redrawPiece_.reset();
    }
}

void TMarkingEngine::RedrawKeptOnScreen(const TMarkPiece& piece)
{
    if (surface_->KeepsMarks()) return;
    redrawTicks_ = kRedrawTicks;
    redrawPiece_ = piece;
}

void TMarkingEngine::KeepDrawingMarkShown()
{
    constexpr int kTicksPerRedraw = 5;
    if (redrawTicks_ == 0 || --redrawTicks_ % kTicksPerRedraw != 0) return;
    if (surface_ != &screen_ || history_.Marks().empty()) return;
    if (!redrawPiece_) {
        if (history_.Drawing()) screen_.DrawAgain(history_.Marks().back());
        return;
    }
    // Unless it was undone meanwhile: free-hand marks may have followed it.
    const auto& marks = history_.Marks();
    const auto kept = std::find_if(marks.rbegin(), marks.rend(), [&](const TMark& mark) {
        return mark.Pieces.size() == 1 && mark.Pieces.front().SameDrawingAs(*redrawPiece_);
    });
    if (kept != marks.rend()) screen_.DrawAgain(*kept);
}

int TMarkingEngine::PenWidthAt(int x, int y) const
{
    return MarkerWidthAtDpi(markerSize_, DpiAtPoint(POINT{x, y}));
}

TMarkPen TMarkingEngine::PenAt(int x, int y) const
{
    return {PenWidthAt(x, y), markerColor_, options_.Transparent()};
}

void TMarkingEngine::MovePenTo(int x, int y)
{
    penAt_ = {x, y};
}

}  // namespace zelvora
