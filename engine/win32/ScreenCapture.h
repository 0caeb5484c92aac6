// The virtual screen, and copies of it as a person sees it.
#pragma once

#include <windows.h>

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

// What the windows beneath show over the area (screen points), into `dc` at its top left: the
// ground that ink is mixed with, and every copy of it comes from here. Taken without
// CAPTUREBLT: where the desktop is composed no layered window is in it, so none of ours (ring,
// dim, laser, card, preview, text field, ink panes). Where it is not composed, our keyed windows
// may be: a caller reads the ground only where its own window shows the screen, and keeps what it
// knew elsewhere.
// `screen` is the screen's device context when the caller holds one.
void CopyGround(HDC dc, const TRect& area, HDC screen = nullptr);

// The whole virtual screen with layered windows (the ink layer) in it. Throws std::runtime_error
// when there is no memory for it or the screen cannot be read.
TScreenCopy CopyScreen();

}  // namespace zelvora
