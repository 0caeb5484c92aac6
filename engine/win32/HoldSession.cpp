#include "engine/win32/HoldSession.h"

#include <utility>
#include <vector>

#include "engine/PaintChord.h"

namespace zelvora {

namespace {

constexpr UINT kTaskMaskModifiers = 1;
constexpr UINT kTaskDropDeadKey = 2;

long long Microseconds()
{
    static const long long frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1'000'000 / frequency;
}

// Notes how long a hook procedure took.
class TProcTimer {
public:
    explicit TProcTimer(std::atomic<long long>& longest) : longest_(longest), start_(Microseconds()) {}
    ~TProcTimer()
    {
        const long long took = Microseconds() - start_;
        long long seen = longest_.load();
        while (took > seen && !longest_.compare_exchange_weak(seen, took)) {
        }
    }
    TProcTimer(const TProcTimer&) = delete;
    TProcTimer& operator=(const TProcTimer&) = delete;

private:
    std::atomic<long long>& longest_;
    long long start_;
};

UINT ButtonOf(WPARAM message)
{
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return MK_LBUTTON;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return MK_RBUTTON;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return MK_MBUTTON;
        default:
            return 0;
    }
}

bool Down(int virtualKey)
{
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

TShiftState ModifiersDown()
{
    TShiftState down;
    if (Down(VK_SHIFT)) down.Add(TShiftState::ssShift);
    if (Down(VK_CONTROL)) down.Add(TShiftState::ssCtrl);
    if (Down(VK_MENU)) down.Add(TShiftState::ssAlt);
    return down;
}

short AsyncKeyState(int virtualKey, void*)
{
    return GetAsyncKeyState(virtualKey);
}

// The keys whose state tells whether the hook saw them during a hold. A hook sees the left or
// right modifier, never the either-side name the key state also has.
const std::vector<int>& WatchedDuringHold()
{
    static const std::vector<int> keys = [] {
        std::vector<int> watched;
        for (const TDrawingKeyRow& row : kDrawingKeys)
            if (row.VirtualKey != VK_SHIFT && row.VirtualKey != VK_CONTROL) watched.push_back(row.VirtualKey);
        return watched;
    }();
    return keys;
}

}  // namespace

THoldSession::THoldSession()
{
    Locked([](TKeyRoute&, TPointerTrail&) {});
    hooks_ = std::make_unique<TLowLevelHooks>(static_cast<ILowLevelInput&>(*this));
}

THoldSession::~THoldSession()
{
    hooks_.reset();
}

bool THoldSession::FollowRoute()
{
    if (std::exchange(watchedCopied_, route_.WatchedChanges()) != route_.WatchedChanges())
        for (int key = 0; key < 256; ++key)
            watched_[key].store(route_.Watches(key), std::memory_order_relaxed);
    active_ = route_.Active();
    return route_.WantsPointer();
}

bool THoldSession::OnKey(WPARAM message, const KBDLLHOOKSTRUCT& key) noexcept
{
    // Idle, as nearly always: one look at the key, nothing stored.
    if (!active_.load(std::memory_order_relaxed) &&
        !watched_[key.vkCode & 0xFF].load(std::memory_order_relaxed))
        return false;
    TProcTimer timer(longestMicros_);
    try {
        return RouteKey(message, key);
    } catch (...) {
        return false;  // (out of memory) the key goes on as if Zelvora were not there
    }
}

bool THoldSession::RouteKey(WPARAM message, const KBDLLHOOKSTRUCT& key)
{
    TKeyEvent event;
    event.VirtualKey = static_cast<int>(key.vkCode & 0xFF);
    event.Down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    event.Injected = (key.flags & LLKHF_INJECTED) != 0;
    if (event.Down) {
        event.Modifiers = ModifiersDown();
        event.WindowsDown = Down(VK_LWIN) || Down(VK_RWIN);
    }
    TRouted routed;
    HWND field = nullptr;
    bool wantsPointer = false;
    {
        const std::lock_guard lock(lock_);
        routed = route_.Key(event);
        if (route_.TakeHoldBegan()) {
            trail_.PenDown(key.time);
            route_.Keys().NoteSeen(event.VirtualKey);
        }
        if (!route_.Holding()) trail_.PenUp();
        field = field_;
        active_ = route_.Active();
        wantsPointer = route_.WantsPointer();
    }
    hooks_->WantMouse(wantsPointer);
    if (routed.MaskModifiers) hooks_->Post(kTaskMaskModifiers);
    if (routed.Verdict == TKeyVerdict::Type && field) TypeIntoField(field, key);
    if (routed.Verdict == TKeyVerdict::Edit && field) EditField(field, key);
    return routed.Verdict != TKeyVerdict::Pass;
}

void THoldSession::OnTask(UINT task) noexcept
{
    if (task == kTaskMaskModifiers) MaskModifiers();
    if (task == kTaskDropDeadKey) DropDeadKey();
}

void THoldSession::MaskModifiers()
{
    // Sent after the taken key, before the person lets Alt or the Windows key go: the system
    // sees a key between their press and release, and their release alone means nothing.
    INPUT keys[2]{};
    for (INPUT& input : keys) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(TKeyRoute::kMaskKey);
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

void THoldSession::TypeIntoField(HWND field, const KBDLLHOOKSTRUCT& key)
{
    // The hook swallows what it types: the modifiers come from what it saw, not from a thread.
    BYTE state[256] = {};
    {
        const std::lock_guard lock(lock_);
        const TDrawingKeys& keys = route_.Keys();
        for (int vk = 0; vk < 256; ++vk)
            if (keys.IsDown(vk)) state[vk] = 0x80;
        if (keys.CapsLock()) state[VK_CAPITAL] = 1;
    }
    const auto either = [&](int generic, int left, int right) {
        if (state[left] || state[right]) state[generic] = 0x80;
    };
    either(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
    either(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
    either(VK_MENU, VK_LMENU, VK_RMENU);
    const HWND front = GetForegroundWindow();
    const HKL layout = GetKeyboardLayout(front ? GetWindowThreadProcessId(front, nullptr) : 0);
    // A dead key answers -1 and is kept in this thread's state for the next key.
    wchar_t text[8] = {};
    const int length = ToUnicodeEx(key.vkCode, key.scanCode, state, text, 8, 0, layout);
    deadKeyPending_ = length < 0;
    deadKeyLayout_ = layout;
    for (int i = 0; i < length; ++i) PostMessageW(field, WM_CHAR, text[i], 0);
}

void THoldSession::EditField(HWND field, const KBDLLHOOKSTRUCT& key)
{
    bool ctrl = false;
    {
        const std::lock_guard lock(lock_);
        ctrl = route_.Keys().CtrlDown();
    }
    if (key.vkCode == 'V')
        PostMessageW(field, WM_PASTE, 0, 0);
    else
        PostMessageW(field, WM_FIELD_EDIT, key.vkCode, ctrl ? 1 : 0);
}

void THoldSession::DropDeadKey()
{
    if (!deadKeyPending_) return;
    deadKeyPending_ = false;
    // A space completes a dead key (to the accent alone); the answer is thrown away.
    const BYTE state[256] = {};
    wchar_t text[8] = {};
    const UINT space = MapVirtualKeyExW(VK_SPACE, MAPVK_VK_TO_VSC, deadKeyLayout_);
    for (int tries = 0; tries < 2; ++tries)
        if (ToUnicodeEx(VK_SPACE, space, state, text, 8, 0, deadKeyLayout_) >= 0) break;
}

bool THoldSession::OnMouse(WPARAM message, const MSLLHOOKSTRUCT& mouse) noexcept
{
    TProcTimer timer(longestMicros_);
    try {
        return RouteMouse(message, mouse);
    } catch (...) {
        return false;
    }
}

bool THoldSession::RouteMouse(WPARAM message, const MSLLHOOKSTRUCT& mouse)
{
    std::unique_lock lock(lock_);
    if (message == WM_MOUSEMOVE) {
        // Where the pointer will be: per-monitor aware screen points, negative ones too.
        trail_.Note({mouse.pt.x, mouse.pt.y}, mouse.time);
        return false;
    }
    if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) {
        if (route_.Holding()) {
            if (message == WM_MOUSEWHEEL) route_.Keys().Wheel(static_cast<short>(HIWORD(mouse.mouseData)));
            return true;  // the window beneath never scrolls while the pen is down
        }
        lock.unlock();
        if (message == WM_MOUSEWHEEL && takeWheel_ && Down(VK_CONTROL)) {
            wheelDelta_ += static_cast<short>(HIWORD(mouse.mouseData));
            return true;
        }
        return false;
    }
    const UINT button = ButtonOf(message);
    if (!button) return false;
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    if (!down) {
        const bool ours = (swallowedButtons_ & button) != 0;
        swallowedButtons_ &= ~button;
        return ours;
    }
    const HWND field = field_;
    const RECT area = fieldArea_;
    lock.unlock();
    if (!field) return false;
    if (PtInRect(&area, mouse.pt)) {
        // The field's see-through pixels would hand the click to the window beneath.
        swallowedButtons_ |= button;
        return true;
    }
    PostMessageW(field, WM_FIELD_CLICKED_OUTSIDE, 0, 0);
    return false;
}

void THoldSession::SetField(HWND field, RECT area)
{
    // Caps Lock as the system has it now; its presses are followed from here on.
    const bool capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    Locked([&](TKeyRoute& route, TPointerTrail&) {
        field_ = field;
        fieldArea_ = area;
        route.Keys().SetTyping(field != nullptr, capsLock);
    });
}

void THoldSession::ClearField()
{
    const bool wasOpen = Locked([&](TKeyRoute& route, TPointerTrail&) {
        const bool open = field_ != nullptr;
        field_ = nullptr;
        route.Keys().SetTyping(false);
        return open;
    });
    // The next letter typed elsewhere is plain.
    if (wasOpen) hooks_->Post(kTaskDropDeadKey);
}

void THoldSession::SetFieldArea(RECT area)
{
    const std::lock_guard lock(lock_);
    fieldArea_ = area;
}

void THoldSession::Follow(bool on)
{
    Locked([&](TKeyRoute& route, TPointerTrail&) { route.SetSpotlight(on); });
    if (!on) takeWheel_ = false;
}

bool THoldSession::TakeEscape()
{
    return Locked([](TKeyRoute& route, TPointerTrail&) { return route.TakeEscape(); });
}

int THoldSession::TakeWheelSteps()
{
    // Whole notches; a fine wheel's part of one waits for the rest.
    int delta = wheelDelta_.load();
    while (!wheelDelta_.compare_exchange_weak(delta, delta % WHEEL_DELTA)) {
    }
    return delta / WHEEL_DELTA;
}

void THoldSession::NoteKeysAlreadyDown()
{
    // (No system call under the lock: one may wait for the hook, which waits for the lock.)
    std::vector<int> down;
    for (const int key : WatchedDuringHold())
        if (Down(key)) down.push_back(key);
    Locked([&](TKeyRoute& route, TPointerTrail&) {
        for (const int key : down)
            if (!route.Keys().Seen(key)) route.Keys().AlreadyDown(key);
    });
}

void THoldSession::CheckHealth()
{
    // Idle, a tenth of the ticks look: a dropped hook is found within a tenth of a second, and an
    // idle tick asks the system nothing.
    constexpr int kQuietTicksPerLook = 10;
    if (!active_.load(std::memory_order_relaxed) && ++quietTicks_ % kQuietTicksPerLook != 0) return;
    // (No system call under the lock: one may wait for the hook, which waits for the lock.)
    struct TSeen {
        bool Enabled, Holding, NeedsModifiers;
        TShortCut Chord;
    };
    const TSeen seen = Locked([](TKeyRoute& route, TPointerTrail&) {
        return TSeen{route.Enabled() && !route.Paused(), route.Holding(),
                     route.Holding() || route.LaserHeld() || route.Pressing(), route.Chord()};
    });
    if (!seen.Enabled) return;
    bool reinstall = false;
    // The chord held as the system sees it, and the hook saw nothing: the key went past it.
    // Two ticks in a row, so a key on its way to the hook is not taken for one.
    const bool chordDown = !seen.Holding && IsChordHeld(seen.Chord, AsyncKeyState, nullptr);
    missedChordTicks_ = chordDown ? missedChordTicks_ + 1 : 0;
    if (missedChordTicks_ >= 2) {
        missedChordTicks_ = 0;
        reinstall = true;
        const DWORD now = GetTickCount();
        Locked([&](TKeyRoute& route, TPointerTrail& trail) {
            route.BeginHold();
            route.TakeHoldBegan();
            trail.PenDown(now);
        });
    }
    if (seen.Holding) {
        // A key the key state shows down that the hook never saw in this hold went past it. (Wine
        // counts a swallowed key down: only a key never seen counts.)
        std::vector<int> missed;
        for (const int key : WatchedDuringHold())
            if (Down(key)) missed.push_back(key);
        Locked([&](TKeyRoute& route, TPointerTrail&) {
            std::erase_if(missed, [&](int key) { return route.Keys().Seen(key); });
            missedKeyTicks_ = missed.empty() ? 0 : missedKeyTicks_ + 1;
            if (missedKeyTicks_ < 2) return;
            for (const int key : missed) route.Keys().NoteSeen(key);
            missedKeyTicks_ = 0;
            reinstall = true;
        });
    }
    if (seen.NeedsModifiers) {
        // A modifier's release the hook never saw (it went to the secure desktop, or past a
        // dropped hook) ends what needs it; two ticks, as above.
        const TShiftState down = ModifiersDown();
        const bool changes =
            Locked([&](TKeyRoute& route, TPointerTrail&) { return route.WouldEndWith(down); });
        modifierUpTicks_ = changes ? modifierUpTicks_ + 1 : 0;
        if (modifierUpTicks_ >= 2) {
            modifierUpTicks_ = 0;
            Locked([&](TKeyRoute& route, TPointerTrail& trail) {
                route.FollowModifiers(down);
                if (!route.Holding()) trail.PenUp();
            });
        }
    }
    if (reinstall) {
        ++reinstalls_;
        hooks_->Reinstall();
    }
}

}  // namespace zelvora
