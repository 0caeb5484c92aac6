#include "engine/win32/MarkingEngine.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "base/DpiScaling.h"
#include "engine/MarkGeometry.h"
#include "engine/ShapePieces.h"
#include "engine/win32/Elevation.h"
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
    textField_.reset();
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

namespace {

// Only the dot a pen left where it rested.
bool IsDot(const TMark& mark)
{
    const auto& pieces = mark.Pieces;
    return pieces.size() == 1 && pieces[0].Kind == TMarkPiece::TKind::Line && pieces[0].From == pieces[0].To;
}

template <typename TMarks>
TRect MarkedArea(const TMarks& marks)
{
    TRect area;
    for (const TMark& mark : marks) area = Union(area, mark.Bounds);
    return area;
}

}  // namespace

void TMarkingEngine::WipeMarks()
{
    const TRect marked = MarkedArea(history_.Marks());
    surface_->Wipe();
    history_.Wipe();
    presenter_.MarksChanged(marked);
    ScheduleVanishing();
}

bool TMarkingEngine::HidePointerForCapture()
{
    layer_.PaintNow();
    // A window of ours that went this tick (the card, as the key was pressed) has not been
    // repainted over yet either.
    bool hidden = std::exchange(justHidden_, false);
    if (keyHints_.Showing()) {
        RedrawUncovered(keyHints_.Hide());
        hidden = true;
    }
    if (presenter_.Showing()) {
        presenter_.Hide(true);
        hidden = true;
    }
    // Nothing shows again before the picture is taken; with nothing hidden it is taken at once.
    capturing_ = hidden;
    return hidden;
}

void TMarkingEngine::UndoLastMark()
{
    if (history_.CanUndoWipe()) {
        history_.UndoWipe(std::chrono::steady_clock::now());
        for (const TMark* mark : InPaintOrder(history_.Marks(), MarkedArea(history_.Marks())))
            surface_->DrawAgain(*mark);
        presenter_.MarksChanged(MarkedArea(history_.Marks()));
    } else if (auto gone = history_.Undo()) {
        RemoveFromSurface({&*gone, 1});
    }
    ScheduleVanishing();
}

void TMarkingEngine::ToggleBoard(TColor colour, TPoint at)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromPoint(POINT{at.X, at.Y}, MONITOR_DEFAULTTONEAREST), &info)) return;
    const TRect monitor{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    // The same key again takes the board away with what was drawn on it; the other key puts the
    // other board in its place.
    if (const TMark* shown = history_.BoardOn(monitor)) {
        const bool same = shown->Pieces.front().Pen.Color == colour;
        RemoveFromSurface(history_.TakeBoard(shown->Serial));
        if (same) {
            ScheduleVanishing();
            return;
        }
    }
    // What was drawn before is a mark of its own, and shows on the board; the dot where the pen
    // went down was no mark meant, and goes once the board is there (on the screen, the windows
    // beneath would repaint over the board).
    std::optional<std::uint64_t> dot;
    if (history_.Drawing() && IsDot(history_.Marks().back())) dot = history_.Marks().back().Serial;
    vanishing_.EndMark();
    Draw(BoardPiece(monitor, colour));
    vanishing_.EndMark();
    if (dot)
        if (auto gone = history_.Take(*dot)) RemoveFromSurface({&*gone, 1});
    for (const TMark* mark : InPaintOrder(history_.Marks(), monitor))
        if (!mark->IsBoard()) surface_->DrawAgain(*mark);
    FlushSurfaces();
    ScheduleVanishing();
}

void TMarkingEngine::EndMark()
{
    vanishing_.EndMark();
    screen_.EndMark();
    ScheduleVanishing();
}

void TMarkingEngine::SetVanishSeconds(int seconds)
{
    vanishing_.SetSeconds(seconds);
    ScheduleVanishing();
}

