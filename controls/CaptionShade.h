// The shaded picture of a caption band, computed pixel by pixel into a plain buffer; only putting
// it on the screen needs the window system.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "toolkit/Colors.h"

namespace zelvora {

enum class TShadeType {
    stNormal,
    stNoise,
    stDiagShade,
    stHShade,
    stVShade,
    stHBump,
    stVBump,
    stSoftBump,
    stHardBump,
    stLMetal,
    stRMetal,
    stIRadial,
    stORadial,
    stHShadeInv,
    stVShadeInv,
    stXPCaption,
    stBitmap,
    stBitmapRStretch,
    stBitmapLStretch
};
inline constexpr int kShadeTypeCount = 19;

class TShadeBitmap {
public:
    TShadeBitmap(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // 0x00BBGGRR; a point outside the picture reads as white.
    TColor Pixel(int x, int y) const;
    // Writes outside the picture are dropped, as the loops that run to W and H inclusive expect.
    void SetPixel(int x, int y, TColor color);
    const std::vector<TColor>& Pixels() const { return pixels_; }

private:
    int width_, height_;
    std::vector<TColor> pixels_;
};

struct TShadeSettings {
    TColor Color = 0;      // the caption's colour, system colours already resolved
    int ShadeLight = 255;  // used modulo 256
    std::uint8_t ShadeGrain = 32;
    int ShadeType = 0;  // TShadeType's ordinal; other values leave the white fill
    int Width = 0, Height = 0;
};

// Uniform integer in [0, n); 0 when n is 0. The program's is seeded from the clock.
using TShadeRandom = std::function<int(int n)>;
TShadeRandom ClockSeededRandom();

TShadeBitmap BuildShade(const TShadeSettings& settings, const TShadeRandom& random);

}  // namespace zelvora
