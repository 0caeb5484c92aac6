#include "controls/win32/CaptionPanel.h"

#include <shellapi.h>
#include <uxtheme.h>

#include "toolkit/win32/SystemLibrary.h"

#include <algorithm>
#include <cmath>

#include "base/DpiScaling.h"
#include "controls/win32/HtmlCanvas.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Bitmap.h"
#include "toolkit/win32/Registry.h"

namespace zelvora {

TAdvPanel::TAdvPanel(TComponent* owner) : TPanel(owner)
{
    caption_.OnChange = [this] { Invalidate(); };
    caption_.OnShadeChange = [this] {
        if (HandleAllocated()) BuildShade();
    };
    caption_.OnStateChange = [this] { StateChanged(); };
}

const TClassInfo& TAdvPanel::StaticClassInfo()
{
    static const TClassInfo info(
        "TAdvPanel", &TPanel::StaticClassInfo(),
        {ObjectProperty<TAdvPanel, TPanelCaption>("Caption", &TAdvPanel::Caption),
         StringProperty<TAdvPanel>("Text", &TAdvPanel::Text, &TAdvPanel::SetText),
         ColorProperty<TAdvPanel>("ColorTo", &TAdvPanel::ColorTo, &TAdvPanel::SetColorTo),
         ColorProperty<TAdvPanel>("BorderColor", &TAdvPanel::BorderColor, &TAdvPanel::SetBorderColor),
         BooleanProperty<TAdvPanel>("BorderShadow", &TAdvPanel::BorderShadow, &TAdvPanel::SetBorderShadow),
         BooleanProperty<TAdvPanel>("Buffered", &TAdvPanel::Buffered, &TAdvPanel::SetBuffered),
         BooleanProperty<TAdvPanel>("Collaps", &TAdvPanel::Collaps, &TAdvPanel::SetCollaps),
         IntegerProperty<TAdvPanel>("FullHeight", &TAdvPanel::FullHeight, &TAdvPanel::SetFullHeight),
         ColorProperty<TAdvPanel>("CollapsColor", &TAdvPanel::CollapsColor, &TAdvPanel::SetCollapsColor),
         IntegerProperty<TAdvPanel>("CollapsDelay", &TAdvPanel::CollapsDelay, &TAdvPanel::SetCollapsDelay),
         IntegerProperty<TAdvPanel>("CollapsSteps", &TAdvPanel::CollapsSteps, &TAdvPanel::SetCollapsSteps),
         BooleanProperty<TAdvPanel>("AutoHideChildren", &TAdvPanel::AutoHideChildren,
                                    &TAdvPanel::SetAutoHideChildren),
         BooleanProperty<TAdvPanel>("CanMove", &TAdvPanel::CanMove, &TAdvPanel::SetCanMove),
         BooleanProperty<TAdvPanel>("CanSize", &TAdvPanel::CanSize, &TAdvPanel::SetCanSize),
         BooleanProperty<TAdvPanel>("Hover", &TAdvPanel::Hover, &TAdvPanel::SetHover),
         ColorProperty<TAdvPanel>("HoverColor", &TAdvPanel::HoverColor, &TAdvPanel::SetHoverColor),
         ColorProperty<TAdvPanel>("HoverFontColor", &TAdvPanel::HoverFontColor,
                                  &TAdvPanel::SetHoverFontColor),
         ColorProperty<TAdvPanel>("URLColor", &TAdvPanel::URLColor, &TAdvPanel::SetURLColor),
         ColorProperty<TAdvPanel>("ShadowColor", &TAdvPanel::ShadowColor, &TAdvPanel::SetShadowColor),
         IntegerProperty<TAdvPanel>("ShadowOffset", &TAdvPanel::ShadowOffset, &TAdvPanel::SetShadowOffset),
         EnumProperty<TAdvPanel, TTextVAlignment>("TextVAlign", {"tvaTop", "tvaCenter", "tvaBottom"},
                                                  &TAdvPanel::TextVAlign, &TAdvPanel::SetTextVAlign),
         IntegerProperty<TAdvPanel>("Indent", &TAdvPanel::Indent, &TAdvPanel::SetIndent),
         IntegerProperty<TAdvPanel>("TopIndent", &TAdvPanel::TopIndent, &TAdvPanel::SetTopIndent),
         EventProperty<TAdvPanel>("OnCaptionClick", &TAdvPanel::OnCaptionClick),
         EventProperty<TAdvPanel>("OnCaptionDBlClick", &TAdvPanel::OnCaptionDBlClick),
         EventProperty<TAdvPanel>("OnAnchorClick", &TAdvPanel::OnAnchorClick),
         EventProperty<TAdvPanel>("OnMinimize", &TAdvPanel::OnMinimize),
         EventProperty<TAdvPanel>("OnMaximize", &TAdvPanel::OnMaximize),
         EventProperty<TAdvPanel>("OnEndMoveSize", &TAdvPanel::OnEndMoveSize),
         EventProperty<TAdvPanel>("OnAnchorEnter", &TAdvPanel::OnAnchorEnter),
         EventProperty<TAdvPanel>("OnAnchorExit", &TAdvPanel::OnAnchorExit),
         EventProperty<TAdvPanel>("OnAnchorHint", &TAdvPanel::OnAnchorHint),
         EventProperty<TAdvPanel>("OnClose", &TAdvPanel::OnClose),
         BooleanProperty<TAdvPanel>("FixedTop", &TAdvPanel::FixedTop, &TAdvPanel::SetFixedTop),
         BooleanProperty<TAdvPanel>("FixedLeft", &TAdvPanel::FixedLeft, &TAdvPanel::SetFixedLeft),
         BooleanProperty<TAdvPanel>("FixedHeight", &TAdvPanel::FixedHeight, &TAdvPanel::SetFixedHeight),
         BooleanProperty<TAdvPanel>("FixedWidth", &TAdvPanel::FixedWidth, &TAdvPanel::SetFixedWidth),
         BooleanProperty<TAdvPanel>("FreeOnClose", &TAdvPanel::FreeOnClose, &TAdvPanel::SetFreeOnClose),
         ObjectProperty<TAdvPanel, TPanelPosition>("Position", &TAdvPanel::Position),
         ObjectProperty<TAdvPanel, TAutoSize>("AutoSize", &TAdvPanel::AutoSize),
         EnumProperty<TAdvPanel, TBackGroundPosition>("BackgroundPosition",
                                                      {"bpTopLeft", "bpTopRight", "bpBottomLeft",
                                                       "bpBottomRight", "bpTiled", "bpStretched", "bpCenter"},
                                                      &TAdvPanel::BackgroundPosition,
                                                      &TAdvPanel::SetBackgroundPosition),
         ComponentProperty<TAdvPanel, TImageList>("Images", &TAdvPanel::Images, &TAdvPanel::SetImages),
         ComponentProperty<TAdvPanel, TPictureContainer>("PictureContainer", &TAdvPanel::PictureContainer,
                                                         &TAdvPanel::SetPictureContainer),
         BooleanProperty<TAdvPanel>("AnchorHint", &TAdvPanel::AnchorHint, &TAdvPanel::SetAnchorHint)});
    return info;
}

void TAdvPanel::Fire(TEventRef& event, std::string* text)
{
    if (!event.Handler) return;
    TEventArgs args;
    args.Sender = this;
    if (text) args.Text = *text;
    event.Handler(args);
    if (text) *text = args.Text;
}

void TAdvPanel::SetBackgroundPosition(TBackGroundPosition position)
{
    backgroundPosition_ = position;
    Invalidate();
}

void TAdvPanel::SetImages(TImageList* images)
{
    images_ = images;
    if (images) images->FreeNotification(this);
    Invalidate();
}

void TAdvPanel::SetPictureContainer(TPictureContainer* container)
{
    pictureContainer_ = container;
    if (container) container->FreeNotification(this);
    Invalidate();
}

void TAdvPanel::Notification(TComponent* component, TOperation operation)
{
    TPanel::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == images_) images_ = nullptr;
    if (component == pictureContainer_) pictureContainer_ = nullptr;
    if (HandleAllocated()) Invalidate();
}

