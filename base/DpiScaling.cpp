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

int ScaleToDpi(int value, int dpi)
{
    return MulDivRounded(value, dpi > 0 ? dpi : kDesignDpi, kDesignDpi);
}

TRect ScaleRectToDpi(const TRect& rect, int dpi)
{
    const int left = ScaleToDpi(rect.Left, dpi), top = ScaleToDpi(rect.Top, dpi);
    return {left, top, left + ScaleToDpi(rect.Width(), dpi), top + ScaleToDpi(rect.Height(), dpi)};
}

int ScaleFontHeight(int height, int dpi)
{
    const int scaled = ScaleToDpi(height, dpi);
    if (scaled == 0 && height != 0) return height < 0 ? -1 : 1;
    return scaled;
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
