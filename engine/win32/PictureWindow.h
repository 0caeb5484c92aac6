// A picture of our own above every window: a monitor's part of the ink layer or of the spotlight's
// dim, the laser's trail, the pen's ring. Top-most, click-through, never active, over the area it
// was opened for, and its pixels: per-pixel alpha where the desktop is composed, else showing the
// screen through a colour key (ink's edges mixed with the screen found beneath them), or one
// colour within a shape.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/InkPixels.h"
#include "engine/MarkHistory.h"
#include "engine/MarkInk.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/PixelBuffer.h"

namespace zelvora {

inline constexpr wchar_t kInkLayerClass[] = L"TZelvoraInkLayer";

// Per-pixel alpha where the desktop is composed, which on Windows 8 and later is always. The
// tests set ZELVORA_INK_ALPHA to take that path on a desktop that is not.
bool InkWithAlpha();

class TPictureWindow {
public:
    // Shown at once, all clear; null when the window or its pixels cannot be made.
    static std::unique_ptr<TPictureWindow> Open(const TRect& monitor, HWND owner, TColor key, bool alpha);
    // The hidden window that owns the panes: an owned window has no taskbar button, also where
    // the tool-window style is not enough (Wine); a hidden owner is never minimised, so neither
    // are the panes.
    static UniqueWindow MakeOwner();
    TPictureWindow(const TPictureWindow&) = delete;
    TPictureWindow& operator=(const TPictureWindow&) = delete;

    const TRect& Monitor() const { return monitor_; }
    HWND Handle() const { return window_.get(); }

    bool Alpha() const { return kind_ == TInkPixels::Premultiplied; }
    // Through a colour key: what the screen shows in the area where the pane is clear, the ground
    // that edges laid there next are mixed with.
    void KeepGround(const TRect& area, TColor key);
    // Within the clip (screen points), on the pixels, as part of the mark `ink` lays; shown at
    // the next Show.
    void Paint(const TMarkPiece& piece, const TRect& clip, TColor key, TMarkInk& ink);
    // Clear. Where the ground stays, what was found beneath before is kept for the next ink (a
    // preview taken away: the screen may show it a moment longer, and would be taken for the
    // ground) until ForgetKeptGround.
    void Fill(const TRect& area, TColor key, bool groundStays = false);
    void ForgetKeptGround() { groundStays_ = {}; }
    void ReplaceKey(TColor from, TColor to);
    // The window paints the area again as soon as the thread is idle.
    void Show(const TRect& area);
    // For a picture of the caller's own: premultiplied on the alpha path, else keyed.
    TPixelRows Pixels() const;
    // A picture painted premultiplied whichever the path: the window's own pixels with alpha, or
    // a picture of its own that ShowPicture turns into keyed pixels (at least half covered: the
    // colour; else the key).
    TPixelRows Picture();
    void ShowPicture(const TRect& area);
    // The pane's top left goes there with its pixels, at the next Show.
    void MoveTo(TPoint topLeft);
    // The whole pane that opaque (255: as its pixels say), from the next Show on.
    void SetOpacity(std::uint8_t opacity, TColor key);
    // Where the desktop is not composed, a picture of one colour with a shape costs no scan for
    // a colour key: the pane shows `colour` (at its opacity) within `shape` (pane points; taken
    // over) and nothing elsewhere.
    void ShowSolid(TColor colour, UniqueRegion shape);
    // The pane's own pixel: 0x00RRGGBB, premultiplied where partly covered on the alpha path.
    std::optional<std::uint32_t> InkAt(TPoint point, TColor key) const;

private:
    TPictureWindow(const TRect& monitor, TInkPixels kind) : monitor_(monitor), kind_(kind) {}
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    TPixelRows Rows() const;

    TRect monitor_;
    TInkPixels kind_;
    std::unique_ptr<TPixelBuffer> pixels_;
    std::vector<std::uint32_t> ground_;   // the key path's, made on first use
    std::vector<std::uint32_t> picture_;  // the key path's premultiplied picture, made on first use
    TColor key_ = 0;
    TRect cleared_;      // the key path's pixels cleared since the last paint
    TRect groundStays_;  // the key path's ground not to be read again
    std::uint8_t opacity_ = 255;
    bool solid_ = false;
    UniqueWindow window_;
};

}  // namespace zelvora
