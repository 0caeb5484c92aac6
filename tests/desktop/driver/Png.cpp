#include <png.h>

#include <cstdint>
#include <vector>

#include "Image.h"

namespace zelvora::desktop {

bool WritePng(const Image& image, const std::string& path)
{
    if (image.Width <= 0 || image.Height <= 0) return false;
    // Pixels are 0x00BBGGRR; the file gets 8-bit RGB.
    std::vector<std::uint8_t> rgb;
    rgb.reserve(image.Pixels.size() * 3);
    for (const std::uint32_t pixel : image.Pixels) {
        rgb.push_back(static_cast<std::uint8_t>(pixel));
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.Width);
    png.height = static_cast<png_uint_32>(image.Height);
    png.format = PNG_FORMAT_RGB;
    const bool written = png_image_write_to_file(&png, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
    png_image_free(&png);
    return written;
}

}  // namespace zelvora::desktop