void TMarkingEngine::VanishDueMarks()
{
    // Out of the history first, then one repaint for all of them.
    RemoveFromSurface(vanishing_.TakeDue());
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
    presenter_.DisplayChanged();
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

void TMarkingEngine::PollTick()
{
    const long long now = std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count();
    if (lastTickAt_) longestTickGap_ = std::max(longestTickGap_, now - lastTickAt_);
    lastTickAt_ = now;

    POINT pointer{};
    GetCursorPos(&pointer);
    justHidden_ = false;
    session_.CheckHealth();
    // Held as the keyboard hook saw the shortcuts go down and up.
    const auto [chordHeld, laserHeld] = session_.Locked([](TKeyRoute& route, TPointerTrail&) {
        return std::pair{route.TakeHeld(), route.LaserHeld()};
    });
    const bool held = drawingEnabled_ && !paused_ && chordHeld;
    if (held && !hold_.Held()) BeginHold();
    std::vector<std::size_t> shortcuts;
    THoldTick tick = TakeInput(pointer, held, shortcuts);
    if (hold_.TextWaiting()) tick.ChordKeyDown = ChordKeyDown();
    hold_.Tick(tick, *this);
    TickPresenter(pointer, held, laserHeld);
    TickKeyHints(pointer, held);
    if (textField_) {
        textField_->FollowForeground();
        if (textField_->IsOpen()) {
            session_.SetFieldArea(textField_->Area());
        } else {
            CloseTextField();
        }
    }
    if (KeepMarks()) layer_.StayOnTop();
    redraws_.Tick(surface_ == &screen_);
    FlushSurfaces();
    // After the tick: a shortcut may open a window of its own (a failed save's message).
    RunShortcuts(shortcuts, held, tick.Pointer);
}

void TMarkingEngine::TickPresenter(POINT pointer, bool paintHeld, bool laserHeld)
{
    TPresenterInput input;
    input.Pointer = {pointer.x, pointer.y};
    input.LaserHeld = drawingEnabled_ && !paused_ && !paintHeld && laserHeld;
    input.PaintHeld = paintHeld;
    input.MarkerSize = markerSize_;
    input.PenColor = markerColor_;
    input.FreeHand = options_.FreeHandMode();
    input.MarksOnScreen = surface_ == &screen_;
    presenter_.Follow(input);
    if (std::exchange(layerOrder_, layer_.OrderChanges()) != layer_.OrderChanges()) presenter_.RaisePointer();
    // (Also the spotlight turned off between ticks.)
    const TRect uncovered = presenter_.TakeUncovered();
    if (!IsEmpty(uncovered)) justHidden_ = true;
    RedrawUncovered(uncovered);
}

void TMarkingEngine::TickKeyHints(POINT pointer, bool paintHeld)
{
    const bool rests = keyHintTimer_.Tick(GetTickCount(), paintHeld, {pointer.x, pointer.y},
                                          std::exchange(keysPressed_, false));
    const bool show = rests && showKeyHints_ && !capturing_;
    if (show && !keyHints_.Showing() && KeyHintLines) {
        keyHints_.Show({pointer.x, pointer.y}, KeyHintLines());
    } else if (!show && keyHints_.Showing()) {
        RedrawUncovered(keyHints_.Hide());
        justHidden_ = true;
    }
}

void TMarkingEngine::RedrawUncovered(const TRect& area)
{
    if (surface_ == &screen_) redraws_.Uncovered(area);
}

THoldTick TMarkingEngine::TakeInput(POINT pointer, bool held, std::vector<std::size_t>& shortcuts)
{
    THoldTick tick;
    tick.Now = GetTickCount();
    tick.ChordHeld = held;
    tick.FreeHand = options_.FreeHandMode();
    tick.Pointer = {pointer.x, pointer.y};
    std::optional<TColor> colour, board;
    int widthSteps = 0;
    TPointerTrail::TNoted noted;
    session_.Locked([&](TKeyRoute& route, TPointerTrail& trail) {
        TDrawingKeys& keys = route.Keys();
        shortcuts = route.TakeCommands();
        if (held || hold_.Held()) {
            colour = keys.TakeColour();
            board = keys.TakeBoard();
            keysPressed_ = keys.TakeAnyInput() || keysPressed_;
            widthSteps = keys.TakeWidthSteps();
            for (const std::size_t index : keys.TakeShortcuts()) shortcuts.push_back(index);
            tick.Shape = keys.Shape();
            tick.ShapeKeyUp = keys.TakeShapeKeyUp();
            tick.TextWanted = keys.TextWanted();
        }
        if (held) noted = trail.TakeNoted(tick.Pointer);
    });
    if (held) tick.Path = TPointerTrail::Simplified(std::move(noted));
    if (colour) markerColor_ = *colour;
    if (widthSteps) markerSize_ = SteppedMarkerSize(markerSize_, widthSteps);
    if ((colour || widthSteps) && OnPenChanged) OnPenChanged();
    if (board) {
        ToggleBoard(*board, tick.Pointer);
        hold_.RestAt(tick.Pointer);
    }
    return tick;
}

void TMarkingEngine::RunShortcuts(const std::vector<std::size_t>& shortcuts, bool held, TPoint pointer)
{
    for (const std::size_t index : shortcuts) {
        if (OnShortcut) OnShortcut(index);
        // A wipe or an undo leaves no dot where the pen rests.
        if (held) hold_.RestAt(pointer);
    }
}

void TMarkingEngine::SetShortcuts(const TShortcuts& shortcuts)
{
    shortcuts_ = shortcuts;
    session_.Locked([&](TKeyRoute& route, TPointerTrail&) { route.SetShortcuts(shortcuts); });
}

void TMarkingEngine::SetDrawingEnabled(bool enabled)
{
    drawingEnabled_ = enabled;
    session_.Locked([&](TKeyRoute& route, TPointerTrail&) { route.SetEnabled(enabled); });
}

void TMarkingEngine::SetPaused(bool paused)
{
    paused_ = paused;
    session_.Locked([&](TKeyRoute& route, TPointerTrail&) { route.SetPaused(paused); });
    if (!paused) return;
    if (presenter_.SpotlightOn()) presenter_.ToggleSpotlight();
    if (textField_) textField_->Close();
    CloseTextField();
}

void TMarkingEngine::ForgetKeys()
{
    session_.Locked([](TKeyRoute& route, TPointerTrail& trail) {
        route.ForgetKeys();
        trail.PenUp();
    });
}

void TMarkingEngine::BeginHold()
{
    // A text still open keeps what was typed: the hold may begin another one.
    if (textField_) textField_->Close();
    CloseTextField();
    const HWND front = GetForegroundWindow();
    if (OnHoldOverElevatedWindow && RunsAboveUs(front)) OnHoldOverElevatedWindow(front);
    session_.NoteKeysAlreadyDown();
}

void TMarkingEngine::DropMarkAtRest(bool frameToo)
{
    if (!history_.Drawing()) return;
    const TMark& mark = history_.Marks().back();
    const bool frame = mark.Pieces.size() == 1 && mark.Pieces[0].Kind == TMarkPiece::TKind::Frame;
    if (!IsDot(mark) && !(frame && frameToo)) return;
    if (const auto gone = history_.Undo()) RemoveFromSurface({&*gone, 1});
}

void TMarkingEngine::PreviewShape(TDrawingShape shape, TPoint from, TPoint to)
{
    TMarkPiece piece = ShapePiece(shape, from, to, PenAt(to.X, to.Y), options_.FloodFill());
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
}

bool TMarkingEngine::ChordKeyDown() const
{
    const TShortCut chord = PaintShortcut();
    for (const int key : {static_cast<int>(ShortCutToKey(chord).Key), VK_CONTROL, VK_MENU, VK_SHIFT})
        if (key != 0 && IsChordKey(chord, key) && (GetAsyncKeyState(key) & 0x8000)) return true;
    return false;
}

void TMarkingEngine::OpenText(TPoint at)
{
    // A field already open keeps its text as a mark before the next opens.
    if (textField_) textField_->Close();
    CloseTextField();
    textField_ = std::make_unique<TTextField>(at, PenAt(at.X, at.Y), [this](std::optional<TMarkPiece> text) {
        if (!text || !drawingEnabled_) return;
        RedrawKeptOnScreen(*text);
        Draw(std::move(*text));
        FlushSurfaces();
        EndMark();
    });
    session_.SetField(textField_->Handle(), textField_->Area());
}

void TMarkingEngine::CloseTextField()
{
    session_.ClearField();
    textField_.reset();
}

void TMarkingEngine::DrawLine(TPoint from, TPoint to)
{
    MovePenTo(from.X, from.Y);
    AddLineTo(to.X, to.Y);
}

void TMarkingEngine::DrawCurve(std::span<const TPointF> points)
{
    if (!drawingEnabled_ || points.empty()) return;
    const auto rounded = [](TPointF p) {
        return TPoint{static_cast<int>(std::lround(p.X)), static_cast<int>(std::lround(p.Y))};
    };
    TMarkPiece curve;
    curve.From = rounded(points.front());
    curve.To = penAt_ = rounded(points.back());
    curve.Pen = PenAt(curve.To.X, curve.To.Y);
    curve.Path.assign(points.begin(), points.end());
    Draw(std::move(curve));
}

void TMarkingEngine::DrawLineTo(int x, int y)
{
    AddLineTo(x, y);
    FlushSurfaces();
}

void TMarkingEngine::AddLineTo(int x, int y)
{
    if (!drawingEnabled_) return;
    TMarkPiece line;
    line.Pen = PenAt(x, y);
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
    frame.Pen = PenAt(x, y);
    frame.Frame =
        ControlFrameFor(TRect{r.left, r.top, r.right, r.bottom}, frame.Pen.Width, options_.FloodFill());
    Draw(std::move(frame));
    FlushSurfaces();
}

void TMarkingEngine::Draw(TMarkPiece piece)
{
    // A pointer at rest or a frame held draws the same piece on every tick: the history keeps
    // it once. A pen at rest lays nothing new; only a frame held on the screen is laid again,
    // over a control that repaints itself (a button lit by the pointer).
    const bool repeat = history_.RepeatsLast(piece);
    if (repeat && (surface_->KeepsMarks() || piece.Kind != TMarkPiece::TKind::Frame)) return;
    if (!repeat && !history_.TakesMorePieces()) return;
    TMarkPiece drawn = surface_->Draw(piece);
    if (surface_ == &layer_ && layer_.Failed()) {
        // Said once; no new try every tick until the display changes.
        surface_ = &screen_;
        drawn = screen_.Draw(std::move(piece));
        if (OnLayerFailed) OnLayerFailed();
    }
    if (repeat) return;
    const TRect bounds = PieceBounds(drawn);
    history_.AddPiece(std::move(drawn));
    presenter_.MarksChanged(bounds);
    RemoveDropped();
}

void TMarkingEngine::FlushSurfaces()
{
    screen_.Flush();
    layer_.Flush();
}

void TMarkingEngine::RemoveDropped()
{
    RemoveFromSurface(history_.TakeDropped());
}

void TMarkingEngine::RemoveFromSurface(std::span<const TMark> gone)
{
    if (gone.empty()) return;
    surface_->Remove(gone);
    presenter_.MarksChanged(MarkedArea(gone));
    // The marks a board covered on the screen went with the windows' repaint beneath it.
    for (const TMark& mark : gone)
        if (mark.IsBoard()) RedrawUncovered(mark.Bounds);
    if (!surface_->KeepsMarks() && history_.Drawing()) {
        redraws_.DrawingMark();
    }
}

void TMarkingEngine::RedrawKeptOnScreen(const TMarkPiece& piece)
{
    if (!surface_->KeepsMarks()) redraws_.Kept(piece);
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
