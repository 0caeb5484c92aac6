// How much of each pixel a mark's shape covers, 0 to 255: the edges of lines, frames and
// ellipses fall between pixels, and a pixel they cross takes the share of it they cover. Pure
// arithmetic, tested without a screen.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/Geometry.h"
#include "engine/MarkHistory.h"

namespace zelvora {

class TCoverage {
public:
    TCoverage() = default;
    // Nothing covered yet; the area (screen points) bounds what may be.
    explicit TCoverage(const TRect& area);

    const TRect& Area() const { return area_; }
    bool Empty() const { return IsEmpty(Touched()); }
    // Around every pixel covered at all.
    TRect Touched() const;
    std::uint8_t At(int x, int y) const;
    // The larger of what the pixel has and `amount`: shapes added are one shape.
    void Cover(int x, int y, std::uint8_t amount);
    // The pixels of a row that may be covered: [first, last).
    std::pair<int, int> RowSpan(int y) const;
    // A pixel of a buffer whose first one is the area's top left.
    std::uint8_t* Row(int y)
    {
        return alpha_.data() + static_cast<std::size_t>(y - area_.Top) * area_.Width();
    }
    const std::uint8_t* Row(int y) const
    {
        return alpha_.data() + static_cast<std::size_t>(y - area_.Top) * area_.Width();
    }
    // A row's span grows to take in [first, last) (after writing through Row).
    void Touch(int y, int first, int last);

private:
    TRect area_;
    std::vector<std::uint8_t> alpha_;
    std::vector<std::pair<int, int>> spans_;  // per row; empty when first >= last
};

// The share of a pixel (a unit square around its centre) on the inner side of a straight edge,
// `inside` being the signed distance from the pixel's centre to the edge (positive inside) and
// (nx, ny) the edge's unit normal. Exact for a straight edge.
double EdgeCoverage(double inside, double nx, double ny);

// A line `width` wide between two points (screen points, pixel centres at .5), round ends.
void CoverLine(TCoverage& coverage, TPointF from, TPointF to, double width);
// Lines through every point, joined round.
void CoverPath(TCoverage& coverage, std::span<const TPointF> points, double width);
// An ellipse inside `box`: its outline drawn with a pen centred on the ellipse, or filled out to
// the pen's outer edge.
void CoverEllipse(TCoverage& coverage, const TRect& box, int penWidth, bool filled);
// A rectangle's outline with a pen centred on its edges (corners square), or the rectangle filled
// together with that outline.
void CoverFrame(TCoverage& coverage, const TRect& box, int penWidth, bool filled);

// The piece's shape within `clip`: every kind but text, whose letters come from the system's fonts.
TCoverage CoverPiece(const TMarkPiece& piece, const TRect& clip);

// The point a pen of that width is centred on for a position: the pixel's centre for an odd
// width, its top left corner for an even one, so that level and upright lines cover whole pixels.
TPointF PenCentre(TPointF position, int width);

}  // namespace zelvora
