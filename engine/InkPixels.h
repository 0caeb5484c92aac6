// The ink layer's pixel work, pure arithmetic over rows of 32-bit 0x00RRGGBB pixels (the layout
// of a device-independent bitmap), so that it is tested without a screen.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/Geometry.h"
#include "engine/MarkHistory.h"

namespace zelvora {

// A buffer of pixels whose first one shows the screen point `Origin`.
struct TPixelRows {
    std::uint32_t* Bits = nullptr;
    int Width = 0, Height = 0;
    TPoint Origin;
    TRect Area() const { return {Origin.X, Origin.Y, Origin.X + Width, Origin.Y + Height}; }
};

// 0x00BBGGRR as the window system's colours hold it, to 0x00RRGGBB.
constexpr std::uint32_t PixelOf(TColor color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// Keeps in the piece the screen's pixels where `shape` is lit (the piece drawn in white on
// black); both are rows over `area` (screen points).
void KeepHighlighterGround(TMarkPiece& piece, std::span<const std::uint32_t> screen,
                           std::span<const std::uint32_t> shape, const TRect& area);

// The highlighter's kept ground as rows over `area` (screen points); white where it kept none.
std::vector<std::uint32_t> KeptGround(const TMarkPiece& piece, const TRect& area);

// Fills the part of `area` (screen points) inside the buffer.
void FillPixels(const TPixelRows& target, const TRect& area, std::uint32_t pixel);

// Every pixel of one colour takes another: the layer changing its key.
void ReplacePixels(const TPixelRows& target, std::uint32_t from, std::uint32_t to);

}  // namespace zelvora
