#include "toolkit/win32/Control.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>

#include "base/DpiScaling.h"
#include "base/Restore.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Boundary.h"
#include "toolkit/win32/TextEncoding.h"

namespace zelvora {

namespace {

// A window property, not GWLP_USERDATA: foreign windows (message boxes, common dialogs) use
// their user data for their own pointers.
constexpr char kControlProperty[] = "Zelvora.Control";

void Bind(HWND hwnd, TControl* control)
{
    if (control)
        SetPropA(hwnd, kControlProperty, control);
    else
        RemovePropA(hwnd, kControlProperty);
}

// Class names are plain ASCII.
std::wstring Widen(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

// Unicode windows throughout: an ANSI window procedure would squeeze every text through the
// system's code page and lose the letters of the other code page.
void RegisterOwnClass(const std::string& name, WNDPROC proc)
{
    const std::wstring className = Widen(name);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
    // The title bar's picture at its own size for the screen, not the large one shrunk.
    const int small = GetSystemMetrics(SM_CXSMICON);
    wc.hIconSm =
        static_cast<HICON>(LoadImageW(wc.hInstance, L"MAINICON", IMAGE_ICON, small, small, LR_SHARED));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = className.c_str();
    RegisterClassExW(&wc);  // a second registration of the same class fails harmlessly
}

}  // namespace

TControl* ControlOf(HWND hwnd)
{
    return hwnd ? static_cast<TControl*>(GetPropA(hwnd, kControlProperty)) : nullptr;
}

const TClassInfo& TControl::StaticClassInfo()
{
    static const TClassInfo info(
        "TControl", &TComponent::StaticClassInfo(),
        {IntegerProperty<TControl>("Left", &TControl::Left, &TControl::SetLeft),
         IntegerProperty<TControl>("Top", &TControl::Top, &TControl::SetTop),
         IntegerProperty<TControl>("Width", &TControl::Width, &TControl::SetWidth),
         IntegerProperty<TControl>("Height", &TControl::Height, &TControl::SetHeight),
         EnumProperty<TControl, TAlign>("Align", kAlignIdents, &TControl::Align, &TControl::SetAlign),
         BooleanProperty<TControl>("Visible", &TControl::Visible, &TControl::SetVisible),
         BooleanProperty<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled),
         StringProperty<TControl>("Caption", &TControl::Caption, &TControl::SetCaption),
         StringProperty<TControl>("Hint", &TControl::Hint, &TControl::SetHint),
         BooleanProperty<TControl>("ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
         ColorProperty<TControl>("Color", &TControl::Color, &TControl::SetColor),
         BooleanProperty<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor),
         ObjectProperty<TControl, TFont>("Font", &TControl::Font),
         BooleanProperty<TControl>("ParentFont", &TControl::ParentFont, &TControl::SetParentFont),
         EnumProperty<TControl, TCursorKind>("Cursor", {"crDefault", "crHandPoint"}, &TControl::Cursor,
                                             &TControl::SetCursor)});
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    font_.OnChange = [this] {
        parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl()
{
    DestroyHandle();
    for (TControl* child : controls_) child->parent_ = nullptr;
    if (parent_) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void TControl::DestroyHandle()
{
    HWND hwnd = window_.release();
    if (!hwnd) return;
    Perform(CM_WINDOWDESTROYED);
    // Unbind first: the window's last messages must not reach a half-destroyed object.
    Bind(hwnd, nullptr);
    if (systemProc_) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
    for (TControl* child : controls_) child->ForgetHandle();  // destroyed with ours by the window system
    DestroyWindow(hwnd);
}

void TControl::ForgetHandle()
{
    if (HandleAllocated()) Perform(CM_WINDOWDESTROYED);
    if (HWND hwnd = window_.release()) {
        Bind(hwnd, nullptr);
        if (systemProc_) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
    }
    systemProc_ = nullptr;
    for (TControl* child : controls_) child->ForgetHandle();
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    const bool resized = width != width_ || height != height_;
    if (!Windowed()) InvalidateOnParent();  // where it was
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (!Windowed()) InvalidateOnParent();
    if (HandleAllocated()) {
        const POINT origin = WindowOrigin();
        MoveWindow(Handle(), origin.x, origin.y, width_, height_, TRUE);
    }
    if (resized && align_ != TAlign::alNone && parent_ && !Loading()) parent_->AlignControls();
}

void TControl::GrowBy(int delta)
{
    if (delta == 0) return;
    if (align_ == TAlign::alClient) {
        if (parent_) parent_->GrowBy(delta);
        return;
    }
    const int oldBottom = top_ + height_;
    SetBounds(left_, top_, width_, std::max(height_ + delta, 0));
    if (parent_) parent_->MakeRoomBelow(*this, oldBottom, delta);
}

void TControl::MakeRoomBelow(const TControl& child, int oldBottom, int delta)
{
    // Only the freely placed children count: aligned ones follow this control's size.
    const auto lowest = [&](int childBottom) {
        int bottom = 0;
        for (const TControl* c : controls_)
            if (c->align_ == TAlign::alNone && c->visible_)
                bottom = std::max(bottom, c == &child ? childBottom : c->top_ + c->height_);
        return bottom;
    };
    const int lowestBefore = lowest(oldBottom);
    for (TControl* c : controls_) {
        const bool beside = c->left_ < child.left_ + child.width_ && child.left_ < c->left_ + c->width_;
        if (c != &child && c->align_ == TAlign::alNone && c->top_ >= oldBottom && beside)
            c->SetBounds(c->left_, c->top_ + delta, c->width_, c->height_);
    }
    GrowBy(lowest(child.top_ + child.height_) - lowestBefore);
}

RECT TControl::ClientRect() const
{
    return RECT{0, 0, width_, height_};
}

void TControl::SetAlign(TAlign align)
{
    align_ = align;
    if (parent_ && !Loading()) parent_->AlignControls();
}

void TControl::SetVisible(bool visible)
{
    visible_ = visible;
    if (!Windowed()) InvalidateOnParent();
    if (HandleAllocated()) ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetEnabled(bool enabled)
{
    const bool changed = enabled != enabled_;
    enabled_ = enabled;
    if (HandleAllocated()) EnableWindow(Handle(), enabled);
    if (changed) Perform(CM_ENABLEDCHANGED, enabled);
}

void TControl::SetCaption(const std::string& caption)
{
    if (caption == caption_) return;
    caption_ = caption;
    ApplyText();
    Perform(CM_TEXTCHANGED);
}

void TControl::ApplyText()
{
    if (HandleAllocated()) SetWindowTextW(Handle(), WideFromAnsi(WindowText(), font_.Charset()).c_str());
}

void TControl::SetColor(TColor color)
{
    color_ = color;
    parentColor_ = false;
    Invalidate();
    for (TControl* child : controls_) {
        if (child->parentColor_) child->ApplyParentColor();
        child->Perform(CM_PARENTCOLORCHANGED);
    }
}

void TControl::SetParentColor(bool parentColor)
{
    parentColor_ = parentColor;
    if (parentColor && parent_ && !Loading()) ApplyParentColor();
}

void TControl::ApplyParentColor()
{
    if (!parent_) return;
    SetColor(parent_->color_);
    parentColor_ = true;
}

void TControl::SetParentFont(bool parentFont)
{
    parentFont_ = parentFont;
    if (parentFont && parent_ && !Loading()) ApplyParentFont();
}

void TControl::ApplyParentFont()
{
    if (!parent_) return;
    font_.Assign(parent_->font_);
    parentFont_ = true;
}

TColor TControl::EffectiveColor() const
{
    return color_;
}

void TControl::SetParent(TControl* parent)
{
    if (parent == parent_) return;
    if (parent_) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_) {
        parent_->controls_.push_back(this);
        if (parent_->HandleAllocated() && !HandleAllocated()) CreateHandle();
    }
}

void TControl::SetParentComponent(TComponent* parent)
{
    SetParent(dynamic_cast<TControl*>(parent));
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == parent_) parent_ = nullptr;
    controls_.erase(std::remove(controls_.begin(), controls_.end(), component), controls_.end());
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (parentFont_) ApplyParentFont();
    if (parentColor_) ApplyParentColor();
}

void TControl::CreateParams(TCreateParams& params)
{
    params.WindowClass = "TZelvoraControl";
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
}

void TControl::CreateHandle()
{
    if (HandleAllocated() || !Windowed()) return;
    if (parent_ && !parent_->HandleAllocated()) {
        parent_->CreateHandle();  // creates ours too
        if (HandleAllocated()) return;
    }
    TCreateParams params;
    CreateParams(params);
    if (visible_) params.Style |= WS_VISIBLE;
    if (!enabled_) params.Style |= WS_DISABLED;
    const POINT origin = WindowOrigin();
    params.X = origin.x, params.Y = origin.y, params.Width = width_, params.Height = height_;
    if (parent_) params.ParentWindow = parent_->Handle();
    if (!params.SystemClass) RegisterOwnClass(params.WindowClass, StaticWndProc);

    // The text comes with the window: one call less per control.
    const std::wstring text = WideFromAnsi(WindowText(), font_.Charset());
    HWND hwnd = CreateWindowExW(params.ExStyle, Widen(params.WindowClass).c_str(), text.c_str(), params.Style,
                                params.X, params.Y, params.Width, params.Height, params.ParentWindow, nullptr,
                                GetModuleHandleW(nullptr), params.SystemClass ? nullptr : this);
    if (!hwnd) throw std::runtime_error("Cannot create window " + Name() + " (" + params.WindowClass + ")");
    window_.reset(hwnd);
    if (params.SystemClass) {
        Bind(hwnd, this);
        systemProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc)));
    }
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    // Later siblings lie above earlier ones, as they are painted later.
    if (parent_) SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HandleCreated();
    for (TControl* child : controls_) child->CreateHandle();
    AlignControls();
}

