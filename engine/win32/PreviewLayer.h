// The shape being pulled out, shown over the screen on a window of its own until it is kept:
// the screen itself holds only what is kept.
#pragma once

#include "engine/MarkSurface.h"
#include "engine/win32/ColourKeyedPopup.h"
#include "engine/win32/ScreenCapture.h"

namespace zelvora {

class TPreviewLayer final : public IMarkSurface {
public:
    // Shows this piece alone, in place of the one before: the window moves, it does not go.
    TMarkPiece Draw(TMarkPiece piece) override
    {
        popup_.Show(piece, Intersection(PieceBounds(piece), VirtualScreen()));
        return piece;
    }
    bool KeepsMarks() const override { return true; }
    void Remove(std::span<const TMark>) override { popup_.Hide(); }
    void Wipe() override { popup_.Hide(); }
    void DrawAgain(const TMark& mark) override
    {
        if (!mark.Pieces.empty()) Draw(mark.Pieces.back());
    }
    HWND Handle() const { return popup_.Handle(); }

private:
    TColourKeyedPopup popup_;
};

}  // namespace zelvora
