#include "engine/SpotlightPainter.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace zelvora {

TSpotlightPainter::TRowOutline TSpotlightPainter::Row(const TSpotlightHole& hole, int y)
{
    constexpr int feather = kSpotlightFeather;
    if (!hole.Circle) {
        const TRect& box = hole.Box;
        TRowOutline row;
        if (y >= box.Top - feather - 1 && y < box.Bottom + feather + 1)
            row.OuterFirst = box.Left - feather - 1, row.OuterLast = box.Right + feather + 1;
        if (y > box.Top && y < box.Bottom - 1) row.InnerFirst = box.Left + 1, row.InnerLast = box.Right - 1;
        return row;
    }
    const int cx = static_cast<int>(std::floor(hole.Centre.X)),
              cy = static_cast<int>(std::floor(hole.Centre.Y));
    const float fx = hole.Centre.X - cx, fy = hole.Centre.Y - cy;
    const int reach = static_cast<int>(std::ceil(hole.Radius)) + feather + 2;
    if (hole.Radius != madeForRadius_ || fx != madeForX_ || fy != madeForY_) {
        madeForRadius_ = hole.Radius, madeForX_ = fx, madeForY_ = fy;
        circleRows_.assign(static_cast<std::size_t>(2 * reach + 1), {});
        for (int dy = -reach; dy <= reach; ++dy) {
            TRowOutline& row = circleRows_[static_cast<std::size_t>(dy + reach)];
            const double d = dy + 0.5 - fy;
            const double outer = hole.Radius + feather;
            if (std::abs(d) <= outer + 1) {
                const double half = std::sqrt(std::max(0.0, outer * outer - d * d));
                row.OuterFirst = static_cast<int>(std::floor(fx - half - 0.5)) - 1;
                row.OuterLast = static_cast<int>(std::ceil(fx + half - 0.5)) + 2;
            }
            if (std::abs(d) < hole.Radius) {
                const double half = std::sqrt(hole.Radius * hole.Radius - d * d);
                row.InnerFirst = static_cast<int>(std::ceil(fx - half + 0.5));
                row.InnerLast = static_cast<int>(std::floor(fx + half - 1.5)) + 1;
            }
        }
    }
    const int dy = y - cy;
    if (dy < -reach || dy > reach) return {};
    TRowOutline row = circleRows_[static_cast<std::size_t>(dy + reach)];
    row.OuterFirst += cx, row.OuterLast += cx, row.InnerFirst += cx, row.InnerLast += cx;
    return row;
}

void TSpotlightPainter::PaintRow(const TPixelRows& rows, int y, int first, int last,
                                 const TSpotlightHole& hole, const TRowOutline& outline, const TCoverage* lit)
{
    std::uint32_t* row = rows.Bits + static_cast<std::size_t>(y - rows.Origin.Y) * rows.Width;
    const std::uint8_t* litRow = nullptr;
    int litFirst = 0, litLast = 0;
    if (lit) {
        std::tie(litFirst, litLast) = lit->RowSpan(y);
        if (litFirst < litLast) litRow = lit->Row(y);
    }
    for (int x = first; x < last; ++x) {
        unsigned dark = 255;
        if (x >= outline.InnerFirst && x < outline.InnerLast)
            dark = 0;
        else if (x >= outline.OuterFirst && x < outline.OuterLast)
            dark = hole.Darkness(x, y);
        if (dark && litRow && x >= litFirst && x < litLast)
            dark = dark * (255u - litRow[x - lit->Area().Left]) / 255u;
        row[x - rows.Origin.X] = static_cast<std::uint32_t>(dark) << 24;
    }
    written_ += static_cast<std::uint64_t>(std::max(last - first, 0));
}

void TSpotlightPainter::Paint(const TPixelRows& rows, const TRect& area, const TSpotlightHole& hole,
                              const TCoverage* lit)
{
    const TRect inside = Intersection(area, rows.Area());
    for (int y = inside.Top; y < inside.Bottom; ++y)
        PaintRow(rows, y, inside.Left, inside.Right, hole, Row(hole, y), lit);
}

std::vector<TRowSpan> TSpotlightPainter::Changed(const TSpotlightHole& before, const TSpotlightHole& now)
{
    std::vector<TRowSpan> spans;
    const TRect rows = Union(before.Bounds(), now.Bounds());
    const auto add = [&](int y, int first, int last) {
        if (first < last) spans.push_back({y, first, last});
    };
    if (before.Circle && now.Circle &&
        (before.Radius != now.Radius ||
         before.Centre.X - std::floor(before.Centre.X) != now.Centre.X - std::floor(now.Centre.X) ||
         before.Centre.Y - std::floor(before.Centre.Y) != now.Centre.Y - std::floor(now.Centre.Y))) {
        // Another size: both squares, rather than the outline worked out anew on every row.
        for (int y = rows.Top; y < rows.Bottom; ++y) add(y, rows.Left, rows.Right);
        return spans;
    }
    for (int y = rows.Top - 1; y <= rows.Bottom; ++y) {
        const TRowOutline a = Row(before, y), b = Row(now, y);
        const bool aShown = a.OuterFirst < a.OuterLast, bShown = b.OuterFirst < b.OuterLast;
        if (!aShown && !bShown) continue;
        if (!aShown || !bShown) {
            const TRowOutline& shown = aShown ? a : b;
            add(y, shown.OuterFirst, shown.OuterLast);
            continue;
        }
        const int innerFirst = std::max(a.InnerFirst, b.InnerFirst);
        const int innerLast = std::min(a.InnerLast, b.InnerLast);
        const bool bothInner =
            a.InnerFirst < a.InnerLast && b.InnerFirst < b.InnerLast && innerFirst < innerLast;
        const int first = std::min(a.OuterFirst, b.OuterFirst), last = std::max(a.OuterLast, b.OuterLast);
        if (!bothInner) {
            // Two outlines apart on this row: each alone, not the screen between them.
            if (a.OuterLast < b.OuterFirst || b.OuterLast < a.OuterFirst) {
                add(y, a.OuterFirst, a.OuterLast);
                add(y, b.OuterFirst, b.OuterLast);
            } else {
                add(y, first, last);
            }
            continue;
        }
        // Lit through in both: those pixels stay as they are.
        add(y, first, innerFirst);
        add(y, innerLast, last);
    }
    return spans;
}

void TSpotlightPainter::PaintSpans(const TPixelRows& rows, const TRect& area, std::span<const TRowSpan> spans,
                                   const TSpotlightHole& hole, const TCoverage* lit)
{
    const TRect inside = Intersection(area, rows.Area());
    for (const TRowSpan& span : spans) {
        if (span.Y < inside.Top || span.Y >= inside.Bottom) continue;
        const int first = std::max(span.First, inside.Left), last = std::min(span.Last, inside.Right);
        if (first >= last) continue;
        PaintRow(rows, span.Y, first, last, hole, Row(hole, span.Y), lit);
    }
}

}  // namespace zelvora
