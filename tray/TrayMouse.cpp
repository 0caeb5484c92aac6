#include "tray/TrayMouse.h"

namespace zelvora {

namespace {

template <typename Event, typename... Args>
void Raise(const Event& event, Args... args)
{
    if (event) event(args...);
}

}  // namespace

void TTrayMouse::SetWantEnterExitEvents(bool want)
{
    wantEnterExit_ = want;
    if (want)
        (void)hoverTimer_.Start(kHoverIntervalMs);  // without it no leave notice comes; nothing breaks
    else
        hoverTimer_.Stop();
}

void TTrayMouse::Notify(unsigned notification, unsigned modifiers, TTrayPoint pointer,
                        unsigned doubleClickTimeMs)
{
    // The balloon notifications are the shell's own and come whatever Enabled says.
    switch (notification) {
        case tnBalloonHide:
            Raise(Events.OnBalloonHintHide);
            return;
        case tnBalloonTimeout:
            Raise(Events.OnBalloonHintTimeout);
            return;
        case tnBalloonClick:
            Raise(Events.OnBalloonHintClick);
            return;
        default:
            break;
    }
    if (!Enabled) return;
    switch (notification) {
        case tnMouseMove:
            if (wantEnterExit_ && pointerOutside_) {
                Raise(Events.OnMouseEnter);
                pointerOutside_ = false;
            }
            Raise(Events.OnMouseMove, modifiers, pointer);
            lastMove_ = pointer;
            break;
        case tnLeftDown:
            // With a double-click handler a single click waits to see whether a second one follows.
            // A timer that does not start lets the click through at once on the release.
            if (Events.OnDblClick) (void)clickTimer_.Start(doubleClickTimeMs);
            Raise(Events.OnMouseDown, TMouseButton::mbLeft, modifiers | tsLeft, pointer);
            leftDown_ = true;
            if (LeftPopup) Raise(Actions.PopupAtPointer);
            break;
        case tnLeftUp:
            if (leftDown_) clickPending_ = true;
            if (leftDown_ && !clickTimer_.Running()) {
                leftDown_ = false;
                clickPending_ = false;
                Raise(Events.OnClick);
            }
            leftDown_ = false;
            Raise(Events.OnMouseUp, TMouseButton::mbLeft, modifiers | tsLeft, pointer);
            break;
        case tnLeftDoubleClick:
            clickPending_ = false;
            doubleClickSeen_ = true;
            Raise(Events.OnDblClick);
            if (!LeftPopup) Raise(Actions.ClickDefaultItem);
            break;
        case tnRightDown:
            Raise(Events.OnMouseDown, TMouseButton::mbRight, modifiers | tsRight, pointer);
            Raise(Actions.PopupAtPointer);  // on the press, not the release
            break;
        case tnRightUp:
            Raise(Events.OnMouseUp, TMouseButton::mbRight, modifiers | tsRight, pointer);
            break;
        case tnMiddleDown:
            Raise(Events.OnMouseDown, TMouseButton::mbMiddle, modifiers | tsMiddle, pointer);
            break;
        case tnMiddleUp:
            Raise(Events.OnMouseUp, TMouseButton::mbMiddle, modifiers | tsMiddle, pointer);
            break;
        default:
            break;
    }
}

void TTrayMouse::ClickTimerTick()
{
    clickTimer_.Stop();  // a one-shot
    if (!doubleClickSeen_ && clickPending_) {
        clickPending_ = false;
        Raise(Events.OnClick);
    }
    doubleClickSeen_ = false;
}

void TTrayMouse::HoverTimerTick(TTrayPoint pointer)
{
    if (pointerOutside_ || pointer == lastMove_) return;
    pointerOutside_ = true;
    Raise(Events.OnMouseExit);
}

std::string TrayTip(const std::string& hint, bool showHint)
{
    if (!showHint) return {};
    return hint.substr(0, kTrayTipLength);
}

int ClampIconIndex(int index, int imageCount)
{
    if (imageCount <= 0 || index < 0) return 0;  // a negative index would read before the first image
    return index >= imageCount ? imageCount - 1 : index;
}

int NextCycleIndex(int index, int imageCount)
{
    if (imageCount <= 0) return 0;
    return index < imageCount - 1 ? index + 1 : 0;
}

}  // namespace zelvora
