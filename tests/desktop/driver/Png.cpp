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

std::optional<Image> ReadPng(const std::string& path)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return std::nullopt;
    png.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr)) return std::nullopt;
    Image image;
    image.Width = static_cast<int>(png.width), image.Height = static_cast<int>(png.height);
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        image.Pixels.push_back(rgba[i] | rgba[i + 1] << 8 | rgba[i + 2] << 16);  // 0x00BBGGRR
    return image;
}
}  // namespace zelvora::desktop
