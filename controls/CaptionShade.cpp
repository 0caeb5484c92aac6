#include "controls/CaptionShade.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <random>

namespace zelvora {

namespace {

constexpr int kDefaultWidth = 100;  // a zero-sized band is built at this size
constexpr int kDefaultHeight = 20;
constexpr int kMetalStrokes = 251;

struct Shader {
    int R, G, B, L;
    // The base colour scaled by v/255; each component keeps its low byte, as the RGB macro does.
    TColor S(int v) const
    {
        const auto byte = [](int c) { return static_cast<TColor>(static_cast<std::uint8_t>(c)); };
        return byte(R * v / 255) | (byte(G * v / 255) << 8) | (byte(B * v / 255) << 16);
    }
};

int Cubic(int t)
{
    return (t * t * t / 128) / 128;
}

void Fill(TShadeBitmap& bitmap, TColor color)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixel(x, y, color);
}

void Row(TShadeBitmap& bitmap, int y, TColor color, int w)
{
    for (int x = 0; x <= w; ++x) bitmap.SetPixel(x, y, color);
}

void Column(TShadeBitmap& bitmap, int x, TColor color, int h)
{
    for (int y = 0; y <= h; ++y) bitmap.SetPixel(x, y, color);
}

int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));  // the default rounding mode: halves to even
}

void Metal(TShadeBitmap& bitmap, const Shader& s, int w, int h, bool toTheRight, const TShadeRandom& random)
{
    for (int stroke = 0; stroke < kMetalStrokes; ++stroke) {
        const int a = random(w), b = random(h), n = random(std::min(w, h) / 2);
        const TColor color = s.S(s.L - random(40));
        for (int i = 0; i < n; ++i) {
            if (toTheRight) {
                if (a - i > 0 && b + i < h) bitmap.SetPixel(a - i, b + i, color);
                if (a + i < w && b - i > 0) bitmap.SetPixel(a + i, b - i, color);
            } else {
                if (a + i < w && b + i < h) bitmap.SetPixel(a + i, b + i, color);
                if (a - i > 0 && b - i > 0) bitmap.SetPixel(a - i, b - i, color);
            }
        }
    }
    for (int x = 0; x <= w; ++x)
        for (int y = 0; y <= h; ++y) {
            const int t = (s.L - BlueOf(bitmap.Pixel(x, y))) + x * 120 / w + y * 120 / h;
            bitmap.SetPixel(x, y, s.S(s.L - t / 2));
        }
}

}  // namespace

TShadeBitmap::TShadeBitmap(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), clWhite)
{
}

TColor TShadeBitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clWhite;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void TShadeBitmap::SetPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] =
        color;
}

