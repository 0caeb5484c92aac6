// Marks drawn straight onto the screen's device context, over every window: they stay until
// something repaints beneath them.
#pragma once

#include <windows.h>

#include <memory>

#include "engine/MarkSurface.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

class TScreenSurface final : public IMarkSurface {
public:
    // The history tells which mark is being drawn: another mark's going never takes it.
    explicit TScreenSurface(const TMarkHistory& marks) : marks_(marks) {}
    // Without a canvas nothing is drawn.
    void Acquire();
    void Release();

    TMarkPiece Draw(TMarkPiece piece) override;
    bool KeepsMarks() const override { return false; }
    // The windows under the mark's pieces repaint, but not where the mark being drawn lies:
    // other marks there may go too.
    void Remove(std::span<const TMark> gone) override;
    void DrawAgain(const TMark& mark) override;
    // Every window repaints over the marks; the canvas is taken anew.
    void Wipe() override;

    static void RepaintAllWindows();
    // Null for an empty area.
    static UniqueRegion RegionOf(const TMark& mark);

private:
    const TMarkHistory& marks_;
    WindowDc dc_;
    std::unique_ptr<TCanvas> canvas_;
};

}  // namespace zelvora
