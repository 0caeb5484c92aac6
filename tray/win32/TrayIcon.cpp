#include "tray/win32/TrayIcon.h"

#include <commctrl.h>

#include "toolkit/win32/Application.h"
#include "toolkit/win32/Control.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/SystemLibrary.h"
#include "toolkit/win32/TextEncoding.h"
#include "tray/win32/TrayIconHandler.h"

namespace zelvora {

namespace {

constexpr UINT_PTR kOwnerHookId = 0x7A54;  // this component's subclass of its owner window

// The shell's broadcast after it (re)starts: icons must be added again.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

unsigned ModifiersDown()
{
    unsigned shift = 0;
    if (GetAsyncKeyState(VK_SHIFT) < 0) shift |= tsShift;
    if (GetAsyncKeyState(VK_MENU) < 0) shift |= tsAlt;
    if (GetAsyncKeyState(VK_CONTROL) < 0) shift |= tsCtrl;
    return shift;
}

}  // namespace

const TClassInfo& TCoolTrayIcon::StaticClassInfo()
{
    using C = TCoolTrayIcon;
    static const TClassInfo info(
        "TCoolTrayIcon", &TComponent::StaticClassInfo(),
        {BooleanProperty<C>("DesignPreview", &C::DesignPreview, &C::SetDesignPreview),
         ComponentProperty<C, TImageList>("IconList", &C::IconList, &C::SetIconList),
         BooleanProperty<C>("CycleIcons", &C::CycleIcons, &C::SetCycleIcons),
         IntegerProperty<C>("CycleInterval", &C::CycleInterval, &C::SetCycleInterval),
         BooleanProperty<C>("Enabled", &C::Enabled, &C::SetEnabled),
         StringProperty<C>("Hint", &C::Hint, &C::SetHint),
         BooleanProperty<C>("ShowHint", &C::ShowHint, &C::SetShowHint),
         StringProperty<C>("Icon", &C::Icon, &C::SetIcon),
         BooleanProperty<C>("IconVisible", &C::IconVisible, &C::SetIconVisible),
         IntegerProperty<C>("IconIndex", &C::IconIndex, &C::SetIconIndex),
         ComponentProperty<C, TPopupMenu>("PopupMenu", &C::PopupMenu, &C::SetPopupMenu),
         BooleanProperty<C>("LeftPopup", &C::LeftPopup, &C::SetLeftPopup),
         BooleanProperty<C>("WantEnterExitEvents", &C::WantEnterExitEvents, &C::SetWantEnterExitEvents),
         BooleanProperty<C>("MinimizeToTray", &C::MinimizeToTray, &C::SetMinimizeToTray),
         EventProperty<C>("OnClick", &C::OnClick),
         EventProperty<C>("OnDblClick", &C::OnDblClick),
         EventProperty<C>("OnMouseDown", &C::OnMouseDown),
         EventProperty<C>("OnMouseUp", &C::OnMouseUp),
         EventProperty<C>("OnMouseMove", &C::OnMouseMove),
         EventProperty<C>("OnMouseEnter", &C::OnMouseEnter),
         EventProperty<C>("OnMouseExit", &C::OnMouseExit),
         EventProperty<C>("OnCycle", &C::OnCycle),
         EventProperty<C>("OnBalloonHintClick", &C::OnBalloonHintClick),
         EventProperty<C>("OnBalloonHintHide", &C::OnBalloonHintHide),
         EventProperty<C>("OnBalloonHintTimeout", &C::OnBalloonHintTimeout),
         EventProperty<C>("OnStartup", &C::OnStartup)});
    return info;
}

TCoolTrayIcon::TCoolTrayIcon(TComponent* owner) : TComponent(owner)
{
    TTrayIconHandler& handler = TTrayIconHandler::Acquire();
    id_ = handler.Add(this);
    data_.cbSize = sizeof data_;
    data_.hWnd = handler.Window();
    data_.uID = id_;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    TaskbarCreatedMessage();
    // The events reach the component's published events.
    mouse_.Events.OnClick = [this] { DoClick(); };
    mouse_.Events.OnMouseEnter = [this] { DoMouseEnter(); };
    mouse_.Events.OnMouseExit = [this] { DoMouseExit(); };
    mouse_.Events.OnMouseDown = [this](TMouseButton b, unsigned s, TTrayPoint p) { DoMouseDown(b, s, p); };
    mouse_.Events.OnMouseUp = [this](TMouseButton b, unsigned s, TTrayPoint p) { DoMouseUp(b, s, p); };
    mouse_.Events.OnMouseMove = [this](unsigned s, TTrayPoint p) { DoMouseMove(s, p); };
    mouse_.Events.OnBalloonHintHide = [this] { Fire(OnBalloonHintHide); };
    mouse_.Events.OnBalloonHintTimeout = [this] { Fire(OnBalloonHintTimeout); };
    mouse_.Events.OnBalloonHintClick = [this] { Fire(OnBalloonHintClick); };
    mouse_.Actions.PopupAtPointer = [this] { PopupAtPointer(); };
    mouse_.Actions.ClickDefaultItem = [this] {
        if (!popupMenu_ || !popupMenu_->AutoPopup()) return;
        for (TMenuItem* item : popupMenu_->Items().Items())
            if (item->Default()) {
                item->Click();
                return;
            }
    };
    HookWindows();
}

TCoolTrayIcon::~TCoolTrayIcon()
{
    // The icon leaves the notification area before anything else goes.
    try {
        SetIconVisible(false);
    } catch (...) {
    }
    cycleTimer_.Stop();
    clickTimer_.Stop();
    hoverTimer_.Stop();
    icon_.reset();
    UnhookWindows();
    if (TTrayIconHandler* handler = TTrayIconHandler::Instance()) handler->Remove(id_);
    TTrayIconHandler::Release();
}

HWND TCoolTrayIcon::HandlerWindow()
{
    TTrayIconHandler* handler = TTrayIconHandler::Instance();
    return handler ? handler->Window() : nullptr;
}

HWND TCoolTrayIcon::OwnerWindow() const
{
    auto* control = dynamic_cast<TControl*>(Owner());
    return control && control->HandleAllocated() ? control->Handle() : nullptr;
}

void TCoolTrayIcon::HookWindows()
{
    if (Application)
        applicationHook_ = Application->HookMainWindow(
            [this](UINT msg, WPARAM wParam, LPARAM, LRESULT&) { return ApplicationMessage(msg, wParam); });
    HookOwner();
}

void TCoolTrayIcon::HookOwner()
{
    // The owner's window may not exist while its description is read; creating it then would
    // fix its size too early. The hook follows once the window exists.
    HWND owner = OwnerWindow();
    if (hookedOwner_ || !owner) return;
    if (SetWindowSubclass(owner, OwnerHook, kOwnerHookId, reinterpret_cast<DWORD_PTR>(this)))
        hookedOwner_ = owner;
}

void TCoolTrayIcon::UnhookWindows()
{
    if (Application && applicationHook_) Application->UnhookMainWindow(applicationHook_);
    applicationHook_ = 0;
    if (hookedOwner_ && IsWindow(hookedOwner_)) RemoveWindowSubclass(hookedOwner_, OwnerHook, kOwnerHookId);
    hookedOwner_ = nullptr;
}

bool TCoolTrayIcon::ApplicationMessage(UINT msg, WPARAM wParam)
{
    HookOwner();
    if (msg == WM_SIZE && wParam == SIZE_MINIMIZED && minimizeToTray_) SendToTray();
    if (msg == WM_WINDOWPOSCHANGED && startupPending_ && Application && Application->MainForm())
        startupPending_ = false;
    if (msg == TaskbarCreatedMessage() && iconVisible_) AddIcon();
    return false;  // the application window's own handling follows
}

LRESULT CALLBACK TCoolTrayIcon::OwnerHook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR) noexcept
{
    // Shown by an explicit show call: the program comes to the front with it.
    if (msg == WM_SHOWWINDOW && wParam == TRUE && lParam == 0 && Application) {
        SetForegroundWindow(Application->Handle());
        SetForegroundWindow(hwnd);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void TCoolTrayIcon::Loaded()
{
    TComponent::Loaded();
    HookOwner();
    if (OwnerWindow() && OnStartup.Handler) {
        TEventArgs args;
        args.Sender = this;
        args.State = 1;  // show the main window
        OnStartup.Handler(args);
        if (args.State == 0) HideMainWindow();
    }
    // Loading the shell's library takes tens of milliseconds: the icon follows the first frame.
    shellHeld_ = true;
    const auto showInShell = [this] {
        shellHeld_ = false;
        ShowInShell();
    };
    if (Application)
        Application->AfterFirstFrame(showInShell);
    else
        showInShell();
}

void TCoolTrayIcon::ShowInShell()
{
    UpdateIcon();
    SetIconVisible(iconVisible_);
    SetCycleIcons(cycleIcons_);
    SetWantEnterExitEvents(mouse_.WantEnterExitEvents());
    data_.uVersion = 0;  // the classic mouse messages
    // A shell that knows no versions sends the classic messages anyway.
    static_cast<void>(Shell(NIM_SETVERSION));
    MarkStartup("tray icon and its library");
}

void TCoolTrayIcon::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == popupMenu_) popupMenu_ = nullptr;
    if (component == iconList_) {
        iconList_ = nullptr;
        iconIndex_ = 0;
        UpdateIcon();
    }
}

