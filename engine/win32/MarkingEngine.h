// Draws the user's marks from a 10 ms poll of pointer and keyboard, through a drawing surface:
// the screen itself, or the ink layer that keeps them; remembers them mark by mark for undo.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "base/ShortCut.h"
#include "base/ShortcutCommands.h"
#include "engine/DrawingKeys.h"
#include "engine/Hold.h"
#include "engine/KeyHints.h"
#include "engine/MarkHistory.h"
#include "engine/MarkerDefaults.h"
#include "engine/VanishingInk.h"
#include "engine/win32/HoldSession.h"
#include "engine/win32/InkLayer.h"
#include "engine/win32/KeyHintCard.h"
#include "engine/win32/PresenterPointer.h"
#include "engine/win32/PreviewLayer.h"
#include "engine/win32/ScreenRedraws.h"
#include "engine/win32/ScreenSurface.h"
#include "engine/win32/TextField.h"

namespace zelvora {

inline constexpr UINT kPollIntervalMs = 10;

// The options the main window shows; read on every draw, never cached.
class IMarkingOptions {
public:
    virtual bool FreeHandMode() const = 0;
    virtual bool Transparent() const = 0;
    virtual bool FloodFill() const = 0;

protected:
    ~IMarkingOptions() = default;
};

class TMarkingEngine : private IHoldActions {
public:
    // The history's limits are the program's; tests and benchmarks choose smaller ones.
    explicit TMarkingEngine(const IMarkingOptions& options, std::size_t maxMarks = TMarkHistory::kMaxMarks,
                            std::size_t maxBytes = TMarkHistory::kMaxBytes,
                            std::size_t maxLayerPixels = TInkLayer::kMaxPixels);
    ~TMarkingEngine();
    TMarkingEngine(const TMarkingEngine&) = delete;
    TMarkingEngine& operator=(const TMarkingEngine&) = delete;

    void AcquireDesktopCanvas();
    void ReleaseDesktopCanvas();
    static void RepaintAllWindows();
    void WipeMarks();
    // Removes the last mark: from the layer exactly; on the screen the windows under it repaint.
    // Right after a wipe it brings back every mark the wipe took instead.
    void UndoLastMark();

    // Keep marks on draws on the ink layer; switching either way forgets the marks so far, and
    // turning it off takes the layer away. A layer that cannot be made is reported once through
    // OnLayerFailed, and the screen stands in until the display changes.
    bool KeepMarks() const { return keepMarks_; }
    void SetKeepMarks(bool keep);
    bool DrawsOnLayer() const { return surface_ == &layer_; }
    std::function<void()> OnLayerFailed;
    // Monitors came, went or changed: a layer that could not be made is tried again.
    void DisplayChanged();
    // The layer's newest ink is on its windows now, not when the thread is idle next.
    void PaintInkNow() { layer_.PaintNow(); }
    const TMarkHistory& History() const { return history_; }
    const TInkLayer& InkLayer() const { return layer_; }

    // Only one engine of a process polls: a thread timer hands its callback no context.
    void StartPollTimer();
    void StopPollTimer();

    void PollTick();
    // Screen points are physical pixels; the marker size is in 96-dpi pixels, so a pen keeps its
    // physical width on every monitor.
    void DrawLineTo(int x, int y);
    void FrameWindowAt(int x, int y);
    void MovePenTo(int x, int y);
    // A board of that colour over the monitor at the point, or, when one shows there, it goes
    // with the marks on it.
    void ToggleBoard(TColor colour, TPoint at);
    // The chord went up: the next piece begins the next mark, and the mark begins to wait when
    // marks vanish.
    void EndMark() override;
    // Marks vanish that many seconds after their chord went up: 0 (never), 2, 5 or 15.
    int VanishSeconds() const { return vanishing_.Seconds(); }
    void SetVanishSeconds(int seconds);
    // Takes away the marks whose time has come; the vanish timer calls it.
    void VanishDueMarks();

