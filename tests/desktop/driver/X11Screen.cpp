#include "X11Screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

namespace zelvora::desktop {

namespace {

std::string WindowName(Display* display, Window window)
{
    char* name = nullptr;
    std::string result;
    if (XFetchName(display, window, &name) && name) result = name;
    if (name) XFree(name);
    return result;
}

// Windows come and go while the driver looks at them (a menu closes, a layer goes between
// listing and asking): the request fails and the driver carries on. Xlib's own handler would end
// the test program.
int IgnoreVanishedWindows(Display*, XErrorEvent* error)
{
    if (error->error_code != BadWindow && error->error_code != BadDrawable && error->error_code != BadMatch)
        std::fprintf(stderr, "X error %d (request %d)\n", error->error_code, error->request_code);
    return 0;
}

void Settle()
{
    // Lets the X server hand one event to Wine before the next; XTest events otherwise arrive in
    // one burst and Wine may see a key's down and up in the same poll.
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
}

}  // namespace

X11Screen::X11Screen(const std::string& displayName, int originX, int originY)
    : display_(XOpenDisplay(displayName.c_str())), originX_(originX), originY_(originY)
{
    if (!display_) throw std::runtime_error("cannot open X display " + displayName);
    XSetErrorHandler(IgnoreVanishedWindows);
    int event, error, major, minor;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
        throw std::runtime_error("the X server has no XTest extension");
}

X11Screen::~X11Screen()
{
    XCloseDisplay(display_);
}

bool X11Screen::FocusWindowNamed(const std::string& suffix)
{
    Window root = DefaultRootWindow(display_), parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, root, &root, &parent, &children, &count)) return false;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        const std::string name = WindowName(display_, children[i]);
        if (name.size() >= suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            found = children[i];
    }
    if (children) XFree(children);
    if (!found) return false;
    XSetInputFocus(display_, found, RevertToParent, CurrentTime);
    XSync(display_, False);
    focusWindow_ = found;
    return true;
}

void X11Screen::Key(const char* keysymName, bool down)
{
    const KeySym keysym = XStringToKeysym(keysymName);
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    if (!code) throw std::runtime_error(std::string("no key code for ") + keysymName);
    XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
    XSync(display_, False);
    Settle();
}

void X11Screen::KeyDown(const char* keysymName)
{
    Key(keysymName, true);
}
void X11Screen::KeyUp(const char* keysymName)
{
    Key(keysymName, false);
}

void X11Screen::Tap(const char* keysymName)
{
    KeyDown(keysymName);
    KeyUp(keysymName);
}

void X11Screen::TypeText(const std::string& text)
{
    for (char c : text) {
        const std::string name = c == ' ' ? "space" : std::string(1, c);
        Tap(name.c_str());
    }
}

void X11Screen::MovePointer(int x, int y)
{
    // Over several Xinerama heads XTest measures from the first head, which Wine makes the
    // primary monitor: Windows points as they are.
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    XSync(display_, False);
}

void X11Screen::Click(int x, int y)
{
    MovePointer(x, y);
    Settle();
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XSync(display_, False);
    Settle();
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
}

void X11Screen::Button(int button, bool down)
{
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), down ? True : False, CurrentTime);
    XSync(display_, False);
    Settle();
}

Image X11Screen::Grab(int left, int top, int width, int height)
{
    return GrabFrom(DefaultRootWindow(display_), left - originX_, top - originY_, left, top, width, height);
}

Image X11Screen::GrabWindowAt(int left, int top, int width, int height)
{
    const Window root = DefaultRootWindow(display_);
    Window window = root;
    int x = left - originX_ + width / 2, y = top - originY_ + height / 2;
    for (;;) {
        int inX = 0, inY = 0;
        Window child = None;
        if (!XTranslateCoordinates(display_, root, window, x, y, &inX, &inY, &child) || child == None) break;
        window = child;
    }
    int originX = 0, originY = 0;
    Window ignored = None;
    XTranslateCoordinates(display_, window, root, 0, 0, &originX, &originY, &ignored);
    return GrabFrom(window, left - originX_ - originX, top - originY_ - originY, left, top, width, height);
}

std::optional<Image> X11Screen::GrabAlphaWindow(int left, int top, int width, int height)
{
    // Depth first in stacking order: the last window found is the topmost.
    std::optional<std::pair<Window, std::pair<int, int>>> found;
    const Window root = DefaultRootWindow(display_);
    std::vector<Window> pending{root};
    while (!pending.empty()) {
        const Window window = pending.back();
        pending.pop_back();
        XWindowAttributes attributes{};
        if (window != root && XGetWindowAttributes(display_, window, &attributes) &&
            attributes.map_state == IsViewable && attributes.depth == 32) {
            int x = 0, y = 0;
            Window ignored = None;
            const bool placed = XTranslateCoordinates(display_, window, root, 0, 0, &x, &y, &ignored);
            const int l = left - originX_ - x, t = top - originY_ - y;
            if (placed && l >= 0 && t >= 0 && l + width <= attributes.width &&
                t + height <= attributes.height)
                found = {window, {l, t}};
        }
        Window rootOut = None, parent = None, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, window, &rootOut, &parent, &children, &count)) continue;
        for (unsigned i = count; i-- > 0;) pending.push_back(children[i]);
        if (children) XFree(children);
    }
    if (!found) return std::nullopt;
    try {
        return GrabFrom(found->first, found->second.first, found->second.second, left, top, width, height,
                        true);
    } catch (const std::runtime_error&) {
        return std::nullopt;  // it went since
    }
}

Image X11Screen::GrabFrom(unsigned long window, int x0, int y0, int left, int top, int width, int height,
                          bool alpha)
{
    Image image{left, top, width, height, {}};
    XImage* x = XGetImage(display_, window, x0, y0, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!x) throw std::runtime_error("XGetImage failed");
    image.Pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int xx = 0; xx < width; ++xx) {
            const unsigned long rgb = XGetPixel(x, xx, y);  // 0xRRGGBB on a 24-bit TrueColor screen
            image.Pixels.push_back(static_cast<std::uint32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) |
                                                              ((rgb & 0xFF) << 16) |
                                                              (alpha ? rgb & 0xFF000000 : 0)));
        }
    XDestroyImage(x);
    return image;
}

std::uint32_t X11Screen::Pixel(int x, int y)
{
    return Grab(x, y, 1, 1).Pixels.front();
}

Image X11Screen::GrabAll()
{
    Screen* screen = DefaultScreenOfDisplay(display_);
    return Grab(originX_, originY_, WidthOfScreen(screen), HeightOfScreen(screen));
}

std::string X11Screen::PointerCursor()
{
    XFixesCursorImage* image = XFixesGetCursorImage(display_);
    if (!image) return "none";
    unsigned long sum = 0;
    for (int i = 0; i < image->width * image->height; ++i) sum = sum * 31 + image->pixels[i];
    const std::string shape = std::to_string(image->width) + "x" + std::to_string(image->height) + " at " +
                              std::to_string(image->xhot) + "," + std::to_string(image->yhot) + " #" +
                              std::to_string(sum);
    XFree(image);
    return shape;
}

}  // namespace zelvora::desktop
