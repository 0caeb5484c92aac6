// A screen grab: pixels as 0x00BBGGRR, the colour layout of the program's TColor.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvora::desktop {

struct Image {
    int Left = 0, Top = 0, Width = 0, Height = 0;  // in screen coordinates
    std::vector<std::uint32_t> Pixels;             // row by row

    bool operator==(const Image&) const = default;

    bool Contains(int x, int y) const
    {
        return x >= Left && y >= Top && x < Left + Width && y < Top + Height;
    }
    std::uint32_t At(int x, int y) const
    {
        return Pixels[static_cast<std::size_t>(y - Top) * static_cast<std::size_t>(Width) +
                      static_cast<std::size_t>(x - Left)];
    }
};

// Writes an RGB PNG (stored deflate blocks: large but dependency-free). False on I/O failure.
bool WritePng(const Image& image, const std::string& path);
// Reads a PNG whole; nothing when it cannot be read (missing, being written, broken). The
// image's Left and Top are 0: place it with them where it shows a part of the screen.
std::optional<Image> ReadPng(const std::string& path);

}  // namespace zelvora::desktop