    bool DrawingEnabled() const { return drawingEnabled_; }
    // Off, the keyboard hook takes no key: the hotkey editor reads them.
    void SetDrawingEnabled(bool enabled);
    int MarkerSize() const { return markerSize_; }
    void SetMarkerSize(int size) { markerSize_ = size; }
    TColor MarkerColor() const { return markerColor_; }
    void SetMarkerColor(TColor color) { markerColor_ = color; }
    // Every shortcut, in the order of their table: the keyboard hook takes their keys at their
    // own press. The paint shortcut is held to draw; the laser's is held like it: a laser dot and
    // its trail follow the pointer, fading after. The others are asked for through OnShortcut.
    void SetShortcuts(const TShortcuts& shortcuts);
    TShortCut PaintShortcut() const { return shortcuts_[IndexOf(TShortcutCommand::Paint)]; }
    TShortCut LaserShortcut() const { return shortcuts_[IndexOf(TShortcutCommand::Laser)]; }
    // Paused, no shortcut but the pause's acts and no key is taken: the hold, the laser and the
    // spotlight are off, a text field closes.
    bool Paused() const { return paused_; }
    void SetPaused(bool paused);
    // The key-ups of the keys believed down went elsewhere (the session was locked, the secure
    // desktop came): whatever they held ends.
    void ForgetKeys();
    int LaserFadeMs() const { return presenter_.LaserFadeMs(); }
    void SetLaserFadeMs(int ms) { presenter_.SetLaserFadeMs(ms); }
    bool SpotlightOn() const { return presenter_.SpotlightOn(); }
    void ToggleSpotlight() { presenter_.ToggleSpotlight(); }
    int SpotlightDim() const { return presenter_.SpotlightDim(); }
    void SetSpotlightDim(int percent) { presenter_.SetSpotlightDim(percent); }
    // Laser, spotlight and ring are never in a picture of the screen: out of sight while one is
    // taken. True when something was hidden (its windows beneath repaint before the picture).
    bool HidePointerForCapture();
    void ShowPointerAfterCapture()
    {
        presenter_.Hide(false);
        capturing_ = false;
    }
    // A pointer that rests a second with the paint shortcut held shows a card of the hold's keys,
    // its lines from here, in the interface's language.
    bool ShowKeyHints() const { return showKeyHints_; }
    void SetShowKeyHints(bool show) { showKeyHints_ = show; }
    std::function<std::vector<std::wstring>()> KeyHintLines;
    // The keys held with the paint shortcut changed the pen's colour or size.
    std::function<void()> OnPenChanged;
    // A shortcut was pressed (the hook takes its keys from the system's hotkeys): its index in
    // the shortcuts' table.
    std::function<void(std::size_t index)> OnShortcut;
    // A hold began over a window whose process runs with more rights than Zelvora's: the system
    // does not show its keys to our hook.
    std::function<void(HWND window)> OnHoldOverElevatedWindow;
    // The longest a hook procedure took, and the longest the marking loop's timer waited, in
    // microseconds since the last call.
    long long TakeLongestHookMicros() { return session_.TakeLongestProcMicros(); }
    long long TakeLongestTickGapMicros() { return std::exchange(longestTickGap_, 0); }
    // How often the system dropped the hook and it was installed again.
    int HookReinstalls() const { return session_.Reinstalls(); }
    // A hold is on and the keys pressed during it are the hook's.
    bool Holding() const { return hold_.Held(); }
    // The window showing the shape being pulled out over the screen; null before the first.
    HWND ShapePreviewWindow() const { return screenPreview_ ? screenPreview_->Handle() : nullptr; }
    // The text field typed into, while one is open.
    HWND TextFieldWindow() const
    {
        return textField_ && textField_->IsOpen() ? textField_->Handle() : nullptr;
    }

private:
    static void CALLBACK PollTimerProc(HWND, UINT, UINT_PTR, DWORD) noexcept;
    static void CALLBACK VanishTimerProc(HWND, UINT, UINT_PTR, DWORD) noexcept;
    // One timer for the next mark due, none while none waits.
    void ScheduleVanishing();
    // The pen's width in the pixels of the monitor at a screen point.
    int PenWidthAt(int x, int y) const;
    TMarkPen PenAt(int x, int y) const;
    // The paint shortcut went down: the keyboard and the wheel are ours until it goes up.
    void BeginHold();
    // What the hook noted since the last tick, taken under its lock; the shortcuts it took run
    // after the tick.
    THoldTick TakeInput(POINT pointer, bool held, std::vector<std::size_t>& shortcuts);
    // The shortcuts the hook took since the last tick.
    void RunShortcuts(const std::vector<std::size_t>& shortcuts, bool held, TPoint pointer);
    void DrawLine(TPoint from, TPoint to) override;
    // A line to there, on the screen at the tick's end.
    void AddLineTo(int x, int y);
    void DrawCurve(std::span<const TPointF> points) override;
    void FrameAt(TPoint at) override { FrameWindowAt(at.X, at.Y); }
    void PreviewShape(TDrawingShape shape, TPoint from, TPoint to) override;
    IMarkSurface& PreviewSurface();
    void KeepShape() override;
    void DropMarkAtRest(bool frameToo) override;
    // A text asked for during the hold opens where the pointer was when the chord went up.
    void OpenText(TPoint at) override;
    void CloseTextField();
    bool ChordKeyDown() const;
    void Draw(TMarkPiece piece);
    // What the tick drew goes to the screen or the layer's windows at once.
    void FlushSurfaces();
    void TickPresenter(POINT pointer, bool paintHeld, bool laserHeld);
    void TickKeyHints(POINT pointer, bool paintHeld);
    // On the screen, marks where a window of ours went are drawn again once the windows beneath
    // have repainted.
    void RedrawUncovered(const TRect& area);
    // The marks the history's limits pushed out leave the surface too.
    void RemoveDropped();
    // A mark leaves the surface. On the screen the windows beneath repaint in their own time, and
    // a window system may put back more than was asked for (Wine copies a window's changed
    // bounding box): the mark being drawn is drawn again over the next ticks.
    void RemoveFromSurface(std::span<const TMark> gone);
    // On the screen: what a shape's preview window or the text field covered repaints when it
    // leaves, over the piece just kept there.
    void RedrawKeptOnScreen(const TMarkPiece& piece);

