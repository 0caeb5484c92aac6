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

// Paints a highlighter piece into the buffer, inside `clip` (screen points) only: what a person
// sees there ANDed with the pen, which is the buffer's older ink where it has some, the kept
// screen where it shows the key. Ink that would come out as the key is moved off it by one step
// of green, which no eye tells.
void StampInk(const TMarkPiece& piece, const TPixelRows& target, const TRect& clip, TColor key);

// Fills the part of `area` (screen points) inside the buffer.
void FillPixels(const TPixelRows& target, const TRect& area, std::uint32_t pixel);

// Every pixel of one colour takes another: the layer changing its key.
void ReplacePixels(const TPixelRows& target, std::uint32_t from, std::uint32_t to);

}  // namespace zelvora