void TControl::RecreateHandle()
{
    if (!HandleAllocated()) return;
    Perform(CM_RECREATEWND);
    DestroyHandle();
    CreateHandle();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return hook_ ? hook_->HookedMessage(*this, msg, wParam, lParam) : WndProc(msg, wParam, lParam);
}

// Enter and leave notices for every control, whatever its own handling does with the mouse.
void TControl::TrackMouse(UINT msg)
{
    if (msg == WM_MOUSEMOVE && !mouseInside_) {
        mouseInside_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        Perform(CM_MOUSEENTER);
    } else if (msg == WM_MOUSELEAVE && mouseInside_) {
        mouseInside_ = false;
        Perform(CM_MOUSELEAVE);
    }
}

void TControl::Invalidate()
{
    if (!Windowed()) InvalidateOnParent();
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

RECT TControl::RectInParentWindow() const
{
    const POINT origin = WindowOrigin();
    return RECT{origin.x, origin.y, origin.x + width_, origin.y + height_};
}

void TControl::InvalidateOnParent()
{
    if (!parent_ || !parent_->HandleAllocated()) return;
    const RECT area = RectInParentWindow();
    InvalidateRect(parent_->Handle(), &area, TRUE);
}

void TControl::PaintGraphicChildren(HDC dc)
{
    for (TControl* child : controls_) {
        if (child->Windowed() || !child->visible_) continue;
        const int saved = SaveDC(dc);
        const RECT area = child->RectInParentWindow();
        IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
        OffsetViewportOrgEx(dc, area.left, area.top, nullptr);
        child->Paint(dc);
        RestoreDC(dc, saved);
    }
}

TControl* TControl::GraphicChildTakingMouseAt(POINT point) const
{
    // The last one painted lies on top.
    for (auto child = controls_.rbegin(); child != controls_.rend(); ++child) {
        const TControl& c = **child;
        const RECT area = c.RectInParentWindow();
        if (!c.Windowed() && c.visible_ && c.enabled_ && c.TakesMouseButtons() && PtInRect(&area, point))
            return *child;
    }
    return nullptr;
}

HBRUSH TControl::BackgroundBrush()
{
    const TColor color = EffectiveColor();
    if (!background_ || backgroundColor_ != color) {
        background_.reset(CreateSolidBrush(ColorToRGB(color)));
        backgroundColor_ = color;
    }
    return background_.get();
}

HFONT TControl::FontHandle()
{
    if (!font_handle_) {
        const unsigned style = font_.Style();
        font_handle_.reset(CreateFontA(
            font_.Height(), 0, 0, 0, (style & fsBold) ? FW_BOLD : FW_NORMAL, (style & fsItalic) != 0,
            (style & fsUnderline) != 0, (style & fsStrikeOut) != 0, static_cast<BYTE>(font_.Charset()),
            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, font_.Name().c_str()));
    }
    return font_handle_.get();
}

void TControl::FontChanged()
{
    if (HandleAllocated()) {
        UniqueFont old = std::move(font_handle_);  // deleted only after the window has the new one
        SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
        ApplyText();  // the charset may have changed the text's code page
        Invalidate();
    } else {
        font_handle_.reset();
    }
    for (TControl* child : controls_)
        if (child->parentFont_) child->ApplyParentFont();
}

void TControl::AlignControls()
{
    if (aligning_) return;
    aligning_ = true;
    RECT area = ClientRect();
    for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
        for (TControl* child : controls_) {
            if (child->align_ != pass || !child->visible_) continue;
            const int w = area.right - area.left, h = area.bottom - area.top;
            switch (pass) {
                case TAlign::alTop:
                    child->SetBounds(area.left, area.top, w, child->height_);
                    area.top += child->height_;
                    break;
                case TAlign::alBottom:
                    child->SetBounds(area.left, area.bottom - child->height_, w, child->height_);
                    area.bottom -= child->height_;
                    break;
                case TAlign::alLeft:
                    child->SetBounds(area.left, area.top, child->width_, h);
                    area.left += child->width_;
                    break;
                case TAlign::alRight:
                    child->SetBounds(area.right - child->width_, area.top, child->width_, h);
                    area.right -= child->width_;
                    break;
                default:
                    child->SetBounds(area.left, area.top, w, h);
                    break;
            }
        }
    aligning_ = false;
}

void TControl::ChangeScale(int toDpi)
{
    if (toDpi <= 0 || toDpi == dpi_) return;
    ScaleMetrics(toDpi);
    ApplyScaledMetrics();
}

bool TControl::ScalingMetrics() const
{
    for (const TControl* control = this; control; control = control->parent_)
        if (control->scalingMetrics_) return true;
    return false;
}

void TControl::ScaleMetrics(int toDpi)
{
    const TRestore<bool> restore{scalingMetrics_, scalingMetrics_};
    scalingMetrics_ = true;
    const TRect scaled = ScaleRectBetweenDpi(TRect{left_, top_, left_ + width_, top_ + height_}, toDpi, dpi_);
    // A window of its own is placed at a point of the screen, which is no length to scale.
    if (parent_) left_ = scaled.Left, top_ = scaled.Top;
    width_ = scaled.Width(), height_ = scaled.Height();
    // A font of its own changes here and hands itself on to the children that share it.
    if (!parentFont_ || !parent_) font_.SetHeight(ScaleFontHeightBetweenDpi(font_.Height(), toDpi, dpi_));
    dpi_ = toDpi;
    for (TControl* child : controls_) child->ScaleMetrics(toDpi);
}

void TControl::ApplyScaledMetrics()
{
    // A window without a parent control places itself on the screen.
    if (HandleAllocated() && parent_) SetBounds(left_, top_, width_, height_);
    for (TControl* child : controls_) child->ApplyScaledMetrics();
    AlignControls();
}

bool TControl::Reflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN || msg == WM_CTLCOLOREDIT) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, ColorToRGB(font_.Color()));
        SetBkColor(dc, ColorToRGB(EffectiveColor()));
        result = reinterpret_cast<LRESULT>(BackgroundBrush());
        return true;
    }
    return false;
}

