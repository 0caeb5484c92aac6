#include "toolkit/win32/Form.h"
#include "toolkit/win32/MonitorInView.h"

#include <algorithm>

#include <stdexcept>
#include <vector>

#include "base/DpiScaling.h"
#include "toolkit/DescriptionReader.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Menus.h"
#include "toolkit/win32/RadioButton.h"
#include "toolkit/win32/ScreenDpi.h"

namespace zelvora {

std::string LoadTextResource(const char* name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw std::runtime_error(std::string("Resource ") + name + " not found");
    return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}

TForm::TForm(TComponent* owner) : TControl(owner)
{
    TControl::SetVisible(false);
}

TForm::~TForm()
{
    // Children first, while this is still a whole window object.
    DestroyComponents();
}

const TClassInfo& TForm::StaticClassInfo()
{
    static const TClassInfo info(
        "TForm", &TControl::StaticClassInfo(),
        {IntegerProperty<TForm>("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth),
         IntegerProperty<TForm>("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight),
         EnumProperty<TForm, TFormBorderStyle>(
             "BorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
             &TForm::BorderStyle, &TForm::SetBorderStyle),
         SetProperty<TForm>("BorderIcons", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"},
                            &TForm::BorderIcons, &TForm::SetBorderIcons),
         EnumProperty<TForm, TPosition>(
             "Position",
             {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
              "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
             &TForm::Position, &TForm::SetPosition),
         BooleanProperty<TForm>("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview),
         ComponentProperty<TForm, TMainMenu>("Menu", &TForm::Menu, &TForm::SetMenu),
         EnumProperty<TForm, TWindowState>("WindowState", {"wsNormal", "wsMinimized", "wsMaximized"},
                                           &TForm::WindowState, &TForm::SetWindowState),
         EventProperty<TForm>("OnCreate", &TForm::OnCreate), EventProperty<TForm>("OnShow", &TForm::OnShow),
         EventProperty<TForm>("OnDestroy", &TForm::OnDestroy),
         EventProperty<TForm>("OnKeyPress", &TForm::OnKeyPress),
         EventProperty<TForm>("OnClose", &TForm::OnClose)});
    return info;
}

void TForm::PrepareDestruction()
{
    if (destroyFired_) return;
    destroyFired_ = true;
    OnDestroy.Fire(this);
    BeforeDestruction();
}

void TForm::InitializeFromResource(const char* resourceName, TWindowsMade made)
{
    InitializeFromText(LoadTextResource(resourceName), made);
}

void TForm::InitializeFromText(const std::string& description, TWindowsMade made)
{
    const TWindowLookup windows = [this](std::string_view name) -> TComponent* {
        return Owner() ? Owner()->FindComponent(name) : nullptr;
    };
    const TObjectDesc parsed = ParseDescription(description);
    MarkStartup("description parsed", parsed.Name);
    ReadDescription(*this, parsed, windows);
    MarkStartup("components made", Name());
    ChangeScale(OpeningDpi());
    PlaceWindow();
    MarkStartup("scaled and placed", Name());
    // The main window's system windows come at once (or when it makes them). The other windows
    // get theirs after the main window's first frame, or when first shown: under Wine each
    // system window costs a millisecond or two, and the person waits for the main window only.
    if ((!Application || Application->MainForm() == this) && made == TWindowsMade::AtOnce) {
        CreateHandle();
        MarkStartup("system windows", Name());
    }
    ApplyMenu();
    OnCreate.Fire(this);
    MarkStartup("menu and OnCreate", Name());
}

void TForm::CreateParams(TCreateParams& params)
{
    params.WindowClass = ClassName();
    params.SystemClass = false;
    params.ParentWindow = Application ? Application->Handle() : nullptr;  // owner: no taskbar button
    params.ExStyle = 0;
    switch (borderStyle_) {
        case TFormBorderStyle::bsNone:
            params.Style = WS_POPUP;
            break;
        case TFormBorderStyle::bsDialog:
            params.Style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
            params.ExStyle = WS_EX_DLGMODALFRAME;
            break;
        case TFormBorderStyle::bsSingle:
            params.Style = WS_OVERLAPPED | WS_CAPTION | WS_BORDER;
            break;
        default:
            params.Style = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
            break;
    }
    if (borderIcons_ & biSystemMenu) params.Style |= WS_SYSMENU;
    if (borderStyle_ != TFormBorderStyle::bsDialog) {
        if (borderIcons_ & biMinimize) params.Style |= WS_MINIMIZEBOX;
        if (borderIcons_ & biMaximize) params.Style |= WS_MAXIMIZEBOX;
    }
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

bool TForm::IsMainForm() const
{
    return !Application || Application->MainForm() == this;
}

bool TForm::Centred() const
{
    return position_ == TPosition::poScreenCenter || position_ == TPosition::poDesktopCenter ||
           position_ == TPosition::poMainFormCenter || position_ == TPosition::poOwnerFormCenter;
}

int TForm::OpeningDpi() const
{
    // Asking a monitor loads a library (tens of milliseconds under Wine): a centred window takes
    // the system's DPI, and HandleCreated corrects it in the rare case the main monitor's differs.
    return Centred() ? SystemDpi() : DpiAtPoint(POINT{Left(), Top()});
}

void TForm::HandleCreated()
{
    const int dpi = DpiOfWindow(Handle());
    if (dpi == Dpi()) return;
    ChangeScale(dpi);
    PlaceWindow();
}

void TForm::ScaleMetrics(int toDpi)
{
    clientWidth_ = ScaleBetweenDpi(clientWidth_, toDpi, Dpi());
    clientHeight_ = ScaleBetweenDpi(clientHeight_, toDpi, Dpi());
    for (TComponent* component : Components())
        if (auto* scaled = dynamic_cast<IScaledComponent*>(component)) scaled->ScaleMetrics(toDpi, Dpi());
    TControl::ScaleMetrics(toDpi);
}

void TForm::DpiChanged(int dpi, const RECT& suggested)
{
    ScaleMetrics(dpi);
    const int width = clientWidth_, height = clientHeight_;
    // The system's rectangle keeps the window under the pointer that dragged it across.
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // A system that keeps the frame at its own DPI (Wine) leaves another client area than the
    // scaled one: the window makes up the difference, so that a way back lands where it began.
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.right != width || client.bottom != height)
        SetWindowPos(Handle(), nullptr, 0, 0, suggested.right - suggested.left + width - client.right,
                     suggested.bottom - suggested.top + height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Texts that need other room at this size change the height from there.
    ApplyScaledMetrics();
    if (menu_) DrawMenuBar(Handle());
    ScaleChanged();
}

SIZE TForm::WindowSizeAt(int dpi)
{
    TCreateParams params;
    CreateParams(params);
    RECT frame{0, 0, ScaleBetweenDpi(clientWidth_, dpi, Dpi()), ScaleBetweenDpi(clientHeight_, dpi, Dpi())};
    AdjustWindowRectForDpi(frame, params.Style, menu_ != nullptr, params.ExStyle, dpi);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

void TForm::PlaceWindow()
{
    const SIZE size = WindowSizeAt(Dpi());
    const int width = size.cx, height = size.cy;
    int left = Left(), top = Top();
    if (Centred()) {
        // The main window opens on the primary monitor, and so is every window described before
        // it has its system window (at start: no monitor asked); Show moves the others where the
        // person looks.
        const RECT monitor = IsMainForm() || !HandleAllocated()
                                 ? RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}
                                 : MonitorInView().Bounds;
        left = monitor.left + (monitor.right - monitor.left - width) / 2;
        top = monitor.top + (monitor.bottom - monitor.top - height) / 2;
    }
    TControl::SetBounds(left, top, width, height);
}

void TForm::SetClientWidth(int width)
{
    clientWidth_ = width;
    if (HandleAllocated()) PlaceWindow();
}

void TForm::SetClientHeight(int height)
{
    clientHeight_ = height;
    if (HandleAllocated()) PlaceWindow();
}

void TForm::GrowBy(int delta)
{
    if (!HandleAllocated()) {
        clientHeight_ = std::max(clientHeight_ + delta, 0);
        return;
    }
    // From the window as it is: its frame may differ from what the DPI alone would give.
    RECT window{};
    GetWindowRect(Handle(), &window);
    TControl::SetBounds(window.left, window.top, window.right - window.left,
                        std::max<int>(window.bottom - window.top + delta, 0));
}

void TForm::SetMenu(TMainMenu* menu)
{
    if (menu_) menu_->OnChange = nullptr;
    menu_ = menu;
    if (menu_) menu_->FreeNotification(this);
    ApplyMenu();
}

void TForm::ApplyMenu()
{
    if (!menu_) {
        if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
        return;
    }
    menu_->OnChange = [this] {
        if (!IsUpdating()) ApplyMenu();
    };
    menu_->SetCharset(Font().Charset());
    if (!HandleAllocated() || IsUpdating()) return;  // UpdatesDone applies it
    ::SetMenu(Handle(), menu_->Handle());
    if (IsWindowVisible(Handle())) DrawMenuBar(Handle());  // a hidden bar is drawn when it shows
}

void TForm::UpdatesDone()
{
    if (menu_) ApplyMenu();
}

void TForm::FontChanged()
{
    TControl::FontChanged();
    if (menu_) menu_->SetCharset(Font().Charset());
}

void TForm::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove && component == menu_) {
        menu_ = nullptr;
        if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
    }
    TControl::Notification(component, operation);
}

void TForm::SetWindowState(TWindowState state)
{
    windowState_ = state;
    if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
    ShowWindow(Handle(), state == TWindowState::wsMinimized   ? SW_MINIMIZE
                         : state == TWindowState::wsMaximized ? SW_MAXIMIZE
                                                              : SW_RESTORE);
}

void TForm::SetVisible(bool visible)
{
    if (visible)
        Show();
    else
        Hide();
}

void TForm::Show()
{
    if (!HandleAllocated()) CreateHandle();
    const bool wasVisible = IsWindowVisible(Handle());
    // Placed on the primary or on another monitor, and opened while the person looks elsewhere.
    if (!wasVisible && Centred() && !IsMainForm() &&
        MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST) != MonitorInView().Monitor)
        PlaceWindow();
    TControl::SetVisible(true);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(
        Handle());  // a window the user opened takes the keyboard; WM_ACTIVATE focuses its control
    MarkStartup("shown", Name());
    UpdateWindow(Handle());
    MarkStartup("painted", Name());
    if (!wasVisible) OnShow.Fire(this);
}

void TForm::Hide()
{
    // An active window that hides hands activation on, and the system may pick another
    // program's window; another window of ours takes it first, so the user stays in Zelvora.
    if (HandleAllocated() && GetActiveWindow() == Handle()) {
        struct Search {
            HWND Self, Found;
        } search{Handle(), nullptr};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM data) noexcept -> BOOL {
                auto& s = *reinterpret_cast<Search*>(data);
                if (hwnd == s.Self || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
                RECT r{};
                GetWindowRect(hwnd, &r);
                if (r.right - r.left <= 0) return TRUE;  // the zero-sized application window
                s.Found = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.Found) SetActiveWindow(search.Found);
    }
    TControl::SetVisible(false);
}

TModalResult TForm::ShowModal()
{
    if (modal_) throw std::runtime_error("Cannot make a visible window modal");
    // Every other window of this thread waits while the modal window is up.
    std::vector<HWND> disabled;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM list) noexcept -> BOOL {
            if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) try {
                    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
                } catch (...) {
                    return FALSE;  // no memory: the windows found so far wait
                }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabled));
    for (HWND hwnd : disabled)
        if (hwnd != Handle()) EnableWindow(hwnd, FALSE);
    // Whatever leaves the loop, an exception too, gives the other windows back.
    struct TEndModal {
        TForm& Form;
        const std::vector<HWND>& Disabled;
        ~TEndModal()
        {
            for (HWND hwnd : Disabled)
                if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
            if (Form.HandleAllocated()) Form.Hide();
            Form.modal_ = false;
            if (!Disabled.empty() && IsWindow(Disabled.front())) SetActiveWindow(Disabled.front());
        }
    } endModal{*this, disabled};
    modal_ = true;
    modalResult_ = TModalResult::mrNone;
    Show();
    while (modalResult_ == TModalResult::mrNone && Application && !Application->Terminated())
        Application->HandleMessage();
    const TModalResult result = modalResult_;
    return result == TModalResult::mrNone ? TModalResult::mrCancel : result;
}

