// Draws the user's marks from a 10 ms poll of pointer and keyboard, through a drawing surface:
// the screen itself.
#pragma once

#include <windows.h>

#include <memory>

#include "base/ShortCut.h"
#include "engine/MarkerDefaults.h"
#include "engine/win32/ScreenSurface.h"

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

class TMarkingEngine {
public:
    explicit TMarkingEngine(const IMarkingOptions& options);
    ~TMarkingEngine();
    TMarkingEngine(const TMarkingEngine&) = delete;
    TMarkingEngine& operator=(const TMarkingEngine&) = delete;

    void AcquireDesktopCanvas();
    void ReleaseDesktopCanvas();
    static void RepaintAllWindows();
    void WipeMarks();

    // Only one engine of a process polls: a thread timer hands its callback no context.
    void StartPollTimer();
    void StopPollTimer();

    void PollTick();
    // Screen points are physical pixels; the marker size is in 96-dpi pixels, so a pen keeps its
    // physical width on every monitor.
    void DrawLineTo(int x, int y);
    void FrameWindowAt(int x, int y);
    void MovePenTo(int x, int y);

    bool DrawingEnabled() const { return drawingEnabled_; }
    void SetDrawingEnabled(bool enabled) { drawingEnabled_ = enabled; }
    int MarkerSize() const { return markerSize_; }
    void SetMarkerSize(int size) { markerSize_ = size; }
    TColor MarkerColor() const { return markerColor_; }
    void SetMarkerColor(TColor color) { markerColor_ = color; }
    TShortCut PaintShortcut() const { return paintShortcut_; }
    void SetPaintShortcut(TShortCut shortcut) { paintShortcut_ = shortcut; }

private:
    static void CALLBACK PollTimerProc(HWND, UINT, UINT_PTR, DWORD) noexcept;
    // The pen's width in the pixels of the monitor at a screen point.
    int PenWidthAt(int x, int y) const;

    const IMarkingOptions& options_;
    TScreenSurface screen_;
    IMarkSurface* surface_ = &screen_;
    UINT_PTR pollTimer_ = 0;
    bool drawingEnabled_ = true;
    int markerSize_ = kDefaultMarkerSize;
    TColor markerColor_ = kDefaultMarkerColor;
    TShortCut paintShortcut_ = kDefaultPaintShortcut;
};

}  // namespace zelvora
