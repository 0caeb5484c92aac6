#include "engine/InkCoverage.h"

#include <algorithm>
#include <cmath>

namespace zelvora {

namespace {

// No straight edge farther than this from a pixel's centre crosses the pixel.
constexpr double kHalfDiagonal = 0.7072;

std::uint8_t ToByte(double share)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(share, 0.0, 1.0) * 255));
}

// Covered between two parallel edges `half` either side of the centre line: exact for a band.
double BandCoverage(double half, double offset, double nx, double ny)
{
    return std::max(0.0, EdgeCoverage(half - offset, nx, ny) + EdgeCoverage(half + offset, nx, ny) - 1);
}

TPointF Centred(TPoint position, int width)
{
    return PenCentre({static_cast<float>(position.X), static_cast<float>(position.Y)}, width);
}

}  // namespace

TCoverage::TCoverage(const TRect& area)
    : area_(IsEmpty(area) ? TRect{} : area),
      alpha_(static_cast<std::size_t>(area_.Width()) * area_.Height(), 0),
      spans_(static_cast<std::size_t>(area_.Height()), {0, 0})
{
}

TRect TCoverage::Touched() const
{
    TRect touched;
    for (int y = area_.Top; y < area_.Bottom; ++y) {
        const auto [first, last] = spans_[y - area_.Top];
        if (first < last) touched = Union(touched, {first, y, last, y + 1});
    }
    return touched;
}

std::uint8_t TCoverage::At(int x, int y) const
{
    if (x < area_.Left || x >= area_.Right || y < area_.Top || y >= area_.Bottom) return 0;
    return Row(y)[x - area_.Left];
}

void TCoverage::Cover(int x, int y, std::uint8_t amount)
{
    if (amount == 0 || x < area_.Left || x >= area_.Right || y < area_.Top || y >= area_.Bottom) return;
    std::uint8_t& pixel = Row(y)[x - area_.Left];
    pixel = std::max(pixel, amount);
    Touch(y, x, x + 1);
}

std::pair<int, int> TCoverage::RowSpan(int y) const
{
    if (y < area_.Top || y >= area_.Bottom) return {0, 0};
    return spans_[y - area_.Top];
}

void TCoverage::Touch(int y, int first, int last)
{
    first = std::max(first, area_.Left), last = std::min(last, area_.Right);
    if (y < area_.Top || y >= area_.Bottom || first >= last) return;
    auto& span = spans_[y - area_.Top];
    span = span.first < span.second ? std::pair{std::min(span.first, first), std::max(span.second, last)}
                                    : std::pair{first, last};
}

double EdgeCoverage(double inside, double nx, double ny)
{
    const double a = std::max(std::abs(nx), std::abs(ny)), b = std::min(std::abs(nx), std::abs(ny));
    const double reach = (a + b) / 2;  // how far the square stretches along the normal
    if (inside >= reach) return 1;
    if (inside <= -reach) return 0;
    if (std::abs(inside) <= (a - b) / 2) return 0.5 + inside / a;
    // The edge cuts a corner off: a triangle.
    const double t = reach - std::abs(inside);
    const double corner = t * t / (2 * a * b);
    return inside > 0 ? 1 - corner : corner;
}

TPointF PenCentre(TPointF position, int width)
{
    const float shift = std::max(width, 1) % 2 == 1 ? 0.5f : 0.0f;
    return {position.X + shift, position.Y + shift};
}