TShadeRandom ClockSeededRandom()
{
    auto engine = std::make_shared<std::mt19937>(
        static_cast<std::mt19937::result_type>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return [engine](int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(*engine); };
}

TShadeBitmap BuildShade(const TShadeSettings& settings, const TShadeRandom& random)
{
    const int w = settings.Width > 0 ? settings.Width : kDefaultWidth;
    const int h = settings.Height > 0 ? settings.Height : kDefaultHeight;
    const Shader s{RedOf(settings.Color), GreenOf(settings.Color), BlueOf(settings.Color),
                   ((settings.ShadeLight % 256) + 256) % 256};
    TShadeBitmap bitmap(w, h);  // white
    const int L = s.L;

    switch (static_cast<TShadeType>(settings.ShadeType)) {
        case TShadeType::stNormal:
        case TShadeType::stXPCaption:
        case TShadeType::stBitmap:
        case TShadeType::stBitmapRStretch:
        case TShadeType::stBitmapLStretch:
            Fill(bitmap, settings.Color & 0x00FFFFFF);
            break;
        case TShadeType::stNoise:
            for (int x = 0; x <= w; ++x)
                for (int y = 0; y <= h; ++y)
                    bitmap.SetPixel(x, y, s.S(L - (random(settings.ShadeGrain) + 128) / 2));
            break;
        case TShadeType::stDiagShade:
            for (int x = 0; x <= w; ++x)
                for (int y = 0; y <= h; ++y) {
                    const int t = (L - BlueOf(bitmap.Pixel(x, y))) + x * 129 / w + y * 129 / h;
                    bitmap.SetPixel(x, y, s.S(L - t / 2));
                }
            break;
        case TShadeType::stHShade:
        case TShadeType::stHShadeInv:
            for (int x = 0; x <= w; ++x) {
                const int p = (w - x) * 239 / w;
                const TColor color = s.S(L - (p + 8) / 2);
                Column(bitmap, settings.ShadeType == static_cast<int>(TShadeType::stHShade) ? x : w - x,
                       color, h);
            }
            break;
        case TShadeType::stVShade:
        case TShadeType::stVShadeInv:
            for (int y = 0; y <= h; ++y) Row(bitmap, y, s.S(L - (y * 239 / h + 8) / 2), w);
            break;
        case TShadeType::stHBump:
            for (int x = 0; x <= w; ++x) {
                const int e = Cubic((w - x) * 255 / w - 127) * 120 / 128 + 128;
                Column(bitmap, x, s.S(L - e / 2), h);
            }
            break;
        case TShadeType::stVBump:
            for (int y = 0; y <= h; ++y) {
                const int e = Cubic(y * 255 / h - 127) * 120 / 128 + 128;
                Row(bitmap, y, s.S(L - e / 2), w);
            }
            break;
        case TShadeType::stSoftBump:
            for (int x = 0; x <= w; ++x)
                for (int y = 0; y <= h; ++y) {
                    const int e = std::clamp(
                        (Cubic(y * 255 / h - 127) + Cubic((w - x) * 255 / w - 127)) * 120 / 128 + 128, 8,
                        247);
                    bitmap.SetPixel(x, y, s.S(L - e / 2));
                }
            break;
        case TShadeType::stHardBump: {
            for (int y = 0; y <= h; ++y) {
                const int e = Cubic(y * 255 / h - 127) * 112 / 128 + 128;
                Row(bitmap, y, s.S(L - e / 2), w);
            }
            const int P = std::min(16, w / 6), Q = h * h / 4;
            // A bar too narrow or too low for rounded ends keeps its plain bump.
            if (P == 0 || Q == 0) break;
            for (int x = 0; x <= w; ++x)
                for (int y = 0; y <= h; ++y) {
                    const int dy = y - h / 2, dx = x - w / 2;
                    const int B = dy * dy * P / Q + w / 2 - P;
                    if (dx > B) bitmap.SetPixel(x, y, s.S(L - ((w - x) * 128 / P + 8) / 2));
                    if (dx + B < 0) bitmap.SetPixel(x, y, s.S(L - (247 - x * 128 / P) / 2));
                }
            break;
        }
        case TShadeType::stLMetal:
            Metal(bitmap, s, w, h, false, random);
            break;
        case TShadeType::stRMetal:
            Metal(bitmap, s, w, h, true, random);
            break;
        case TShadeType::stIRadial:
        case TShadeType::stORadial: {
            const bool inward = settings.ShadeType == static_cast<int>(TShadeType::stIRadial);
            const int K = w / 2, M = h / 2;
            const int D = RoundHalfEven(std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h));
            for (int x = 0; x <= K; ++x)
                for (int y = 0; y <= M; ++y) {
                    const int d =
                        RoundHalfEven(std::sqrt(static_cast<double>((x - K) * (x - K) + (y - M) * (y - M))));
                    const int v =
                        RoundHalfEven((inward ? static_cast<double>(D - d) : static_cast<double>(d)) / D * L);
                    const TColor color = s.S(v);
                    bitmap.SetPixel(x, y, color);
                    bitmap.SetPixel(w - x, h - y, color);
                    bitmap.SetPixel(w - x, y, color);
                    bitmap.SetPixel(x, h - y, color);
                }
            break;
        }
        default:
            break;  // not a shade: the white fill stays
    }
    return bitmap;
}

}  // namespace zelvora