void TCoolTrayIcon::Fire(TEventRef& event, TMouseButton button, unsigned shift, TTrayPoint at)
{
    if (!event.Handler) return;
    TEventArgs args;
    args.Sender = this;
    args.Button = static_cast<int>(button);
    args.State = shift;
    args.X = at.X;
    args.Y = at.Y;
    event.Handler(args);
}

void TCoolTrayIcon::HandleNotification(unsigned notification)
{
    // A double-click handler makes single clicks wait for the double-click time. The handler
    // may be assigned at any time; the rule follows it without a new function per notification.
    const bool wantsDoubleClick = static_cast<bool>(OnDblClick.Handler);
    if (wantsDoubleClick != static_cast<bool>(mouse_.Events.OnDblClick))
        mouse_.Events.OnDblClick =
            wantsDoubleClick ? std::function<void()>([this] { DoDblClick(); }) : nullptr;
    POINT pointer{};
    GetCursorPos(&pointer);  // signed: monitors left of or above the primary one
    mouse_.Notify(notification, ModifiersDown(), {pointer.x, pointer.y}, GetDoubleClickTime());
}

void TCoolTrayIcon::ReportError(const std::string& message) const
{
    if (Application) Application->ShowException(message);
}

void TCoolTrayIcon::PrepareIconData()
{
    data_.hIcon = icon_.get();
    const std::wstring tip = WideFromAnsi(TrayTip(hint_, showHint_), 0);
    std::fill(std::begin(data_.szTip), std::end(data_.szTip), L'\0');
    std::copy_n(tip.begin(), std::min<std::size_t>(tip.size(), kTrayTipLength), data_.szTip);
}

