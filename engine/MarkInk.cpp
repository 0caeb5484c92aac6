#include "engine/MarkInk.h"

#include <algorithm>

namespace zelvora {

namespace {

constexpr std::uint32_t kRgb = 0xFFFFFF, kOpaque = 0xFF000000;

}  // namespace

std::uint32_t MixPixels(std::uint32_t pen, std::uint32_t before, unsigned covered)
{
    if (covered >= 255) return pen;
    std::uint32_t mixed = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const unsigned p = (pen >> shift) & 0xFF, b = (before >> shift) & 0xFF;
        mixed |= ((p * covered + b * (255 - covered) + 127) / 255) << shift;
    }
    return mixed;
}

std::uint32_t GroundAt(const TPixelRows* ground, int x, int y, std::uint32_t fallback)
{
    if (!ground || x < ground->Origin.X || y < ground->Origin.Y || x >= ground->Origin.X + ground->Width ||
        y >= ground->Origin.Y + ground->Height)
        return fallback;
    return ground->Bits[static_cast<std::size_t>(y - ground->Origin.Y) * ground->Width +
                        (x - ground->Origin.X)] &
           kRgb;
}

void TMarkInk::Reset(std::uint64_t mark, const TMarkPen& pen)
{
    mark_ = mark;
    pen_ = pen;
    for (auto& [key, tile] : tiles_)
        std::fill(std::begin(tile->Covered), std::end(tile->Covered), std::uint8_t{0});
}

TMarkInk::TTile& TMarkInk::TileAt(int x, int y)
{
    const std::uint64_t key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(y >> kTileBits)) << 32) |
                              static_cast<std::uint32_t>(x >> kTileBits);
    if (key == lastKey_) return *last_;
    auto& tile = tiles_[key];
    if (!tile) tile = std::make_unique<TTile>();
    lastKey_ = key;
    last_ = tile.get();
    return *tile;
}

std::uint32_t TMarkInk::PenOver(std::uint32_t before, const TInkTarget& target, int x, int y) const
{
    const std::uint32_t pen = PixelOf(pen_.Color);
    const std::uint32_t alpha = target.Kind == TInkPixels::Premultiplied ? kOpaque : 0;
    if (!pen_.Highlighter) return pen | alpha;
    std::uint32_t seen = before & kRgb;
    if (target.Kind == TInkPixels::Premultiplied) {
        // Older ink, premultiplied, over the screen the highlighter was drawn on.
        const unsigned a = before >> 24;
        const std::uint32_t ground = GroundAt(target.Ground, x, y, kRgb);
        seen = 0;
        for (int shift = 0; shift < 24; shift += 8)
            seen |= std::min(255u, ((before >> shift) & 0xFF) +
                                       (((ground >> shift) & 0xFF) * (255 - a) + 127) / 255)
                    << shift;
    }
    return (seen & pen) | alpha;
}

void TMarkInk::Lay(const TCoverage& coverage, const TInkTarget& target, const TRect& clip)
{
    const TRect area = Intersection(Intersection(coverage.Area(), clip), target.Rows.Area());
    const bool keyed = target.Kind == TInkPixels::Keyed;
    for (int y = area.Top; y < area.Bottom; ++y) {
        const auto [first, last] = coverage.RowSpan(y);
        const int left = std::max(first, area.Left), right = std::min(last, area.Right);
        const std::uint8_t* covered = coverage.Row(y) - coverage.Area().Left;
        std::uint32_t* row = target.Rows.Bits +
                             static_cast<std::size_t>(y - target.Rows.Origin.Y) * target.Rows.Width -
                             target.Rows.Origin.X;
        for (int x = left; x < right; ++x) {
            if (covered[x] == 0) continue;
            TTile& tile = TileAt(x, y);
            const std::size_t i =
                static_cast<std::size_t>(y & (kTileSide - 1)) * kTileSide + (x & (kTileSide - 1));
            std::uint32_t& pixel = row[x];
            if (tile.Covered[i] == 0) {
                std::uint32_t before = target.Kind == TInkPixels::Premultiplied ? pixel : pixel & kRgb;
                if (keyed && before == target.Key) before = GroundAt(target.Ground, x, y, target.Key);
                tile.Before[i] = before;
                tile.Pen[i] = PenOver(before, target, x, y);
            }
            tile.Covered[i] = std::max(tile.Covered[i], covered[x]);
            std::uint32_t out;
            if (keyed && tile.Before[i] == target.Key)  // no ground known: the nearer of the two
                out = tile.Covered[i] >= 128 ? tile.Pen[i] : target.Key;
            else
                out = MixPixels(tile.Pen[i], tile.Before[i], tile.Covered[i]);
            if (target.Kind != TInkPixels::Premultiplied) out &= kRgb;
            const bool showsScreen = tile.Before[i] == target.Key && tile.Covered[i] < 128;
            if (keyed && out == target.Key && !showsScreen) out ^= 0x000100;  // no eye tells
            pixel = out;
        }
    }
}

}  // namespace zelvora
