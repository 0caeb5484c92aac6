// On the screen, marks are drawn again where the windows beneath repainted over them: where a
// window of ours went (the card, the laser, the spotlight, a preview), and the mark being drawn
// after another mark's going. The windows beneath repaint in their own time, so the marks are
// drawn again every fifth tick for 300 ms; each time exactly as they were laid.
#pragma once

#include <optional>

#include "engine/MarkHistory.h"
#include "engine/win32/ScreenSurface.h"

namespace zelvora {

class TScreenRedraws {
public:
    TScreenRedraws(TScreenSurface& screen, const TMarkHistory& marks) : screen_(screen), marks_(marks) {}

    // Marks in the area.
    void Uncovered(const TRect& area);
    // The mark being drawn: a repaint beneath, for another mark's going, may take it too.
    void DrawingMark();
    // A shape or text kept on the screen, in place of the mark being drawn: its preview window
    // or the text field covered it, and repaints beneath as it goes.
    void Kept(const TMarkPiece& piece);
    // Once a tick; with `onScreen` false (the marks are on the layer) nothing is drawn.
    void Tick(bool onScreen);

private:
    TScreenSurface& screen_;
    const TMarkHistory& marks_;
    int ticks_ = 0;
    TRect area_;
    std::optional<TMarkPiece> kept_;
};

}  // namespace zelvora