    const IMarkingOptions& options_;
    TMarkHistory history_;
    TScreenSurface screen_{history_};
    TInkLayer layer_;
    IMarkSurface* surface_ = &screen_;
    bool keepMarks_ = false;
    TScreenRedraws redraws_{screen_, history_};
    TVanishingInk vanishing_{history_};
    UINT_PTR vanishTimer_ = 0;
    TPoint penAt_;
    THold hold_;
    THoldSession session_;
    std::optional<TMarkPiece> preview_;
    std::unique_ptr<TPreviewLayer> screenPreview_;
    std::unique_ptr<TTextField> textField_;
    long long lastTickAt_ = 0, longestTickGap_ = 0;
    UINT_PTR pollTimer_ = 0;
    bool drawingEnabled_ = true;
    int markerSize_ = kDefaultMarkerSize;
    TColor markerColor_ = kDefaultMarkerColor;
    TShortcuts shortcuts_ = DefaultShortcuts();
    bool paused_ = false;
    TPresenterPointer presenter_{history_, session_};
    unsigned layerOrder_ = 0;  // the ink layer's order changes the presenter's pointer has seen
    bool showKeyHints_ = true;
    bool keysPressed_ = false;  // in the hold since the last tick
    bool capturing_ = false;    // a picture of the screen is being taken
    bool justHidden_ = false;   // a window of ours went this tick
    TKeyHintTimer keyHintTimer_;
    TKeyHintCard keyHints_;
};

}  // namespace zelvora