bool TCoolTrayIcon::Shell(DWORD message)
{
    // The stored form is still being read, or the first frame is: the icon comes after.
    if (Loading() || shellHeld_) return false;
    auto* notify = SystemFunction<decltype(Shell_NotifyIconW)>(L"shell32.dll", "Shell_NotifyIconW");
    return notify && notify(message, &data_);
}

bool TCoolTrayIcon::AddIcon()
{
    iconVisible_ = true;
    PrepareIconData();
    return Shell(NIM_ADD);
}

bool TCoolTrayIcon::RemoveIcon()
{
    iconVisible_ = false;
    PrepareIconData();
    return Shell(NIM_DELETE);
}

bool TCoolTrayIcon::ShowBalloonHint(const std::wstring& title, const std::wstring& text)
{
    PrepareIconData();
    const auto copy = [](const std::wstring& from, auto& to) {
        std::fill(std::begin(to), std::end(to), L'\0');
        std::copy_n(from.begin(), std::min(from.size(), std::size(to) - 1), to);
    };
    copy(title, data_.szInfoTitle);
    copy(text, data_.szInfo);
    data_.dwInfoFlags = NIIF_INFO;
    data_.uFlags |= NIF_INFO;
    const bool shown = Shell(NIM_MODIFY);
    data_.uFlags &= ~NIF_INFO;  // later updates of the icon do not show it again
    return shown;
}

