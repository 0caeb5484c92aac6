// A 32-bit top-down bitmap in its own memory device context: GDI draws into it and its pixels
// are read and written in place (0x00RRGGBB, row after row).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "toolkit/win32/Handles.h"

namespace zelvora {

// Rows of 24-bit pixels as bitmaps and image files keep them: B, G, R, each row padded to 4 bytes.
inline std::size_t Bgr24Stride(int width)
{
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}
// One row of 0x00RRGGBB pixels (B, G, R, 0 in memory) as B, G, R.
inline void CopyAsBgr24(const std::uint32_t* from, int width, std::uint8_t* to)
{
    for (int x = 0; x < width; ++x, to += 3) {
        to[0] = static_cast<std::uint8_t>(from[x]);
        to[1] = static_cast<std::uint8_t>(from[x] >> 8);
        to[2] = static_cast<std::uint8_t>(from[x] >> 16);
    }
}

class TPixelBuffer {
public:
    // Every pixel starts black. Without memory for it the buffer is empty (false).
    TPixelBuffer(int width, int height);
    TPixelBuffer(const TPixelBuffer&) = delete;
    TPixelBuffer& operator=(const TPixelBuffer&) = delete;

    explicit operator bool() const { return bits_ != nullptr; }
    HDC Dc() const { return dc_.get(); }
    // GDI may still be drawing: GdiFlush() before reading or writing pixels after a GDI call.
    std::uint32_t* Bits() const { return bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_, height_;
    std::uint32_t* bits_ = nullptr;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    std::unique_ptr<SelectedObject> selection_;  // declared last: deselected first
};

}  // namespace zelvora
