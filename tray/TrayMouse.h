// What the tray icon makes of the shell's notifications: clicks, double clicks, presses,
// releases, moves, enter and exit, and when the menu opens. Portable: the timers and the events
// are handed in, so the rules can be tested with a fake clock.
#pragma once

#include <functional>
#include <string>

namespace zelvora {

// The mouse message the shell puts into the callback's lParam, and its balloon notifications.
enum TTrayNotification : unsigned {
    tnMouseMove = 512,
    tnLeftDown = 513,
    tnLeftUp = 514,
    tnLeftDoubleClick = 515,
    tnRightDown = 516,
    tnRightUp = 517,
    tnMiddleDown = 519,
    tnMiddleUp = 520,
    tnBalloonHide = 1027,
    tnBalloonTimeout = 1028,
    tnBalloonClick = 1029,
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The shift set of mouse events: modifier keys held, and the button the event is about.
enum TTrayShift : unsigned {
    tsShift = 1u << 0,
    tsAlt = 1u << 1,
    tsCtrl = 1u << 2,
    tsLeft = 1u << 3,
    tsRight = 1u << 4,
    tsMiddle = 1u << 5,
    tsDouble = 1u << 6,
};

struct TTrayPoint {
    int X = 0, Y = 0;  // screen coordinates: negative left of or above the primary monitor
    bool operator==(const TTrayPoint&) const = default;
};

// A timer that calls back on the user-interface thread until stopped.
class ITrayTimer {
public:
    // False when the system refused the timer; it is then not running.
    [[nodiscard]] virtual bool Start(unsigned intervalMs) = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;

protected:
    ~ITrayTimer() = default;
};

inline constexpr unsigned kHoverIntervalMs = 20;

// The events of the tray icon; an unassigned one is not called.
struct TTrayEvents {
    std::function<void()> OnClick, OnDblClick, OnMouseEnter, OnMouseExit;
    std::function<void(TMouseButton, unsigned shift, TTrayPoint)> OnMouseDown, OnMouseUp;
    std::function<void(unsigned shift, TTrayPoint)> OnMouseMove;
    std::function<void()> OnBalloonHintHide, OnBalloonHintTimeout, OnBalloonHintClick;
};

// What the notifications ask of the icon besides its events.
struct TTrayActions {
    std::function<void()> PopupAtPointer;
    // A double click clicks the menu's default item, when the menu would open on its own.
    std::function<void()> ClickDefaultItem;
};

class TTrayMouse {
public:
    TTrayMouse(ITrayTimer& clickTimer, ITrayTimer& hoverTimer)
        : clickTimer_(clickTimer), hoverTimer_(hoverTimer)
    {
    }

    TTrayEvents Events;
    TTrayActions Actions;
    bool Enabled = true;  // False: no event, click or menu, only the balloon notifications
    bool LeftPopup = false;

    bool WantEnterExitEvents() const { return wantEnterExit_; }
    void SetWantEnterExitEvents(bool want);

    // One notification; `shift` holds the modifier keys down now, `pointer` the pointer now.
    void Notify(unsigned notification, unsigned modifiers, TTrayPoint pointer, unsigned doubleClickTimeMs);
    // The click timer's tick: a pending single click is raised unless a double click came.
    void ClickTimerTick();
    // The hover timer's tick: the pointer left the icon when it is not where the last move was.
    void HoverTimerTick(TTrayPoint pointer);

    bool PointerOutside() const { return pointerOutside_; }

private:
    ITrayTimer& clickTimer_;
    ITrayTimer& hoverTimer_;
    bool wantEnterExit_ = false;
    bool leftDown_ = false, clickPending_ = false, doubleClickSeen_ = false, pointerOutside_ = true;
    TTrayPoint lastMove_;
};

// Only the first 127 characters of a hint reach the shell, and none when hints are off.
inline constexpr std::size_t kTrayTipLength = 127;
std::string TrayTip(const std::string& hint, bool showHint);

// The image an icon index selects: clamped into the list, or 0 without images.
int ClampIconIndex(int index, int imageCount);
// The index a cycle step moves to: the next image, the first after the last.
int NextCycleIndex(int index, int imageCount);

}  // namespace zelvora
