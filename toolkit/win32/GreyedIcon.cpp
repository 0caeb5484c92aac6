#include "toolkit/win32/GreyedIcon.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zelvora {

UniqueIcon GreyedIcon(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    const UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP size{};
    if (!colour || !GetObjectW(colour.get(), sizeof size, &size)) return {};
    const int width = size.bmWidth, height = size.bmHeight;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height), cover(pixels.size());
    const HDC screen = GetDC(nullptr);
    const bool read =
        GetDIBits(screen, colour.get(), 0, height, pixels.data(), &format, DIB_RGB_COLORS) == height &&
        GetDIBits(screen, mask.get(), 0, height, cover.data(), &format, DIB_RGB_COLORS) == height;
    UniqueBitmap grey;
    if (read) {
        // An icon without an alpha channel says through its mask which pixels show.
        const bool alpha = std::any_of(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p >> 24; });
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const std::uint32_t pixel = pixels[i];
            const std::uint32_t b = pixel & 0xFF, g = (pixel >> 8) & 0xFF, r = (pixel >> 16) & 0xFF;
            // Its brightness, lifted towards white: a faded grey.
            const std::uint32_t luma = (r * 77 + g * 150 + b * 29) >> 8;
            const std::uint32_t faded = (luma + 2 * 192) / 3;
            const std::uint32_t shows = alpha ? pixel >> 24 : ((cover[i] & 0xFFFFFF) ? 0 : 255);
            pixels[i] = shows << 24 | faded << 16 | faded << 8 | faded;
        }
        // A plain bitmap of 32 bits a pixel, rows from the top: what the notification area
        // copies an icon into, alpha included.
        grey.reset(CreateBitmap(width, height, 1, 32, pixels.data()));
    }
    ReleaseDC(nullptr, screen);
    if (!grey) return {};
    ICONINFO made{TRUE, 0, 0, mask.get(), grey.get()};
    return UniqueIcon(CreateIconIndirect(&made));
}

}  // namespace zelvora