void TForm::Close()
{
    OnClose.Fire(this);
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else if (modal_)
        modalResult_ = TModalResult::mrCancel;
    else
        Hide();
}

namespace {

bool IsTabStop(const TControl& control)
{
    if (!control.HandleAllocated()) return false;
    HWND hwnd = control.Handle();
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) || !(GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP))
        return false;
    const auto* radio = dynamic_cast<const TRadioButton*>(&control);
    if (!radio || radio->Checked() || !control.Parent()) return true;
    for (const TControl* sibling : control.Parent()->Controls())
        if (const auto* other = dynamic_cast<const TRadioButton*>(sibling); other && other->Checked())
            return false;
    return true;
}

void CollectTabStops(const TControl& parent, std::vector<TControl*>& order)
{
    for (TControl* child : parent.Controls()) {
        if (IsTabStop(*child)) order.push_back(child);
        CollectTabStops(*child, order);
    }
}

}  // namespace

std::vector<TControl*> TForm::TabOrder() const
{
    std::vector<TControl*> order;
    CollectTabStops(*this, order);
    return order;
}

void TForm::FocusActiveControl()
{
    if (activeControl_ && IsChild(Handle(), activeControl_) && IsWindowVisible(activeControl_) &&
        IsWindowEnabled(activeControl_)) {
        SetFocus(activeControl_);
        return;
    }
    const std::vector<TControl*> order = TabOrder();
    if (!order.empty()) SetFocus(order.front()->Handle());
}

