// One running copy of Zelvora inside the test desktop, and the gestures a person makes with it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "WineDesktop.h"

namespace zelvora::desktop {

inline constexpr std::uint32_t kMarkerOrange = 33023;  // 0x000080FF

struct Point {
    int X = 0, Y = 0;
};

class ZelvoraSession {
public:
    // Starts a copy and waits until `visibleMainWindows` main windows show (this one included).
    explicit ZelvoraSession(WineDesktop& desktop, int visibleMainWindows = 1);
    // Starts a copy with another command run in the desktop: an installed program, or "start"
    // and a shortcut.
    ZelvoraSession(WineDesktop& desktop, const std::vector<std::string>& command, int visibleMainWindows = 1);
    // Takes over the one copy something else started (a setup program's last page, say).
    struct StartedElsewhere {};
    ZelvoraSession(WineDesktop& desktop, StartedElsewhere);
    ~ZelvoraSession();
    ZelvoraSession(const ZelvoraSession&) = delete;
    ZelvoraSession& operator=(const ZelvoraSession&) = delete;

    // Waits for the main window this copy shows, moves it off the drawing area and activates it.
    bool WaitForMainWindow(int visibleMainWindows);
    // For a copy that reports its taken hotkeys box after box: presses OK on each until
    // `visibleMainWindows` main windows show and no box is left.
    bool WaitPastReports(int visibleMainWindows);
    // Asks the window to close, as its close button does, and waits for the program to end.
    bool Close();
    bool Exited();
    bool WaitForExit();
    // Ends the process at once, without its orderly exit.
    void Kill() { process_.Kill(); }
    const std::string& MainWindow() const { return mainWindow_; }

private:
    WineDesktop& desktop_;
    ChildProcess process_;
    std::vector<std::string> windowsBefore_;
    std::string mainWindow_;
};

// Presses the keys in order and releases them in reverse.
class HeldKeys {
public:
    HeldKeys(X11Screen& screen, std::vector<const char*> keys);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    X11Screen& screen_;
    std::vector<const char*> keys_;
};

void PressChord(X11Screen& screen, std::vector<const char*> keys);

// Waits until the running copy has begun a hold of the paint shortcut, so that keys pressed from
// now on are its own (or, with `held` false, until no hold is on). A slow machine sees the chord
// later than a person lets go of the next key.
bool WaitForHold(WineDesktop& desktop, bool held = true);

// Moves the pointer through the points; with `waitForMarks`, each point must show the marker
// colour before the next move. False when a point stayed unmarked.
bool MovePointerAlong(X11Screen& screen, const std::vector<Point>& points, bool waitForMarks);

std::vector<Point> StraightPath(Point from, Point to, int steps);

// Chooses a command of the main window's menu with the keyboard, as a person does: Alt, Right to
// the menu `menu` (0 Datei, 1 Aktion, 2 Hilfe), then Down to the item at each level (separators
// do not count; Right opens a submenu), then Return.
void ChooseMenu(WineDesktop& desktop, int menu, const std::vector<int>& items);
// Drops main menu `menu` down with the keyboard; the system selects its first item.
void OpenMenu(WineDesktop& desktop, int menu);
// Hilfe > Online Update... in the main window.
void ChooseOnlineUpdate(WineDesktop& desktop);
// The message boxes that show, as "caption<TAB>text\n" each; empty when none showed in time.
std::string WaitForMessageBox(WineDesktop& desktop);
// Presses "yes" or "no" in the box that shows and waits until it is gone.
void AnswerMessageBox(WineDesktop& desktop, const char* answer);

// The centre of the icons in the desktop's notification area (bottom right), found by their
// colours on the grey taskbar; nothing when no icon shows.
std::optional<Point> FindTrayIcon(X11Screen& screen);

// Number of pixels of `after` that differ from `before` (same rectangle).
int CountDifferences(const Image& before, const Image& after);

// The clipboard's device-independent bitmap, as the probe reads it: "W H png=0|1" (whether a
// "PNG" is there too) and its pixels from the top; nothing when the clipboard holds none.
struct ClipboardPicture {
    std::string Header;
    std::vector<std::uint32_t> Pixels;
};
std::optional<ClipboardPicture> ReadClipboardPicture(WineDesktop& desktop);

}  // namespace zelvora::desktop
