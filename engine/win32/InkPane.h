// One monitor's part of the ink layer: a window above every other over that monitor, top-most,
// click-through, never active, and its pixels, which show the screen through a colour key.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "engine/InkPixels.h"
#include "engine/MarkHistory.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/PixelBuffer.h"

namespace zelvora {

inline constexpr wchar_t kInkLayerClass[] = L"TZelvoraInkLayer";

class TInkPane {
public:
    // Shown at once, all key; null when the window or its pixels cannot be made.
    static std::unique_ptr<TInkPane> Open(const TRect& monitor, HWND owner, TColor key);
    // The hidden window that owns the panes: an owned window has no taskbar button, also where
    // the tool-window style is not enough (Wine); a hidden owner is never minimised, so neither
    // are the panes.
    static UniqueWindow MakeOwner();
    TInkPane(const TInkPane&) = delete;
    TInkPane& operator=(const TInkPane&) = delete;

    const TRect& Monitor() const { return monitor_; }
    HWND Handle() const { return window_.get(); }

    // Within the clip (screen points), on the pixels; shown at the next Show.
    void Paint(const TMarkPiece& piece, const TRect& clip, TColor key);
    void Fill(const TRect& area, TColor key);
    void ReplaceKey(TColor from, TColor to);
    // The window paints the area again as soon as the thread is idle.
    void Show(const TRect& area);
    std::optional<std::uint32_t> InkAt(TPoint point, TColor key) const;

private:
    explicit TInkPane(const TRect& monitor) : monitor_(monitor) {}
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    TPixelRows Rows() const;

    TRect monitor_;
    std::unique_ptr<TPixelBuffer> pixels_;
    std::unique_ptr<TCanvas> canvas_;
    UniqueWindow window_;
};

}  // namespace zelvora