void CoverLine(TCoverage& coverage, TPointF from, TPointF to, double width)
{
    const double half = std::max(width, 1.0) / 2, reach = half + 1;
    const double ax = from.X, ay = from.Y, dx = to.X - ax, dy = to.Y - ay;
    const double length2 = dx * dx + dy * dy, length = std::sqrt(length2);
    const double nx = length > 0 ? -dy / length : 0, ny = length > 0 ? dx / length : 1;
    const TRect& area = coverage.Area();
    const int top = std::max(area.Top, static_cast<int>(std::floor(std::min(ay, ay + dy) - reach)));
    const int bottom = std::min(area.Bottom, static_cast<int>(std::ceil(std::max(ay, ay + dy) + reach)) + 1);
    for (int y = top; y < bottom; ++y) {
        const double cy = y + 0.5;
        // The part of the line within reach of this row, widened by the reach.
        double t0 = 0, t1 = 1;
        if (dy != 0) {
            t0 = (cy - reach - ay) / dy, t1 = (cy + reach - ay) / dy;
            if (t0 > t1) std::swap(t0, t1);
            t0 = std::max(t0, 0.0), t1 = std::min(t1, 1.0);
            if (t0 > t1) continue;
        } else if (std::abs(cy - ay) > reach) {
            continue;
        }
        const double x0 = ax + dx * t0, x1 = ax + dx * t1;
        const int left = std::max(area.Left, static_cast<int>(std::floor(std::min(x0, x1) - reach)));
        const int right = std::min(area.Right, static_cast<int>(std::ceil(std::max(x0, x1) + reach)) + 1);
        std::uint8_t* row = coverage.Row(y);
        for (int x = left; x < right; ++x) {
            const double px = x + 0.5 - ax, py = cy - ay;
            const double t = length2 > 0 ? (px * dx + py * dy) / length2 : -1;
            double share;
            if (t > 0 && t < 1) {
                const double offset = std::abs(px * nx + py * ny);
                // Most pixels lie wholly inside or outside: no edge crosses them.
                if (offset >= half + kHalfDiagonal) continue;
                share = offset <= half - kHalfDiagonal ? 1 : BandCoverage(half, offset, nx, ny);
            } else {
                // A round end: the circle's edge is near enough straight at a pixel's scale.
                const double ex = t <= 0 ? px : px - dx, ey = t <= 0 ? py : py - dy;
                const double distance = std::sqrt(ex * ex + ey * ey);
                if (distance >= half + kHalfDiagonal) continue;
                share = distance <= half - kHalfDiagonal ? 1
                        : distance > 0 ? EdgeCoverage(half - distance, ex / distance, ey / distance)
                                       : EdgeCoverage(half, 1, 0);
            }
            const std::uint8_t amount = ToByte(share);
            std::uint8_t& pixel = row[x - area.Left];
            if (amount > pixel) pixel = amount;
        }
        coverage.Touch(y, left, right);
    }
}

void CoverPath(TCoverage& coverage, std::span<const TPointF> points, double width)
{
    if (points.size() == 1) CoverLine(coverage, points[0], points[0], width);
    for (std::size_t i = 1; i < points.size(); ++i) CoverLine(coverage, points[i - 1], points[i], width);
}

void CoverEllipse(TCoverage& coverage, const TRect& box, int penWidth, bool filled)
{
    // The ellipse runs through the box's outer pixels, as the system draws it.
    const TPointF corner = Centred({box.Left, box.Top}, penWidth);
    const double rx = (box.Width() - 1) / 2.0, ry = (box.Height() - 1) / 2.0;
    const double cx = corner.X + rx, cy = corner.Y + ry;
    const double half = std::max(penWidth, 1) / 2.0;
    if (rx < 0.5 || ry < 0.5) {
        CoverLine(coverage, {static_cast<float>(cx - rx), static_cast<float>(cy - ry)},
                  {static_cast<float>(cx + rx), static_cast<float>(cy + ry)}, std::max(penWidth, 1));
        return;
    }
    const TRect& area = coverage.Area();
    const int top = std::max(area.Top, static_cast<int>(std::floor(cy - ry - half - 1)));
    const int bottom = std::min(area.Bottom, static_cast<int>(std::ceil(cy + ry + half + 1)) + 1);
    const int left = std::max(area.Left, static_cast<int>(std::floor(cx - rx - half - 1)));
    const int right = std::min(area.Right, static_cast<int>(std::ceil(cx + rx + half + 1)) + 1);
    for (int y = top; y < bottom; ++y) {
        std::uint8_t* row = coverage.Row(y);
        const double py = y + 0.5 - cy;
        for (int x = left; x < right; ++x) {
            const double px = x + 0.5 - cx;
            // The distance to the ellipse to first order: its level set's value over its slope.
            const double u = std::sqrt(px * px / (rx * rx) + py * py / (ry * ry));
            const double gx = px / (rx * rx), gy = py / (ry * ry), slope = std::hypot(gx, gy);
            double share;
            if (slope == 0) {
                share = filled || half >= std::min(rx, ry) ? 1 : 0;
            } else {
                const double outside = (u - 1) * u / slope, nx = gx / slope, ny = gy / slope;
                share = filled ? EdgeCoverage(half - outside, nx, ny) : BandCoverage(half, outside, nx, ny);
            }
            const std::uint8_t amount = ToByte(share);
            std::uint8_t& pixel = row[x - area.Left];
            if (amount > pixel) pixel = amount;
        }
        coverage.Touch(y, left, right);
    }
}

