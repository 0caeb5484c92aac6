#include "engine/PointerPictures.h"

#include <algorithm>
#include <cmath>

namespace zelvora {

namespace {

std::uint32_t* PixelAt(const TPixelRows& rows, int x, int y)
{
    return rows.Bits + static_cast<std::size_t>(y - rows.Origin.Y) * rows.Width + (x - rows.Origin.X);
}

// The share of a pixel whose centre lies `d` from a circle of radius `r` that the disc covers:
// linear across the pixel, exact enough for a ring a few pixels wide.
double DiscShare(double d, double r)
{
    return std::clamp(r - d + 0.5, 0.0, 1.0);
}

std::uint8_t Byte(double share)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(share, 0.0, 1.0) * 255));
}

}  // namespace

TRect TSpotlightHole::Bounds() const
{
    if (!Circle) {
        constexpr int reach = kSpotlightFeather + 1;
        return {Box.Left - reach, Box.Top - reach, Box.Right + reach, Box.Bottom + reach};
    }
    const int reach = static_cast<int>(std::ceil(Radius)) + kSpotlightFeather + 1;
    const int x = static_cast<int>(std::floor(Centre.X)), y = static_cast<int>(std::floor(Centre.Y));
    return {x - reach, y - reach, x + reach + 1, y + reach + 1};
}

std::uint8_t TSpotlightHole::Darkness(int x, int y) const
{
    double outside = 0;
    const double px = x + 0.5, py = y + 0.5;
    if (Circle) {
        outside = std::hypot(px - Centre.X, py - Centre.Y) - Radius;
    } else {
        const double dx = std::max({Box.Left - px, 0.0, px - Box.Right});
        const double dy = std::max({Box.Top - py, 0.0, py - Box.Bottom});
        outside = std::hypot(dx, dy);
    }
    if (outside <= 0) return 0;
    return Byte(outside / kSpotlightFeather);
}

void PaintSpotlight(const TPixelRows& rows, const TRect& area, const TSpotlightHole& hole,
                    const TCoverage* lit)
{
    const TRect inside = Intersection(area, rows.Area());
    const TRect near = Intersection(inside, hole.Bounds());
    const TRect litArea = lit ? Intersection(inside, lit->Touched()) : TRect{};
    for (int y = inside.Top; y < inside.Bottom; ++y) {
        std::uint32_t* row = PixelAt(rows, 0, y);
        const bool nearRow = y >= near.Top && y < near.Bottom;
        const bool litRow = y >= litArea.Top && y < litArea.Bottom;
        for (int x = inside.Left; x < inside.Right; ++x) {
            unsigned dark = nearRow && x >= near.Left && x < near.Right ? hole.Darkness(x, y) : 255u;
            if (litRow && dark && x >= litArea.Left && x < litArea.Right)
                dark = dark * (255u - lit->At(x, y)) / 255u;
            row[x] = static_cast<std::uint32_t>(dark) << 24;
        }
    }
}

TRect LaserBounds(std::span<const TPointF> path, double width)
{
    if (path.empty()) return {};
    float left = path[0].X, right = path[0].X, top = path[0].Y, bottom = path[0].Y;
    for (const TPointF p : path) {
        left = std::min(left, p.X), right = std::max(right, p.X);
        top = std::min(top, p.Y), bottom = std::max(bottom, p.Y);
    }
    const int reach = static_cast<int>(std::ceil(width / 2)) + 2;
    return {static_cast<int>(std::floor(left)) - reach, static_cast<int>(std::floor(top)) - reach,
            static_cast<int>(std::ceil(right)) + reach + 1, static_cast<int>(std::ceil(bottom)) + reach + 1};
}

void LayLaser(const TPixelRows& rows, std::span<const TPointF> path, double width)
{
    const TRect area = Intersection(LaserBounds(path, width), rows.Area());
    if (IsEmpty(area)) return;
    // The soft edge is the whole width at half strength, the red two thirds of it, the core a third.
    TCoverage edge(area), red(area), core(area);
    CoverPath(edge, path, width);
    CoverPath(red, path, width * 2 / 3);
    CoverPath(core, path, width / 3);
    const TRect touched = edge.Touched();
    for (int y = touched.Top; y < touched.Bottom; ++y) {
        std::uint32_t* row = PixelAt(rows, 0, y);
        for (int x = touched.Left; x < touched.Right; ++x) {
            const unsigned alpha = std::max<unsigned>(edge.At(x, y) / 2, red.At(x, y));
            if (alpha == 0) continue;
            // Premultiplied: red as strong as the alpha, the core lightened towards pink-white.
            const unsigned light = core.At(x, y) * 200u / 255u;
            const std::uint32_t pixel = alpha << 24 | alpha << 16 | light << 8 | light;
            // Each channel the larger of the two: a trail crossing itself stays one trail.
            const std::uint32_t was = row[x];
            std::uint32_t joined = 0;
            for (int shift = 0; shift < 32; shift += 8)
                joined |= std::max(was >> shift & 0xFF, pixel >> shift & 0xFF) << shift;
            row[x] = joined;
        }
    }
}

TRect RingBounds(TPointF centre, double diameter)
{
    const int reach = static_cast<int>(std::ceil(diameter / 2)) + 2;
    const int x = static_cast<int>(std::floor(centre.X)), y = static_cast<int>(std::floor(centre.Y));
    return {x - reach, y - reach, x + reach + 1, y + reach + 1};
}

void PaintRing(const TPixelRows& rows, TPointF centre, double diameter, double thickness, TColor color)
{
    const TRect area = Intersection(RingBounds(centre, diameter), rows.Area());
    const double outer = diameter / 2, inner = std::max(outer - thickness, 0.0);
    const std::uint32_t rgb = PixelOf(color);
    for (int y = area.Top; y < area.Bottom; ++y) {
        std::uint32_t* row = PixelAt(rows, 0, y);
        for (int x = area.Left; x < area.Right; ++x) {
            const double d = std::hypot(x + 0.5 - centre.X, y + 0.5 - centre.Y);
            const unsigned a = Byte(DiscShare(d, outer) - (inner > 0 ? DiscShare(d, inner) : 0.0));
            std::uint32_t pixel = a << 24;
            for (int shift = 0; shift < 24; shift += 8) pixel |= ((rgb >> shift & 0xFF) * a / 255u) << shift;
            row[x] = pixel;
        }
    }
}

void KeyPremultiplied(const TPixelRows& from, const TPixelRows& to, const TRect& area, std::uint32_t key)
{
    const TRect inside = Intersection(Intersection(area, from.Area()), to.Area());
    for (int y = inside.Top; y < inside.Bottom; ++y) {
        const std::uint32_t* source = PixelAt(from, 0, y);
        std::uint32_t* target = PixelAt(to, 0, y);
        for (int x = inside.Left; x < inside.Right; ++x) {
            const std::uint32_t pixel = source[x];
            const unsigned alpha = pixel >> 24;
            if (alpha < 128) {
                target[x] = key;
                continue;
            }
            std::uint32_t rgb = 0;
            for (int shift = 0; shift < 24; shift += 8)
                rgb |= std::min(255u, ((pixel >> shift & 0xFF) * 255u + alpha / 2) / alpha) << shift;
            target[x] = rgb == key ? rgb ^ 1 : rgb;
        }
    }
}

}  // namespace zelvora
