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
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    const HDC screen = GetDC(nullptr);
    const bool read =
        GetDIBits(screen, colour.get(), 0, height, pixels.data(), &format, DIB_RGB_COLORS) == height;
    UniqueBitmap grey;
    if (read) {
        for (std::uint32_t& pixel : pixels) {
            const std::uint32_t b = pixel & 0xFF, g = (pixel >> 8) & 0xFF, r = (pixel >> 16) & 0xFF;
            // Its brightness, lifted towards white: a faded grey, whatever the icon's alpha.
            const std::uint32_t luma = (r * 77 + g * 150 + b * 29) >> 8;
            const std::uint32_t faded = (luma + 2 * 192) / 3;
            pixel = (pixel & 0xFF000000u) | faded << 16 | faded << 8 | faded;
        }
        // A section of 32 bits keeps the icon's alpha, where a bitmap like the screen's may not.
        void* bits = nullptr;
        grey.reset(CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (grey && bits) std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    }
    ReleaseDC(nullptr, screen);
    if (!grey) return {};
    ICONINFO made{TRUE, 0, 0, mask.get(), grey.get()};
    return UniqueIcon(CreateIconIndirect(&made));
}

}  // namespace zelvora
