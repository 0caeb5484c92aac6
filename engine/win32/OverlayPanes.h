// A picture above every window: one pane per monitor it touches, top-most, click-through, never
// active, shown with per-pixel alpha where the desktop is composed and through a colour key
// where not. What the presenter's pointer shows; the caller paints premultiplied pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "engine/win32/MonitorPanes.h"
#include "engine/win32/PictureWindow.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

// Keyed overlays show what is not this colour; a picture's pixel of it is nudged off.
inline constexpr TColor kOverlayKey = 0x00FE01FF;

class TOverlayPanes {
public:
    // Paints one monitor's part of an area: the picture's pixels inside `area` are the painter's.
    using TPainter = std::function<void(const TPixelRows& picture, const TRect& area)>;

    TOverlayPanes() = default;
    TOverlayPanes(const TOverlayPanes&) = delete;
    TOverlayPanes& operator=(const TOverlayPanes&) = delete;

    // `area` (screen points) painted and shown; panes open over the monitors it touches, all
    // clear at first. False when a pane could not be made.
    bool Paint(const TRect& area, const TPainter& paint);
    // Only where panes already are.
    void Clear(const TRect& area);
    // The keyed path's cheaper picture of one colour: panes over every monitor `shown` touches
    // show black (at their opacity) exactly within it (screen points), nothing elsewhere.
    bool ShowOnly(HRGN shown);
    // Every pane that opaque (255: as its pixels say).
    void SetOpacity(std::uint8_t opacity);
    // Panes and their pixels go.
    void Close() { panes_.Close(); }
    bool Open() const { return !panes_.Empty(); }
    // Around the monitors that have a pane.
    TRect Area() const { return panes_.Area(); }
    // Out of sight a moment (a picture of the screen is taken), and back.
    void Hide(bool hidden) { panes_.Hide(hidden); }
    // Above every other top-most window, the ink layer's included.
    void Raise() { panes_.Raise(); }
    // The monitors as they are now; panes of monitors that changed go.
    void FitScreens();

private:
    TPictureWindow* PaneOf(const TRect& monitor);
    bool Prepare();

    bool alpha_ = false;
    std::uint8_t opacity_ = 255;
    TMonitorPanes panes_;
};

// One small window above every other, as large as what it shows: the pen's ring, moved with the
// pointer, and the laser's trail, grown with it. A whole monitor's picture at every move or
// every press would cost what the pointer never uses.
class TOverlayWindow {
public:
    TOverlayWindow() = default;
    TOverlayWindow(const TOverlayWindow&) = delete;
    TOverlayWindow& operator=(const TOverlayWindow&) = delete;

    // The window covers exactly `area` (screen points), all clear before the painter paints.
    bool Paint(const TRect& area, const TOverlayPanes::TPainter& paint);
    // The window grows to take in `area` (screen points), keeping what it shows, and the painter
    // adds to it there.
    bool PaintMore(const TRect& area, const TOverlayPanes::TPainter& paint);
    // The whole window that opaque (255: as its pixels say).
    void SetOpacity(std::uint8_t opacity);
    void Close();
    bool Open() const { return pane_ != nullptr; }
    TRect Area() const { return pane_ ? pane_->Monitor() : TRect{}; }
    // The window's own pixel at a screen point (0x00RRGGBB); none where it shows the screen.
    std::optional<std::uint32_t> InkAt(TPoint point) const
    {
        return pane_ ? pane_->InkAt(point, kOverlayKey) : std::nullopt;
    }
    void Hide(bool hidden);
    void Raise();

private:
    bool Prepare();
    // A window over `area`, clear; the old one's picture is copied where `keep` is set.
    bool OpenOver(const TRect& area, bool keep);

    bool alpha_ = false;
    std::uint8_t opacity_ = 255;
    UniqueWindow owner_;
    std::unique_ptr<TPictureWindow> pane_;
};

}  // namespace zelvora
