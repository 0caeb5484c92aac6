#include "base/DpiScaling.h"

#include <cstdint>
#include <cstdlib>

namespace zelvora {

int MulDivRounded(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long divisor = c;
    const long long magnitude = (std::llabs(product) + std::llabs(divisor) / 2) / std::llabs(divisor);
    return static_cast<int>((product < 0) != (divisor < 0) ? -magnitude : magnitude);
}

namespace {

int KnownDpi(int dpi)
{
    return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int ScaleToDpi(int value, int dpi)
{
    return ScaleBetweenDpi(value, dpi, kDesignDpi);
}

int ScaleBetweenDpi(int value, int toDpi, int fromDpi)
{
    toDpi = KnownDpi(toDpi), fromDpi = KnownDpi(fromDpi);
    if (toDpi == fromDpi) return value;
    return MulDivRounded(MulDivRounded(value, kDesignDpi, fromDpi), toDpi, kDesignDpi);
}

TRect ScaleRectToDpi(const TRect& rect, int dpi)
{
    return ScaleRectBetweenDpi(rect, dpi, kDesignDpi);
}

TRect ScaleRectBetweenDpi(const TRect& rect, int toDpi, int fromDpi)
{
    const int left = ScaleBetweenDpi(rect.Left, toDpi, fromDpi),
              top = ScaleBetweenDpi(rect.Top, toDpi, fromDpi);
    return {left, top, left + ScaleBetweenDpi(rect.Width(), toDpi, fromDpi),
            top + ScaleBetweenDpi(rect.Height(), toDpi, fromDpi)};
}

int ScaleFontHeight(int height, int dpi)
{
    return ScaleFontHeightBetweenDpi(height, dpi, kDesignDpi);
}

int ScaleFontHeightBetweenDpi(int height, int toDpi, int fromDpi)
{
    const int scaled = ScaleBetweenDpi(height, toDpi, fromDpi);
    if (scaled == 0 && height != 0) return height < 0 ? -1 : 1;
    return scaled;
}

int ScaleLineWidth(int width, int toDpi, int fromDpi)
{
    if (width <= 1) return width;
    const int scaled = ScaleBetweenDpi(width, toDpi, fromDpi);
    return scaled < 1 ? 1 : scaled;
}

int MarkerWidthAtDpi(int size, int dpi)
{
    const int width = ScaleToDpi(size, dpi);
    return width < 1 ? 1 : width;
}

TPoint PointFromPacked(unsigned long long packed)
{
    return {static_cast<std::int16_t>(packed & 0xFFFF), static_cast<std::int16_t>((packed >> 16) & 0xFFFF)};
}

}  // namespace zelvora
