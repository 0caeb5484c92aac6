// The virtual screen, and copies of it as a person sees it.
#pragma once

#include <memory>
#include <vector>

#include "base/Geometry.h"
#include "toolkit/win32/PixelBuffer.h"

namespace zelvora {

// Every monitor, in physical pixels.
TRect VirtualScreen();
// Each monitor's own rectangle, the primary first.
std::vector<TRect> MonitorRects();

struct TScreenCopy {
    TRect Bounds;  // where on the virtual screen the pixels lie
    std::unique_ptr<TPixelBuffer> Pixels;
};

// The whole virtual screen with layered windows (the ink layer) in it. Throws std::runtime_error
// when there is no memory for it or the screen cannot be read.
TScreenCopy CopyScreen();

}  // namespace zelvora
