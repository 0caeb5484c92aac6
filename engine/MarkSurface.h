// Where the marking loop's lines and frames go: one small interface, so that the loop stays one
// loop whether it draws on the screen or on a layer that keeps what it draws.
#pragma once

#include <span>

#include "engine/MarkHistory.h"

namespace zelvora {

class IMarkSurface {
public:
    // Draws a line or a frame; returns the piece as the history keeps it (the layer adds the
    // highlighter's pixels).
    virtual TMarkPiece Draw(TMarkPiece piece) = 0;
    // A surface that keeps its marks need not draw the same piece again on every tick; the
    // screen does, since a repaint beneath may have taken it.
    virtual bool KeepsMarks() const = 0;
    // The marks are no longer in the history; what they covered shows again, repainted once
    // however many went.
    virtual void Remove(std::span<const TMark> gone) = 0;
    // Every mark goes.
    virtual void Wipe() = 0;
    // A mark the history holds again (after a wipe is undone) shows again.
    virtual void DrawAgain(const TMark& mark) = 0;

protected:
    ~IMarkSurface() = default;
};

}  // namespace zelvora