void CoverFrame(TCoverage& coverage, const TRect& box, int penWidth, bool filled)
{
    if (IsEmpty(box)) return;
    if (filled) {
        const TRect inside = Intersection(box, coverage.Area());
        for (int y = inside.Top; y < inside.Bottom; ++y) {
            std::fill(coverage.Row(y) + (inside.Left - coverage.Area().Left),
                      coverage.Row(y) + (inside.Right - coverage.Area().Left), std::uint8_t{255});
            coverage.Touch(y, inside.Left, inside.Right);
        }
        if (penWidth <= 1) return;  // a filled control: the box alone
    }
    // The pen is centred on the outer pixels of the box, round at the corners.
    const TPointF corners[] = {
        Centred({box.Left, box.Top}, penWidth), Centred({box.Right - 1, box.Top}, penWidth),
        Centred({box.Right - 1, box.Bottom - 1}, penWidth), Centred({box.Left, box.Bottom - 1}, penWidth),
        Centred({box.Left, box.Top}, penWidth)};
    CoverPath(coverage, corners, std::max(penWidth, 1));
}

TCoverage CoverPiece(const TMarkPiece& piece, const TRect& clip)
{
    using TKind = TMarkPiece::TKind;
    TCoverage coverage(Intersection(PieceBounds(piece), clip));
    if (coverage.Area().Width() == 0) return coverage;
    const int width = std::max(piece.Pen.Width, 1);
    switch (piece.Kind) {
        case TKind::Line:
            if (piece.Path.empty()) {
                CoverLine(coverage, Centred(piece.From, width), Centred(piece.To, width), width);
            } else {
                std::vector<TPointF> centred;
                centred.reserve(piece.Path.size());
                for (const TPointF& p : piece.Path) centred.push_back(PenCentre(p, width));
                CoverPath(coverage, centred, width);
            }
            break;
        case TKind::Arrow: {
            const auto [left, right] = ArrowBarbs(piece.From, piece.To, width);
            const TPointF head = Centred(piece.From, width);
            CoverLine(coverage, Centred(piece.To, width), head, width);
            CoverLine(coverage, Centred(left, width), head, width);
            CoverLine(coverage, Centred(right, width), head, width);
            break;
        }
        case TKind::Frame:
            CoverFrame(coverage, piece.Frame.Bounds, piece.Frame.PenWidth,
                       piece.Frame.Brush != TBrushStyle::bsClear);
            break;
        case TKind::Ellipse:
            CoverEllipse(coverage, piece.Frame.Bounds, piece.Frame.PenWidth,
                         piece.Frame.Brush != TBrushStyle::bsClear);
            break;
        case TKind::Text:
            break;
        case TKind::Board: {
            const TRect& area = coverage.Area();
            for (int y = area.Top; y < area.Bottom; ++y) {
                std::fill_n(coverage.Row(y), area.Width(), std::uint8_t{255});
                coverage.Touch(y, area.Left, area.Right);
            }
            break;
        }
    }
    return coverage;
}

}  // namespace zelvora