THtmlPictureSources TAdvPanel::PictureSources()
{
    return {images_, pictureContainer_, &pictureCache_};
}

THtmlOptions TAdvPanel::HtmlOptions(bool inCaption) const
{
    THtmlOptions options;
    options.URLColor = urlColor_, options.ShadowColor = shadowColor_, options.ShadowOffset = shadowOffset_;
    options.Hover = hover_;
    options.HoverIndex = hoveredInCaption_ == inCaption && !hovered_.empty() ? hoveredIndex_ : -1;
    options.HoverColor = hoverColor_, options.HoverFontColor = hoverFontColor_;
    return options;
}

bool TAdvPanel::VisualStylesActive()
{
    // The visual-styles library is loaded by name, only for the one caption style that uses it.
    auto* themeActive = SystemFunction<decltype(IsThemeActive)>(L"uxtheme.dll", "IsThemeActive");
    auto* appThemed = SystemFunction<decltype(IsAppThemed)>(L"uxtheme.dll", "IsAppThemed");
    return themeActive && appThemed && themeActive() && appThemed();
}

void TAdvPanel::SetText(const std::string& text)
{
    text_ = text;
    Invalidate();
}

void TAdvPanel::SetColorTo(TColor color)
{
    colorTo_ = color;
    Invalidate();
}

