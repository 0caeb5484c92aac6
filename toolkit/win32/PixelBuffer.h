// A 32-bit top-down bitmap in its own memory device context: GDI draws into it and its pixels
// are read and written in place (0x00RRGGBB, row after row).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "toolkit/win32/Handles.h"

namespace zelvora {

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
