// Marks kept on windows of their own above every other: one pane per monitor where ink lies,
// top-most, click-through, never active, in physical pixels, with per-pixel alpha where the
// desktop is composed and through a colour key where not. What they hold stays whatever repaints beneath, and
// they paint again from the mark history, so an undo takes exactly one mark away. A pane exists only while
// its monitor holds something; a piece that crosses monitors is drawn on each.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "engine/MarkSurface.h"
#include "engine/win32/MonitorPanes.h"
#include "engine/win32/PictureWindow.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

class TInkLayer final : public IMarkSurface {
public:
    // The largest pane tried: 1 GB of pixels, a monitor thirty times a 4K one.
    static constexpr std::size_t kMaxPixels = std::size_t{1} << 28;
    // The history is what the layer paints again from after an undo or a change of screens.
    explicit TInkLayer(const TMarkHistory& marks, std::size_t maxPixels = kMaxPixels)
        : marks_(marks), maxPixels_(maxPixels)
    {
    }
    TInkLayer(const TInkLayer&) = delete;
    TInkLayer& operator=(const TInkLayer&) = delete;

    TMarkPiece Draw(TMarkPiece piece) override;
    bool KeepsMarks() const override { return true; }
    void Remove(std::span<const TMark> gone) override;
    void Wipe() override { Close(); }
    void DrawAgain(const TMark& mark) override;
    // A pane or its pixels could not be made (a monitor too large for the memory): nothing is
    // tried again until Retry.
    bool Failed() const { return failed_; }
    void Retry() { failed_ = false; }
    // On every poll tick: a window activated or made top-most since may stand above the layer.
    // (Wine also raises a clicked window above every other in its X stacking.) Another
    // program's window that stays above after a raise is left there until the foreground
    // changes: two layers, or windows that keep themselves on top, would otherwise take turns
    // for as long as marks exist.
    void StayOnTop();
    // The layer's own pixel at a screen point (0x00RRGGBB); none where it shows the screen. The
    // test desktop's screen copies can lag behind a layered window, this never does.
    std::optional<std::uint32_t> InkAt(TPoint point) const;
    // The panes and their pixels go; the next piece makes them again.
    void Close();
    // After a change of monitors: panes follow their monitors, and marks on a monitor that went
    // come back when it returns.
    void FitScreens();
    // Counts every time a pane came to the top: what should stay above the layer goes up again.
    unsigned OrderChanges() const { return orderChanges_; }
    // The monitors that have a pane now.
    std::vector<TRect> Panes() const;
    // What was drawn since the last flush goes to the panes: one update per pane, of the
    // rectangle that changed. The marking loop flushes once a tick.
    void Flush();
    // Pending paints of every pane, at once.
    void PaintNow();
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
            layer_.previewing_ = true;
            piece = layer_.Draw(std::move(piece));
            layer_.previewing_ = false;
            return piece;
        }
        bool KeepsMarks() const override { return true; }
        void Remove(std::span<const TMark>) override { Wipe(); }
        // The ground found beneath the preview stays for the shape kept in its place.
        void Wipe() override
        {
            if (!IsEmpty(shown_)) layer_.Repaint(shown_, true);
            shown_ = {};
        }
        void DrawAgain(const TMark&) override {}

    private:
        TInkLayer& layer_;
        TRect shown_;
    };

    // The owner, the key and the monitors, before the first pane.
    bool Open();
    // The panes of the monitors the area touches, made where missing; false when one failed.
    bool OpenPanesOver(const TRect& area);
    TPictureWindow* OpenPane(const TRect& monitor);
    void Raise(HWND pane);
    // Stands above the layer and should not: any visible window but a menu, our own, another
    // copy's ink layer or one the system cloaks (shown nowhere).
    static bool Covers(HWND window);
    void KeepKeyOffPen(TColor pen);
    TMarkPiece Highlight(TMarkPiece piece);
    // Paints the area again from the history alone.
    void Repaint(const TRect& area, bool groundStays = false);
    // Laid as it was drawn: pieces of one pen in a row are one shape. `ink` is scratch, reused.
    void PaintMark(TPictureWindow& pane, const TMark& mark, const TRect& clip, TMarkInk& ink);
    void Show(const TRect& area);

    const TMarkHistory& marks_;
    std::size_t maxPixels_;
    TRect screens_;  // around every monitor
    TColor key_ = 0;
    bool alpha_ = false;
    // The mark being drawn, as laid so far: its next piece joins it.
    std::optional<TMarkInk> live_;
    TRect drawn_;  // since the last flush
    bool previewing_ = false;
    HWND foreground_ = nullptr;
    unsigned ticks_ = 0;
    int checksToRaiseAgain_ = 0;
    std::vector<HWND> raisedOver_;  // the windows the layer raised itself above since the foreground changed
    bool failed_ = false;
    unsigned orderChanges_ = 0;
    TMonitorPanes panes_;  // and their owner, there while marks are
    TPreview preview_{*this};
};

}  // namespace zelvora
