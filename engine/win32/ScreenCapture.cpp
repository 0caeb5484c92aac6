#include "engine/win32/ScreenCapture.h"

#include <stdexcept>

namespace zelvora {

TRect VirtualScreen()
{
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

TScreenCopy CopyScreen()
{
    TScreenCopy copy{VirtualScreen(), nullptr};
    copy.Pixels = std::make_unique<TPixelBuffer>(copy.Bounds.Width(), copy.Bounds.Height());
    if (!*copy.Pixels) throw std::runtime_error("no memory for the screen's pixels");
    HDC screen = GetDC(nullptr);
    if (!screen) throw std::runtime_error("GetDC");
    // CAPTUREBLT: layered windows are composed into the screen only when asked for.
    const bool copied = BitBlt(copy.Pixels->Dc(), 0, 0, copy.Bounds.Width(), copy.Bounds.Height(), screen,
                               copy.Bounds.Left, copy.Bounds.Top, SRCCOPY | CAPTUREBLT) != FALSE;
    ReleaseDC(nullptr, screen);
    if (!copied) throw std::runtime_error("BitBlt");
    GdiFlush();
    return copy;
}

}  // namespace zelvora
