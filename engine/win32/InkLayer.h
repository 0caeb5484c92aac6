// Marks kept on a window of their own above every other: top-most, click-through, never active,
// over the whole virtual screen in physical pixels, showing the screen through a colour key. What
// it holds stays whatever repaints beneath it, and it paints again from the mark history, so an
// undo takes exactly one mark away. The window exists only while it holds something.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>

#include "engine/InkPixels.h"
#include "engine/MarkSurface.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/PixelBuffer.h"

namespace zelvora {

inline constexpr wchar_t kInkLayerClass[] = L"TZelvoraInkLayer";

class TInkLayer final : public IMarkSurface {
public:
    // The largest layer tried: 1 GB of pixels, a virtual screen of thirty 4K monitors.
    static constexpr std::size_t kMaxPixels = std::size_t{1} << 28;
    // The history is what the layer paints again from after an undo or a change of screens.
    explicit TInkLayer(const TMarkHistory& marks, std::size_t maxPixels = kMaxPixels)
        : marks_(marks), maxPixels_(maxPixels)
    {
    }
    TInkLayer(const TInkLayer&) = delete;
    TInkLayer& operator=(const TInkLayer&) = delete;

    HWND Handle() const { return window_.get(); }

    TMarkPiece Draw(TMarkPiece piece) override;
    bool KeepsMarks() const override { return true; }
    void Remove(const TMark& gone) override;
    void Wipe() override { Close(); }
    void DrawAgain(const TMark& mark) override;
    // The window or its pixels could not be made (a virtual screen too large for the memory):
    // nothing is tried again until Retry.
    bool Failed() const { return failed_; }
    void Retry() { failed_ = false; }
    // On every poll tick: a window activated or made top-most since may stand above the layer.
    // (Wine also raises a clicked window above every other in its X stacking.) Another
    // program's window that stays above after a raise is left there until the foreground
    // changes: two layers, or a window that keeps itself on top, would otherwise take turns
    // for as long as marks exist.
    void StayOnTop();
    // The layer's own pixel at a screen point (0x00RRGGBB); none where it shows the screen. The
    // test desktop's screen copies can lag behind a layered window, this never does.
    std::optional<std::uint32_t> InkAt(TPoint point) const;
    // The window and its pixels go; the next piece makes them again.
    void Close();
    // A shape being pulled out, drawn on the layer and not kept: each piece drawn replaces the
    // one before, and taking it away paints its area again from the history.
    IMarkSurface& Preview() { return preview_; }

private:
    class TPreview final : public IMarkSurface {
    public:
        explicit TPreview(TInkLayer& layer) : layer_(layer) {}
        TMarkPiece Draw(TMarkPiece piece) override
        {
            Wipe();
            shown_ = PieceBounds(piece);
            return layer_.Draw(std::move(piece));
        }
        bool KeepsMarks() const override { return true; }
        void Remove(const TMark&) override { Wipe(); }
        void Wipe() override
        {
            if (layer_.window_ && !IsEmpty(shown_)) layer_.Repaint(shown_);
            shown_ = {};
        }
        void DrawAgain(const TMark&) override {}

    private:
        TInkLayer& layer_;
        TRect shown_;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool Open();
    // After a change of monitors: the layer covers the new virtual screen and paints again.
    void FitScreens();
    // Within the largest layer tried.
    bool Fits(const TRect& screens) const;
    void Raise();
    // Stands above the layer and should not: any visible window but a menu, our own, another
    // copy's ink layer or one the system cloaks (shown nowhere).
    static bool Covers(HWND window);
    void KeepKeyOffPen(TColor pen);
    TMarkPiece Highlight(TMarkPiece piece);
    // Paints the area again from the history alone.
    void Repaint(const TRect& area);
    void Paint(const TMarkPiece& piece, const TRect& clip);
    void Show(const TRect& area);
    TPixelRows Rows() const;

    const TMarkHistory& marks_;
    std::size_t maxPixels_;
    TRect screens_;
    TColor key_ = 0;
    HWND foreground_ = nullptr;
    unsigned ticks_ = 0;
    int checksToRaiseAgain_ = 0;
    HWND raisedOver_ = nullptr;  // the last window the layer raised itself above
    bool failed_ = false;
    std::unique_ptr<TPixelBuffer> pixels_;
    std::unique_ptr<TCanvas> canvas_;
    // Never shown. An owned window has no taskbar button, also where the tool-window style is
    // not enough (Wine); a hidden owner is never minimised, so neither is the layer.
    UniqueWindow owner_;
    UniqueWindow window_;
    TPreview preview_{*this};
};

}  // namespace zelvora
