#include "engine/InkPixels.h"

#include <algorithm>

namespace zelvora {

namespace {

constexpr std::uint32_t kRgb = 0xFFFFFF;  // a captured pixel's top byte is not colour

}  // namespace

void KeepHighlighterGround(TMarkPiece& piece, std::span<const std::uint32_t> screen,
                           std::span<const std::uint32_t> shape, const TRect& area)
{
    piece.Runs.clear();
    piece.Pixels.clear();
    const std::size_t width = static_cast<std::size_t>(std::max(area.Width(), 0));
    if (width == 0 || std::min(screen.size(), shape.size()) < width * std::max(area.Height(), 0)) return;
    for (int y = area.Top; y < area.Bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y - area.Top) * width;
        for (std::size_t x = 0; x < width;) {
            if ((shape[row + x] & kRgb) == 0) {
                ++x;
                continue;
            }
            const std::size_t first = x;
            while (x < width && (shape[row + x] & kRgb) != 0)
                piece.Pixels.push_back(screen[row + x++] & kRgb);
            piece.Runs.push_back({area.Left + static_cast<int>(first), y, static_cast<int>(x - first)});
        }
    }
    piece.Runs.shrink_to_fit();
    piece.Pixels.shrink_to_fit();
}

std::vector<std::uint32_t> KeptGround(const TMarkPiece& piece, const TRect& area)
{
    std::vector<std::uint32_t> ground(
        static_cast<std::size_t>(std::max(area.Width(), 0)) * std::max(area.Height(), 0), kRgb);
    std::size_t kept = 0;
    for (const TMarkPiece::TRun& run : piece.Runs) kept += static_cast<std::size_t>(std::max(run.Length, 0));
    if (kept != piece.Pixels.size()) return ground;  // runs the pixels do not fill are not trusted
    std::size_t next = 0;
    for (const TMarkPiece::TRun& run : piece.Runs) {
        const std::size_t first = next;
        next += static_cast<std::size_t>(std::max(run.Length, 0));
        if (run.Y < area.Top || run.Y >= area.Bottom) continue;
        const int left = std::max(run.X, area.Left), right = std::min(run.X + run.Length, area.Right);
        for (int x = left; x < right; ++x)
            ground[static_cast<std::size_t>(run.Y - area.Top) * area.Width() + (x - area.Left)] =
                piece.Pixels[first + (x - run.X)];
    }
    return ground;
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
