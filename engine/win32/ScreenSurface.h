// Marks drawn straight onto the screen's device context, over every window: they stay until
// something repaints beneath them.
#pragma once

#include <windows.h>

#include <optional>

#include "engine/MarkInk.h"
#include "engine/MarkSurface.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

class TScreenSurface final : public IMarkSurface {
public:
    // The history tells which mark is being drawn: another mark's going never takes it.
    explicit TScreenSurface(const TMarkHistory& marks) : marks_(marks) {}
    // Without the screen's device context nothing is drawn.
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
    // Laid over what the screen shows there now, as part of the mark `ink` lays.
    void Lay(const TMarkPiece& piece, TMarkInk& ink);

    const TMarkHistory& marks_;
    WindowDc dc_;
    // The mark being drawn, as laid so far: drawn again, it gives the same pixels.
    std::optional<TMarkInk> live_;
};

}  // namespace zelvora
