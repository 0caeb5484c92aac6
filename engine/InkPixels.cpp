#include "engine/InkPixels.h"

#include <algorithm>

namespace zelvora {

namespace {

constexpr std::uint32_t kRgb = 0xFFFFFF;  // a captured pixel's top byte is not colour

}  // namespace

std::vector<std::uint32_t> HighlighterInk(std::span<const std::uint32_t> screen,
                                          std::span<const std::uint32_t> layer,
                                          std::span<const std::uint32_t> shape, TColor pen, TColor key)
{
    const std::uint32_t penPixel = PixelOf(pen), keyPixel = PixelOf(key);
    const std::size_t count = std::min({screen.size(), layer.size(), shape.size()});
    std::vector<std::uint32_t> ink(count, TMarkPiece::kNoInk);
    for (std::size_t i = 0; i < count; ++i) {
        if ((shape[i] & kRgb) == 0) continue;
        const std::uint32_t seen = (layer[i] & kRgb) != keyPixel ? layer[i] & kRgb : screen[i] & kRgb;
        const std::uint32_t mixed = seen & penPixel;
        ink[i] = mixed == keyPixel ? mixed ^ 0x000100 : mixed;
    }
    return ink;
}

void StampInk(const TMarkPiece& piece, const TPixelRows& target, const TRect& clip)
{
    const TRect& kept = piece.PixelsRect;
    if (piece.Pixels.size() != static_cast<std::size_t>(kept.Width()) * std::max(kept.Height(), 0)) return;
    const TRect area = Intersection(Intersection(kept, clip), target.Area());
    for (int y = area.Top; y < area.Bottom; ++y) {
        const std::uint32_t* from = &piece.Pixels[static_cast<std::size_t>(y - kept.Top) * kept.Width()];
        std::uint32_t* to = target.Bits + static_cast<std::size_t>(y - target.Origin.Y) * target.Width;
        for (int x = area.Left; x < area.Right; ++x)
            if (from[x - kept.Left] != TMarkPiece::kNoInk) to[x - target.Origin.X] = from[x - kept.Left];
    }
}

void FillPixels(const TPixelRows& target, const TRect& area, std::uint32_t pixel)
{
    const TRect inside = Intersection(area, target.Area());
    for (int y = inside.Top; y < inside.Bottom; ++y) {
        std::uint32_t* row = target.Bits + static_cast<std::size_t>(y - target.Origin.Y) * target.Width;
        std::fill(row + (inside.Left - target.Origin.X), row + (inside.Right - target.Origin.X), pixel);
    }
}

void ReplacePixels(const TPixelRows& target, std::uint32_t from, std::uint32_t to)
{
    const std::size_t count = static_cast<std::size_t>(target.Width) * target.Height;
    for (std::size_t i = 0; i < count; ++i)
        if ((target.Bits[i] & kRgb) == from) target.Bits[i] = to;
}

}  // namespace zelvora
