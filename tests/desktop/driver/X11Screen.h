// The X server as a person at the screen: real key and pointer events (XTest) and real pixels.
#pragma once

#include <optional>
#include <string>

#include "Image.h"

typedef struct _XDisplay Display;

namespace zelvora::desktop {

class X11Screen {
public:
    // `originX`, `originY`: the Windows screen point at the X root's top left corner. Every point
    // this class takes or gives is a Windows screen point.
    explicit X11Screen(const std::string& displayName, int originX = 0, int originY = 0);
    ~X11Screen();
    X11Screen(const X11Screen&) = delete;
    X11Screen& operator=(const X11Screen&) = delete;

    // Finds the top-level X window whose name ends with `suffix` and gives it the keyboard focus.
    bool FocusWindowNamed(const std::string& suffix);

    void KeyDown(const char* keysymName);
    void KeyUp(const char* keysymName);
    void Tap(const char* keysymName);
    void TypeText(const std::string& text);
    void MovePointer(int x, int y);
    void Click(int x, int y);
    // Presses or releases a pointer button (1 left, 2 middle, 3 right) where the pointer is.
    void Button(int button, bool down);

    Image Grab(int left, int top, int width, int height);
    std::uint32_t Pixel(int x, int y);
    Image GrabAll();
    // The same rectangle read from the innermost X window that shows its centre: popup menus are
    // X windows of their own, which a grab of the root shows black.
    Image GrabWindowAt(int left, int top, int width, int height);
    // The rectangle read from the topmost X window with an alpha channel (depth 32) that covers
    // it, alpha kept: 0xAABBGGRR. None when no such window covers it. A window shown with
    // per-pixel alpha holds its own premultiplied pixels there, which the screen cannot blend.
    std::optional<Image> GrabAlphaWindow(int left, int top, int width, int height);
    // The pointer's cursor as the X server shows it: size, hot spot and a checksum of its pixels.
    std::string PointerCursor();

private:
    Image GrabFrom(unsigned long window, int x, int y, int left, int top, int width, int height,
                   bool alpha = false);
    void Key(const char* keysymName, bool down);

    Display* display_;
    int originX_, originY_;
    unsigned long focusWindow_ = 0;
};

}  // namespace zelvora::desktop