bool TCoolTrayIcon::UpdateIcon()
{
    PrepareIconData();
    return Shell(NIM_MODIFY);
}

void TCoolTrayIcon::SetHint(const std::string& hint)
{
    hint_ = hint;
    UpdateIcon();
}

void TCoolTrayIcon::SetShowHint(bool show)
{
    showHint_ = show;
    UpdateIcon();
}

void TCoolTrayIcon::SetIcon(const std::string& resourceName)
{
    iconName_ = resourceName;
    const std::wstring name(resourceName.begin(), resourceName.end());
    // The notification area's icon size grows with the screen's DPI (16 at 96, 24 at 144): the
    // picture of that size, not a smaller one stretched.
    const int size = GetSystemMetrics(SM_CXSMICON);
    icon_.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    UpdateIcon();
}

void TCoolTrayIcon::AssignIcon(HICON icon)
{
    icon_.reset(icon ? CopyIcon(icon) : nullptr);
    UpdateIcon();
}

void TCoolTrayIcon::SetIconVisible(bool visible)
{
    if (visible)
        AddIcon();
    else
        RemoveIcon();
}

void TCoolTrayIcon::SetIconList(TImageList* list)
{
    iconList_ = list;
    if (list) list->FreeNotification(this);
    SetIconIndex(0);
}

void TCoolTrayIcon::SetIconIndex(int index)
{
    iconIndex_ = iconList_ ? ClampIconIndex(index, iconList_->Count()) : 0;
    if (iconList_ && iconList_->Count() > 0) icon_.reset(iconList_->Icon(iconIndex_));
    UpdateIcon();
}

void TCoolTrayIcon::SetCycleIcons(bool cycle)
{
    cycleIcons_ = cycle;
    if (cycle) {
        SetIconIndex(0);
        cycleTimer_.Start(static_cast<unsigned>(cycleInterval_));
    } else {
        cycleTimer_.Stop();
    }
}

void TCoolTrayIcon::SetCycleInterval(int ms)
{
    cycleInterval_ = ms;
    SetCycleIcons(cycleIcons_);
}

void TCoolTrayIcon::CycleTick()
{
    if (!iconList_ || iconList_->Count() == 0) return;
    const int count = iconList_->Count();
    const int next = NextCycleIndex(iconIndex_, count);
    DoCycle(next);
    SetIconIndex(next);
}

void TCoolTrayIcon::DoCycle(int nextIndex)
{
    if (!OnCycle.Handler) return;
    TEventArgs args;
    args.Sender = this;
    args.X = nextIndex;
    OnCycle.Handler(args);
}

void TCoolTrayIcon::SetPopupMenu(TPopupMenu* menu)
{
    popupMenu_ = menu;
    if (menu) menu->FreeNotification(this);
}

void TCoolTrayIcon::HideMainWindow()
{
    TForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || !OwnerWindow()) return;
    main->SetVisible(false);
    // Hiding the application window takes its button off the taskbar.
    if (IsWindowVisible(Application->Handle())) ShowWindow(Application->Handle(), SW_HIDE);
}

void TCoolTrayIcon::SendToTray()
{
    HideMainWindow();
    AddIcon();
}

void TCoolTrayIcon::PopupAtPointer()
{
    POINT pointer{};
    if (!popupMenu_ || !popupMenu_->AutoPopup() || !GetCursorPos(&pointer)) return;
    // The menu takes keys, and closes when the user clicks elsewhere, only while a window of the
    // program is in front; in the tray every window of ours is hidden, and a hidden application
    // window cannot take the foreground under Wine, so the menu's owner does.
    HWND owner = OwnerWindow();
    if (Application) {
        const bool inTray = !IsWindowVisible(Application->Handle());
        SetForegroundWindow(inTray && owner ? owner : Application->Handle());
        Application->ProcessMessages();
    }
    popupMenu_->Popup(pointer.x, pointer.y, owner ? owner : (Application ? Application->Handle() : nullptr));
    if (owner) PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace zelvora
