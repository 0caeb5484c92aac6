#include "toolkit/win32/PixelBuffer.h"

namespace zelvora {

TPixelBuffer::TPixelBuffer(int width, int height) : width_(width), height_(height)
{
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    dc_.reset(CreateCompatibleDC(nullptr));
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc_ || !bitmap_ || !bits) return;
    selection_ = std::make_unique<SelectedObject>(dc_.get(), bitmap_.get());
    bits_ = static_cast<std::uint32_t*>(bits);
}

}  // namespace zelvora
