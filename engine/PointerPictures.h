// What the presenter's pointer shows, as premultiplied pixels (0xAARRGGBB): the laser's trail,
// the spotlight's dimmed screen with its hole, the ring showing the pen. Pure arithmetic, tested
// without a screen; the windows showing them are the platform's.
#pragma once

#include <cstdint>
#include <span>

#include "base/Geometry.h"
#include "engine/InkCoverage.h"
#include "engine/InkPixels.h"

namespace zelvora {

// How far the spotlight's hole fades into the dim, in pixels.
inline constexpr int kSpotlightFeather = 3;

// The lit part of the spotlight: a circle around the pointer or a control's rectangle. Pixels
// inside are lit exactly; the dim begins at its edge and is whole `kSpotlightFeather` beyond.
struct TSpotlightHole {
    bool Circle = true;
    TPointF Centre;
    double Radius = 0;
    TRect Box;

    // Around every pixel the hole or its feathered edge touches.
    TRect Bounds() const;
    // How dark the pixel is, 0 (lit) to 255 (dimmed fully).
    std::uint8_t Darkness(int x, int y) const;
    bool operator==(const TSpotlightHole&) const = default;
};

// The dim in `area`: black, its alpha the darkness, except where `lit` covers (the marks, which
// show undimmed); `lit` may be null.
void PaintSpotlight(const TPixelRows& rows, const TRect& area, const TSpotlightHole& hole,
                    const TCoverage* lit);

// The laser's trail through the points, `width` across: red with a bright core and a soft edge,
// joined with what the rows hold so that the trail crossing itself stays one.
void LayLaser(const TPixelRows& rows, std::span<const TPointF> path, double width);
// Around every pixel a trail through the points may touch.
TRect LaserBounds(std::span<const TPointF> path, double width);

// A ring `diameter` across to its outer edge, its line `thickness` wide, in `color` (0x00BBGGRR);
// what the rows held there is replaced.
void PaintRing(const TPixelRows& rows, TPointF centre, double diameter, double thickness, TColor color);
TRect RingBounds(TPointF centre, double diameter);

// Premultiplied pixels as a colour-keyed window shows them: a pixel at least half covered is its
// colour, opaque (never the key), any other is the key. Over the part of `area` inside both.
void KeyPremultiplied(const TPixelRows& from, const TPixelRows& to, const TRect& area, std::uint32_t key);

}  // namespace zelvora