bool TForm::MoveFocus(bool forward)
{
    const std::vector<TControl*> order = TabOrder();
    if (order.empty()) return false;
    HWND focus = GetFocus();
    std::size_t at = order.size();
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i]->Handle() == focus || IsChild(order[i]->Handle(), focus)) at = i;
    std::size_t next = 0;
    if (at == order.size())
        next = forward ? 0 : order.size() - 1;
    else
        next = forward ? (at + 1) % order.size() : (at + order.size() - 1) % order.size();
    SetFocus(order[next]->Handle());
    return true;
}

TButton* TForm::FindButton(bool wantDefault) const
{
    for (TComponent* component : Components())
        if (auto* button = dynamic_cast<TButton*>(component);
            button && button->Visible() && button->Enabled() &&
            (wantDefault ? button->Default() : button->Cancel()))
            return button;
    return nullptr;
}

bool TForm::PreviewKey(const MSG& msg)
{
    if (msg.message == WM_CHAR && keyPreview_ && OnKeyPress.Handler) {
        TEventArgs args;
        args.Sender = this;
        args.Key = static_cast<int>(msg.wParam);
        OnKeyPress.Handler(args);
        if (args.Key == 0) return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
        GetKeyState(VK_MENU) >= 0)
        return MoveFocus(GetKeyState(VK_SHIFT) >= 0);
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
        // Enter presses the focused button, else the default one. A push button outside the
        // system's dialog manager does not press itself on Enter.
        if (auto* focused = dynamic_cast<TButton*>(ControlOf(GetFocus()));
            focused && msg.wParam == VK_RETURN) {
            focused->Click();
            return true;
        }
        if (TButton* button = FindButton(msg.wParam == VK_RETURN)) {
            button->Click();
            return true;
        }
    }
    return false;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ACTIVATE:
            // The control that had the keyboard gets it back when the window is active again.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) activeControl_ = focus;
            } else if (!HIWORD(wParam)) {
                FocusActiveControl();
                return 0;
            }
            break;
        case WM_COMMAND:
            if (lParam == 0 && HIWORD(wParam) == 0 && menu_ && menu_->DispatchCommand(LOWORD(wParam)))
                return 0;
            break;
        case WM_GETDPISCALEDSIZE:
            // The client area is what scales; the frame takes the new screen's metrics.
            *reinterpret_cast<SIZE*>(lParam) = WindowSizeAt(static_cast<int>(wParam));
            return TRUE;
        case WM_DPICHANGED:
            DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                clientWidth_ = LOWORD(lParam);
                clientHeight_ = HIWORD(lParam);
            }
            break;
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (measure->CtlType != ODT_MENU) break;
            auto* item = reinterpret_cast<TMenuItem*>(measure->itemData);
            if (!item || !item->OnMeasureItem.Handler) break;
            TEventArgs args;
            args.Sender = item;
            args.Width = static_cast<int>(measure->itemWidth);
            args.Height = static_cast<int>(measure->itemHeight);
            item->OnMeasureItem.Handler(args);
            measure->itemWidth = static_cast<UINT>(args.Width);
            measure->itemHeight = static_cast<UINT>(args.Height);
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (draw->CtlType != ODT_MENU) break;
            auto* item = reinterpret_cast<TMenuItem*>(draw->itemData);
            if (!item || !item->OnDrawItem.Handler) break;
            TEventArgs args;
            args.Sender = item;
            args.Dc = draw->hDC;
            args.Left = draw->rcItem.left, args.Top = draw->rcItem.top;
            args.Right = draw->rcItem.right, args.Bottom = draw->rcItem.bottom;
            args.State = draw->itemState;
            item->OnDrawItem.Handler(args);
            return TRUE;
        }
        case WM_NCPAINT:
        case WM_NCACTIVATE: {
            const LRESULT result = TControl::WndProc(msg, wParam, lParam);
            if (menu_) menu_->PaintBarBeside(Handle());
            return result;
        }
        case WM_SYSCOMMAND:
            // The main window minimises the whole application, through the application window.
            if ((wParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
                Application->Minimize();
                return 0;
            }
            break;
        default:
            break;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

}  // namespace zelvora