void TAdvPanel::SetBorderColor(TColor color)
{
    borderColor_ = color;
    Invalidate();
}

void TAdvPanel::SetBorderShadow(bool shadow)
{
    borderShadow_ = shadow;
    Invalidate();
}

void TAdvPanel::SetBounds(int left, int top, int width, int height)
{
    // Outside a collapse, a new height is the height to expand to.
    if (height != Height() && !collaps_ && !changing_) fullHeight_ = height;
    TPanel::SetBounds(left, top, width, height);
    if (HandleAllocated() && (!shade_ || shade_->Width() != Width())) BuildShade();
}

void TAdvPanel::ScaleMetrics(int toDpi)
{
    const int fromDpi = Dpi();
    const auto scale = [&](int length) { return ScaleBetweenDpi(length, toDpi, fromDpi); };
    caption_.SetHeight(scale(caption_.Height()));
    caption_.Font().SetHeight(ScaleFontHeightBetweenDpi(caption_.Font().Height(), toDpi, fromDpi));
    caption_.SetIndent(scale(caption_.Indent()));
    caption_.SetTopIndent(scale(caption_.TopIndent()));
    shadowOffset_ = scale(shadowOffset_);
    indent_ = scale(indent_);
    topIndent_ = scale(topIndent_);
    fullHeight_ = scale(fullHeight_);
    loadedWidth_ = scale(loadedWidth_);
    loadedHeight_ = scale(loadedHeight_);
    lastLookup_.reset();
    TPanel::ScaleMetrics(toDpi);
}

void TAdvPanel::ApplyScaledMetrics()
{
    TPanel::ApplyScaledMetrics();
    // The band's shade is made for its size in pixels; a new width has brought a new one already.
    if (HandleAllocated() && (!shade_ || shade_->Height() != caption_.Height())) BuildShade();
}

void TAdvPanel::Loaded()
{
    TPanel::Loaded();
    RestorePosition();
    loadedColor_ = Color();  // what an animated expand returns to
    loadedWidth_ = Width();
    loadedHeight_ = Height();
}

TAdvPanel::~TAdvPanel()
{
    SavePosition();
}