void TControl::Paint(HDC) {}

LRESULT TControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!HandleAllocated()) return 0;  // a graphic control: its parent has done the rest
    return systemProc_ ? CallWindowProcW(systemProc_, Handle(), msg, wParam, lParam)
                       : DefWindowProcW(Handle(), msg, wParam, lParam);
}

bool TControl::HasFrame() const
{
    RECT window{}, client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

LRESULT TControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg > CM_BASE && msg <= CM_LAST) return 0;  // the toolkit's own notices end here
    switch (msg) {
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
            if (TControl* child = ControlOf(reinterpret_cast<HWND>(lParam)); child && child != this) {
                LRESULT result = 0;
                if (child->Reflected(msg, wParam, lParam, result)) return result;
            }
            break;
        case WM_NOTIFY:
            if (TControl* child = ControlOf(reinterpret_cast<NMHDR*>(lParam)->hwndFrom);
                child && child != this) {
                LRESULT result = 0;
                if (child->Reflected(msg, wParam, lParam, result)) return result;
            }
            break;
        case WM_ERASEBKGND:
            if (!systemProc_) {
                RECT r;
                GetClientRect(Handle(), &r);
                FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
                return 1;
            }
            break;
        case WM_PAINT:
            if (!systemProc_) {
                PaintScope paint(Handle());
                Paint(paint.Dc());
                PaintGraphicChildren(paint.Dc());
                return 0;
            }
            break;
        case WM_NCPAINT:
            // A child without a frame has nothing to paint outside its client area, and the
            // system's frame painting would still take a device context for it.
            if (parent_ && !HasFrame()) return 0;
            break;
        case WM_SETCURSOR:
            if (Application && Application->BusyCursor()) {
                ::SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
                return TRUE;
            }
            if (cursor_ == TCursorKind::crHandPoint && LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
                return TRUE;
            }
            break;
        case WM_SIZE:
            if (!systemProc_) AlignControls();
            break;
        default:
            break;
    }
    return DefaultHandler(msg, wParam, lParam);
}

LRESULT CALLBACK TControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg == WM_NCCREATE) {
        auto* control = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (control) {
            control->window_.reset(hwnd);
            Bind(hwnd, control);
        }
    }
    TControl* control = ControlOf(hwnd);
    if (!control) return DefWindowProcW(hwnd, msg, wParam, lParam);
    // The left, right and middle buttons' down, up and double-click messages.
    if (msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK) {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (TControl* graphic = control->GraphicChildTakingMouseAt(at))
            return Guarded(LRESULT{0}, [&] {
                const RECT area = graphic->RectInParentWindow();
                return graphic->Perform(msg, wParam, MAKELPARAM(at.x - area.left, at.y - area.top));
            });
    }
    return Guarded(LRESULT{0}, [&] {
        const LRESULT result = control->Perform(msg, wParam, lParam);
        // Only these make notices; the handling may have freed the control, so look again.
        const bool notices = msg == WM_MOUSEMOVE || msg == WM_MOUSELEAVE || msg == WM_KILLFOCUS;
        if (notices && ControlOf(hwnd) == control) {
            if (msg == WM_KILLFOCUS)
                control->Perform(CM_EXIT);
            else
                control->TrackMouse(msg);
        }
        return result;
    });
}

}  // namespace zelvora
