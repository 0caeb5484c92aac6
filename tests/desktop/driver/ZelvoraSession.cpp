#include "ZelvoraSession.h"

#include <cstdio>
#include <fstream>

#include <algorithm>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "Wait.h"

namespace zelvora::desktop {

namespace {

using namespace std::chrono_literals;

constexpr char kMainWindowClass[] = "TfrmZelvora";
// Below Notepad, so the window never lies under a stroke.
constexpr int kParkLeft = 600;
constexpr int kParkTop = 490;

std::vector<std::string> MainWindows(WineDesktop& desktop)
{
    std::vector<std::string> handles;
    std::istringstream lines(desktop.Probe({"list", kMainWindowClass}).Output);
    std::string handle, pid;
    while (lines >> handle >> pid) handles.push_back(handle);
    return handles;
}

}  // namespace

ZelvoraSession::ZelvoraSession(WineDesktop& desktop, int visibleMainWindows)
    : ZelvoraSession(desktop, {desktop.BinDir() + "/Zelvora.exe"}, visibleMainWindows)
{
}

ZelvoraSession::ZelvoraSession(WineDesktop& desktop, const std::vector<std::string>& command,
                               int visibleMainWindows)
    : desktop_(desktop), windowsBefore_(MainWindows(desktop))
{
    process_ = desktop_.Launch(command.front(), {command.begin() + 1, command.end()});
    if (visibleMainWindows > 0) WaitForMainWindow(visibleMainWindows);
}

ZelvoraSession::ZelvoraSession(WineDesktop& desktop, StartedElsewhere) : desktop_(desktop)
{
    WaitForMainWindow(1);
}

ZelvoraSession::~ZelvoraSession()
{
    if (!Exited() && !Close()) process_.Stop();
}

bool ZelvoraSession::WaitForMainWindow(int visibleMainWindows)
{
    const bool shown = WaitUntil(
        [&] {
            const auto windows = MainWindows(desktop_);
            if (static_cast<int>(windows.size()) < visibleMainWindows) return false;
            for (const std::string& handle : windows)
                if (std::find(windowsBefore_.begin(), windowsBefore_.end(), handle) == windowsBefore_.end())
                    mainWindow_ = handle;
            return !mainWindow_.empty();
        },
        30s, 100ms);
    if (!shown) return false;
    desktop_.Probe({"move", kMainWindowClass, std::to_string(kParkLeft), std::to_string(kParkTop)});
    desktop_.Probe({"front", kMainWindowClass});
    desktop_.FocusDesktop();
    // A program just started still sets itself up, and the desktop still paints its move: a test
    // begins once the screen is still, as a person begins once the window has come to rest.
    static_cast<void>(ReadSteady([&] { return desktop_.Screen().GrabAll(); }, 5s, 150ms));
    return true;
}

bool ZelvoraSession::WaitPastReports(int visibleMainWindows)
{
    return WaitUntil(
               [&] {
                   desktop_.Probe({"dismiss-msgboxes"});
                   return static_cast<int>(MainWindows(desktop_).size()) >= visibleMainWindows;
               },
               60s, 300ms) &&
           WaitForMainWindow(visibleMainWindows) &&
           WaitUntil([&] { return desktop_.Probe({"msgboxes"}).Output.empty(); }, 10s, 300ms);
}

bool ZelvoraSession::Close()
{
    if (mainWindow_.empty() || desktop_.Probe({"close-hwnd", mainWindow_}).ExitCode != 0) return false;
    return WaitForExit();
}

bool ZelvoraSession::Exited()
{
    if (process_.Pid() > 0) return !process_.Running();
    const auto windows = MainWindows(desktop_);
    return std::find(windows.begin(), windows.end(), mainWindow_) == windows.end();
}

bool ZelvoraSession::WaitForExit()
{
    if (process_.Pid() > 0) return process_.WaitForExit(20s);
    return WaitUntil([&] { return Exited(); }, 20s, 100ms);
}

HeldKeys::HeldKeys(X11Screen& screen, std::vector<const char*> keys) : screen_(screen), keys_(std::move(keys))
{
    for (const char* key : keys_) screen_.KeyDown(key);
}

HeldKeys::~HeldKeys()
{
    for (auto key = keys_.rbegin(); key != keys_.rend(); ++key) screen_.KeyUp(*key);
}

void PressChord(X11Screen& screen, std::vector<const char*> keys)
{
    HeldKeys held(screen, std::move(keys));
}

bool WaitForHold(WineDesktop& desktop, bool held)
{
    // The main window's counter 11: whether a hold is on.
    const std::string wanted = held ? "1\n" : "0\n";
    return WaitUntil(
        [&] {
            return desktop.Probe({"ask", kMainWindowClass, "1028", "11"}).Output == wanted;
        },
        10s, 10ms);
}

bool MovePointerAlong(X11Screen& screen, const std::vector<Point>& points, bool waitForMarks)
{
    bool allMarked = true;
    for (const Point& p : points) {
        screen.MovePointer(p.X, p.Y);
        if (waitForMarks)
            allMarked =
                WaitUntil([&] { return screen.Pixel(p.X, p.Y) == kMarkerOrange; }, 3s, 5ms) && allMarked;
        else
            std::this_thread::sleep_for(30ms);  // a few ticks per point, as a hand would move
    }
    return allMarked;
}

std::vector<Point> StraightPath(Point from, Point to, int steps)
{
    std::vector<Point> points;
    for (int i = 1; i <= steps; ++i)
        points.push_back({from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps});
    return points;
}

namespace {

void TapKeys(WineDesktop& desktop, const std::vector<const char*>& keys)
{
    for (const char* key : keys) {
        desktop.Screen().Tap(key);
        std::this_thread::sleep_for(200ms);  // the menu loop takes each key in its own time
    }
}

}  // namespace

void OpenMenu(WineDesktop& desktop, int menu)
{
    std::optional<ScreenRect> window;
    // Once seen, the window may still be settling (a start-up once found none a moment later).
    if (!WaitUntil([&] { return (window = desktop.WindowRect(kMainWindowClass)).has_value(); }, 10s, 100ms))
        throw std::runtime_error("no main window to choose from");
    desktop.FocusDesktop();
    desktop.Probe({"front", kMainWindowClass});
    // The title bar takes the keyboard. Without a window manager there is none, and keys go to
    // the window under the pointer: the banner's right end, where no menu drops down.
    if (desktop.Framed())
        desktop.Screen().Click(window->Left + 60, window->Top + 10);
    else
        desktop.Screen().Click(window->Right - 12, window->Top + 45);
    std::this_thread::sleep_for(200ms);
    // F10, not Alt: Alt alone reaches no menu while Zelvora's ink layer lies under the pointer
    // (Wine hands the key to the layer's X window first).
    std::vector<const char*> keys{"F10"};
    keys.insert(keys.end(), static_cast<std::size_t>(menu), "Right");
    keys.push_back("Down");  // opens the menu on its first item
    TapKeys(desktop, keys);
}

void ChooseMenu(WineDesktop& desktop, int menu, const std::vector<int>& items)
{
    OpenMenu(desktop, menu);
    std::vector<const char*> keys;
    for (std::size_t level = 0; level < items.size(); ++level) {
        if (level > 0) keys.push_back("Right");
        keys.insert(keys.end(), static_cast<std::size_t>(items[level]), "Down");
    }
    keys.push_back("Return");
    TapKeys(desktop, keys);
}

void ChooseOnlineUpdate(WineDesktop& desktop)
{
    ChooseMenu(desktop, 2, {2});
}

std::string WaitForMessageBox(WineDesktop& desktop)
{
    std::string boxes;
    WaitUntil([&] { return !(boxes = desktop.Probe({"msgboxes"}).Output).empty(); }, 30s, 100ms);
    return boxes;
}

void AnswerMessageBox(WineDesktop& desktop, const char* answer)
{
    desktop.Probe({"answer-msgbox", answer});
    WaitUntil([&] { return desktop.Probe({"msgboxes"}).Output.empty(); }, 10s, 100ms);
}

std::optional<Point> FindTrayIcon(X11Screen& screen)
{
    // The notification area: the right end of the taskbar, the bottom rows of the desktop.
    constexpr int kAreaWidth = 200, kAreaHeight = 24;
    const Image area = screen.Grab(WineDesktop::kWidth - kAreaWidth, WineDesktop::kHeight - kAreaHeight,
                                   kAreaWidth, kAreaHeight);
    int left = WineDesktop::kWidth, right = -1, top = WineDesktop::kHeight, bottom = -1;
    for (int y = area.Top; y < area.Top + area.Height; ++y)
        for (int x = area.Left; x < area.Left + area.Width; ++x) {
            const std::uint32_t p = area.At(x, y);
            const int r = static_cast<int>(p & 0xFF), b = static_cast<int>((p >> 16) & 0xFF);
            // The taskbar is grey and the bare desktop blue; an icon has warm colours.
            if (r - b < 60) continue;
            left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
            bottom = std::max(bottom, y);
        }
    if (right < 0) return std::nullopt;
    return Point{(left + right) / 2, (top + bottom) / 2};
}

int CountDifferences(const Image& before, const Image& after)
{
    int differences = 0;
    for (std::size_t i = 0; i < before.Pixels.size() && i < after.Pixels.size(); ++i)
        if (before.Pixels[i] != after.Pixels[i]) ++differences;
    return differences;
}

std::optional<ClipboardPicture> ReadClipboardPicture(WineDesktop& desktop)
{
    const std::string dump = desktop.WorkDir() + "/clipboard.bin";
    const CommandResult clipboard = desktop.Probe({"clipboard-bitmap", dump});
    int width = 0, height = 0;
    if (clipboard.ExitCode != 0 || std::sscanf(clipboard.Output.c_str(), "%d %d", &width, &height) != 2)
        return std::nullopt;
    ClipboardPicture picture{clipboard.Output,
                             std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    std::ifstream in(dump, std::ios::binary);
    in.read(reinterpret_cast<char*>(picture.Pixels.data()),
            static_cast<std::streamsize>(picture.Pixels.size() * sizeof(std::uint32_t)));
    if (!in) return std::nullopt;
    return picture;
}

}  // namespace zelvora::desktop