RECT TAdvPanel::ClientRect() const
{
    RECT area{0, 0, Width(), Height()};
    if (caption_.Visible()) area.top = std::max<LONG>(area.top, caption_.Height());
    int inset = BorderWidth();
    if (BevelOuter() != TBevelCut::bvNone) inset += BevelWidth();
    if (BevelInner() != TBevelCut::bvNone) inset += BevelWidth();
    InflateRect(&area, -inset, -inset);
    return area;
}

void TAdvPanel::CreateParams(TCreateParams& params)
{
    TPanel::CreateParams(params);
    params.WindowClass = "TAdvPanel";
}

LRESULT TAdvPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_SIZE:
            if (!shade_ || shade_->Width() != Width()) BuildShade();
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const auto [x, y] = PointFromPacked(static_cast<unsigned long long>(lParam));
            if (msg != WM_LBUTTONDBLCLK && caption_.Visible() && PressButtons(x, y)) return 0;
            if (caption_.Visible() && y < caption_.Height() && x < Width() - 2)
                Fire(msg == WM_LBUTTONDBLCLK ? OnCaptionDBlClick : OnCaptionClick);
            if (auto target = AnchorAt(x, y)) {
                if (target->find("://") != std::string::npos ||
                    target->find("mailto:") != std::string::npos) {
                    if (auto* open = SystemFunction<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA"))
                        open(nullptr, "open", target->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
                } else if (OnAnchorClick.Handler) {
                    Fire(OnAnchorClick, &*target);
                }
            }
            break;
        }
        case kReleaseMessage:
            // FreeOnClose: posted, so that no handler of this panel is still running. An animation
            // dispatching messages is such a handler: it frees the panel when it ends.
            if (changing_) {
                releasePending_ = true;
                return 0;
            }
            delete this;
            return 0;
        case WM_ENTERSIZEMOVE:
            dragging_ = true;
            break;
        case WM_WINDOWPOSCHANGING:
            if (dragging_) {
                auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
                if (fixedLeft_) pos->x = Left();
                if (fixedTop_) pos->y = Top();
                if (fixedWidth_) pos->cx = loadedWidth_;
                if (fixedHeight_) pos->cy = loadedHeight_;
            }
            break;
        case WM_NCHITTEST: {
            const LRESULT standard = TPanel::WndProc(msg, wParam, lParam);
            if (standard != HTCLIENT) return standard;
            const TPoint packed = PointFromPacked(static_cast<unsigned long long>(lParam));
            POINT p{packed.X, packed.Y};
            ScreenToClient(Handle(), &p);
            if (canSize_ && !collaps_ && p.x >= Width() - GetSystemMetrics(SM_CXVSCROLL) &&
                p.y >= Height() - GetSystemMetrics(SM_CYHSCROLL))
                return HTBOTTOMRIGHT;
            if (canMove_ && caption_.Visible() && p.y < caption_.Height() && !AnchorAt(p.x, p.y) &&
                !OnCaptionButton(p)) {
                SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                return HTCAPTION;
            }
            return standard;
        }
        case WM_WINDOWPOSCHANGED: {
            // Moved or sized by the user: the object follows its window.
            const auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOSIZE) || !(pos->flags & SWP_NOMOVE)) {
                RECT r{};
                GetWindowRect(Handle(), &r);
                MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
                if (r.right - r.left != Width() || r.bottom - r.top != Height() || r.left != Left() ||
                    r.top != Top())
                    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
            }
            break;
        }
        case WM_EXITSIZEMOVE:
            dragging_ = false;
            Fire(OnEndMoveSize);
            break;
        case WM_MOUSEMOVE: {
            const TPoint at = PointFromPacked(static_cast<unsigned long long>(lParam));
            MouseMoved(at.X, at.Y);
            break;
        }
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            MouseLeft();
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && !(Application && Application->BusyCursor())) {
                POINT p{};
                GetCursorPos(&p);
                ScreenToClient(Handle(), &p);
                if (AnchorAt(p.x, p.y)) {
                    ::SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
                    return TRUE;
                }
            }
            break;
        default:
            break;
    }
    return TPanel::WndProc(msg, wParam, lParam);
}

}  // namespace zelvora
