// Marks drawn straight onto the screen's device context, over every window: they stay until
// something repaints beneath them.
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "engine/LaidPixels.h"
#include "engine/MarkInk.h"
#include "engine/MarkSurface.h"
#include "engine/win32/ScreenCapture.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/PixelBuffer.h"

namespace zelvora {

class TScreenSurface final : public IMarkSurface {
public:
    // What the surface keeps of the marks' pixels, to draw them again exactly; the oldest marks'
    // go first beyond it (they are drawn again with fresh ink).
    static constexpr std::size_t kMaxLaidBytes = std::size_t{64} << 20;

    // The history tells which mark is being drawn: another mark's going never takes it.
    explicit TScreenSurface(const TMarkHistory& marks) : marks_(marks) {}
    // Without the screen's device context nothing is drawn.
    void Acquire();
    void Release();

    // Laid at the next Flush, with every piece drawn until then: the marking loop flushes once a
    // tick.
    TMarkPiece Draw(TMarkPiece piece) override;
    void Flush();
    // The mark being drawn is done: the buffers that laid it go.
    void EndMark();
    bool KeepsMarks() const override { return false; }
    // The windows under the mark's pieces repaint, but not where the mark being drawn lies:
    // other marks there may go too.
    void Remove(std::span<const TMark> gone) override;
    // Exactly the pixels the mark had, wherever it was laid before.
    void DrawAgain(const TMark& mark) override { DrawAgain(mark, VirtualScreen()); }
    // Only within the clip (screen points).
    void DrawAgain(const TMark& mark, const TRect& clip);
    // Every window repaints over the marks; the canvas is taken anew.
    void Wipe() override;

    static void RepaintAllWindows();
    // Null for an empty area.
    static UniqueRegion RegionOf(const TMark& mark);

private:
    struct TInkedPiece {
        const TMarkPiece* Piece;
        TMarkInk* Ink;  // the mark's, laying it
        std::uint64_t Mark;
    };
    // Laid over what the screen shows there now, in order, within the clip (on the screen);
    // `live`: the mark being drawn.
    void Lay(std::span<const TInkedPiece> pieces, const TRect& clip, bool live);
    // The area read into a buffer (the scratch while a mark is drawn); null when it cannot be.
    TPixelBuffer* Read(const TRect& area, std::unique_ptr<TPixelBuffer>& buffer);
    // The area of the buffer (whose first pixel shows `origin`) goes to the screen; `runs` are
    // the pixels the ink changed.
    void Write(const TRect& area, TPixelBuffer& pixels, TPoint origin, const std::vector<TRect>& runs);
    TLaidPixels& LaidOf(std::uint64_t mark);
    void ForgetLaid(std::uint64_t mark);

    const TMarkHistory& marks_;
    WindowDc dc_;
    // The mark being drawn, as laid so far: drawn again, it gives the same pixels.
    std::optional<TMarkInk> live_;
    std::uint64_t liveMark_ = 0;
    std::vector<TMarkPiece> pending_;  // drawn since the last flush, all of the live mark
    // The screen takes a copy of the ink (not where Wine runs without a desktop of its own).
    bool copyChecked_ = false, fills_ = false;
    std::unique_ptr<TPixelBuffer> scratch_;  // while a mark is drawn
    std::unordered_map<std::uint64_t, TLaidPixels> laid_;
    std::deque<std::uint64_t> laidOrder_;  // oldest first
    std::size_t laidBytes_ = 0;
};

}  // namespace zelvora
