// Laying one mark's ink into pixels by coverage. The mark remembers, pixel by pixel, how much of
// it its pieces covered and what the pixel held before it, so pieces that overlap make one shape
// (no darker joins, no edges that thicken as a stroke goes on), and a piece laid again gives the
// same pixels. Pure arithmetic, tested without a screen.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "engine/InkCoverage.h"
#include "engine/InkPixels.h"

namespace zelvora {

// What a buffer's pixels mean.
enum class TInkPixels {
    Opaque,         // the screen's own pixels, 0x00RRGGBB
    Keyed,          // a colour-keyed window's: the key shows the screen beneath
    Premultiplied,  // a window with per-pixel alpha: 0xAARRGGBB, colour already times alpha
};

struct TInkTarget {
    TPixelRows Rows;
    TInkPixels Kind = TInkPixels::Opaque;
    std::uint32_t Key = 0;  // Keyed: the pixel that shows the screen
    // Keyed: what the screen shows under the key, where a pixel is partly covered. The
    // highlighter: the screen it was drawn over. Rows over any area; none leaves edges hard.
    const TPixelRows* Ground = nullptr;
};

class TMarkInk {
public:
    // `mark` tells one mark from the next (TMark::Serial); a piece of another mark or pen needs
    // an ink of its own.
    TMarkInk(std::uint64_t mark, const TMarkPen& pen) : mark_(mark), pen_(pen) {}
    bool Lays(std::uint64_t mark, const TMarkPen& pen) const { return mark == mark_ && pen == pen_; }
    // Lays another mark from now on, as a new ink would, keeping the memory it took.
    void Reset(std::uint64_t mark, const TMarkPen& pen);

    // Where the coverage lies inside `clip`: the pen over what the pixel held before this mark,
    // as much as this mark covers it by now. The highlighter's pen is what a person saw there
    // ANDed with its colour.
    void Lay(const TCoverage& coverage, const TInkTarget& target, const TRect& clip);

private:
    static constexpr int kTileBits = 6, kTileSide = 1 << kTileBits;
    struct TTile {
        std::uint8_t Covered[kTileSide * kTileSide] = {};
        std::uint32_t Before[kTileSide * kTileSide];
        std::uint32_t Pen[kTileSide * kTileSide];
    };
    TTile& TileAt(int x, int y);
    std::uint32_t PenOver(std::uint32_t before, const TInkTarget& target, int x, int y) const;

    std::uint64_t mark_;
    TMarkPen pen_;
    std::unordered_map<std::uint64_t, std::unique_ptr<TTile>> tiles_;
    std::uint64_t lastKey_ = ~std::uint64_t{0};
    TTile* last_ = nullptr;
};

// Pen and what was there mixed by coverage (0 to 255), channel by channel, alpha too.
std::uint32_t MixPixels(std::uint32_t pen, std::uint32_t before, unsigned covered);

// The colour a ground pixel of a rows buffer has at a screen point; `fallback` outside it.
std::uint32_t GroundAt(const TPixelRows* ground, int x, int y, std::uint32_t fallback);

}  // namespace zelvora
