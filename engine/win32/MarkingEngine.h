// Draws the user's marks from a 10 ms poll of pointer and keyboard, through a drawing surface:
// the screen itself, or the ink layer that keeps them; remembers them mark by mark for undo.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "base/ShortCut.h"
#include "engine/DrawingKeys.h"
#include "engine/Hold.h"
#include "engine/KeyHints.h"
#include "engine/MarkHistory.h"
#include "engine/MarkerDefaults.h"
#include "engine/VanishingInk.h"
#include "engine/win32/DrawingKeyHook.h"
#include "engine/win32/InkLayer.h"
#include "engine/win32/KeyHintCard.h"
#include "engine/win32/PresenterPointer.h"
#include "engine/win32/PreviewLayer.h"
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
    void PaintInkNow() const { layer_.PaintNow(); }
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
    void SetDrawingEnabled(bool enabled) { drawingEnabled_ = enabled; }
    int MarkerSize() const { return markerSize_; }
    void SetMarkerSize(int size) { markerSize_ = size; }
    TColor MarkerColor() const { return markerColor_; }
    void SetMarkerColor(TColor color) { markerColor_ = color; }
    TShortCut PaintShortcut() const { return paintShortcut_; }
    void SetPaintShortcut(TShortCut shortcut) { paintShortcut_ = shortcut; }
    // Held like the paint shortcut: a laser dot and its trail follow the pointer, fading after.
    TShortCut LaserShortcut() const { return laserShortcut_; }
    void SetLaserShortcut(TShortCut shortcut) { laserShortcut_ = shortcut; }
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
    // Zelvora's other shortcuts, pressed while the paint shortcut is held: the hook takes their
    // keys from the system's hotkeys, so each is asked for by its index in `shortcuts`.
    void SetHoldShortcuts(std::vector<TShortCut> shortcuts) { holdShortcuts_ = std::move(shortcuts); }
    std::function<void(std::size_t index)> OnShortcut;
    // A hold began over a window whose process runs with more rights than Zelvora's: the system
    // does not show its keys to our hook.
    std::function<void(HWND window)> OnHoldOverElevatedWindow;
    // The longest a hook procedure took, and the longest the marking loop's timer waited, in
    // microseconds since the last call.
    long long TakeLongestHookMicros() { return input_.LongestProcMicros.exchange(0); }
    long long TakeLongestTickGapMicros() { return std::exchange(longestTickGap_, 0); }
    // How often the system dropped the hook and it was installed again.
    int HookReinstalls() const { return hookReinstalls_; }
    // A hold is on and the keys pressed during it are the hook's.
    bool Holding() const { return hook_ && hold_.Held(); }
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
    void EndHold();
    // What the hook noted since the last tick, taken under its lock.
    THoldTick TakeInput(POINT pointer, bool held);
    // The hook stays while keys pressed in the hold are still down or a text field is open.
    void RetireHook();
    // A key down that the hook never saw: the system dropped it.
    void CheckHook();
    // The keys whose state tells whether the hook saw them.
    static const std::vector<int>& WatchedKeys();
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
    static short KeyStateOutsideHold(int virtualKey, void* engine);
    void Draw(TMarkPiece piece);
    void TickPresenter(POINT pointer, bool paintHeld);
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
    void KeepDrawingMarkShown();
    // On the screen: what a shape's preview window or the text field covered repaints when it
    // leaves, over the piece just kept there.
    void RedrawKeptOnScreen(const TMarkPiece& piece);

    const IMarkingOptions& options_;
    TMarkHistory history_;
    TScreenSurface screen_{history_};
    TInkLayer layer_;
    IMarkSurface* surface_ = &screen_;
    bool keepMarks_ = false;
    int redrawTicks_ = 0;
    // Marks there are drawn again on the screen too: a window that covered them went.
    TRect redrawArea_;
    // Drawn again instead of the mark being drawn: a shape or text kept on the screen.
    std::optional<TMarkPiece> redrawPiece_;
    TVanishingInk vanishing_{history_};
    UINT_PTR vanishTimer_ = 0;
    TPoint penAt_;
    THold hold_;
    THookInput input_;
    std::unique_ptr<TDrawingKeyHook> hook_;
    int missedKeyTicks_ = 0;
    int hookReinstalls_ = 0;
    std::vector<TShortCut> holdShortcuts_;
    std::optional<TMarkPiece> preview_;
    std::unique_ptr<TPreviewLayer> screenPreview_;
    std::unique_ptr<TTextField> textField_;
    long long lastTickAt_ = 0, longestTickGap_ = 0;
    UINT_PTR pollTimer_ = 0;
    bool drawingEnabled_ = true;
    int markerSize_ = kDefaultMarkerSize;
    TColor markerColor_ = kDefaultMarkerColor;
    TShortCut paintShortcut_ = kDefaultPaintShortcut;
    TShortCut laserShortcut_ = kDefaultLaserShortcut;
    TPresenterPointer presenter_{history_};
    unsigned layerOrder_ = 0;  // the ink layer's order changes the presenter's pointer has seen
    bool showKeyHints_ = true;
    bool keysPressed_ = false;  // in the hold since the last tick
    bool capturing_ = false;    // a picture of the screen is being taken
    TKeyHintTimer keyHintTimer_;
    TKeyHintCard keyHints_;
};

}  // namespace zelvora
