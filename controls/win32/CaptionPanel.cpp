#include "controls/win32/CaptionPanel.h"

#include <shellapi.h>
#include <uxtheme.h>

#include "toolkit/win32/SystemLibrary.h"

#include <algorithm>
#include <cmath>

#include "controls/win32/HtmlCanvas.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Bitmap.h"
#include "toolkit/win32/Registry.h"

namespace zelvora {

namespace {
// Posted to a panel that frees itself after its close button.
constexpr UINT kReleaseMessage = WM_APP + 0x2A1;
}  // namespace

namespace {

const std::vector<std::string> kShadeIdents{"stNormal",    "stNoise",       "stDiagShade",    "stHShade",
                                            "stVShade",    "stHBump",       "stVBump",        "stSoftBump",
                                            "stHardBump",  "stLMetal",      "stRMetal",       "stIRadial",
                                            "stORadial",   "stHShadeInv",   "stVShadeInv",    "stXPCaption",
                                            "stBitmap",    "stBitmapRStretch", "stBitmapLStretch"};
constexpr int kMinShadeLight = 200;
constexpr int kGradientBands = 64;

// Each component p·a + (1 − p)·b, rounded.
COLORREF Mix(COLORREF a, COLORREF b, double p)
{
    const auto part = [&](int shift) {
        return static_cast<int>(std::lround(p * ((a >> shift) & 0xFF) + (1 - p) * ((b >> shift) & 0xFF)));
    };
    return RGB(part(0), part(8), part(16));
}

void Gradient(HDC dc, const RECT& r, TColor from, TColor to, bool vertical)
{
    const COLORREF a = ColorToRGB(from), b = ColorToRGB(to);
    const double extent = static_cast<double>(vertical ? r.bottom - r.top : r.right - r.left) / kGradientBands;
    for (int i = 0; i < kGradientBands; ++i) {
        const auto mix = [&](int shift) {
            const int c1 = (a >> shift) & 0xFF, c2 = (b >> shift) & 0xFF;
            return static_cast<int>(c1 + std::nearbyint(i * (c2 - c1) / static_cast<double>(kGradientBands)));
        };
        const COLORREF color = RGB(mix(0), mix(8), mix(16));
        const int start = static_cast<int>(std::nearbyint(i * extent));
        RECT band = r;
        if (vertical) {
            band.top = r.top + start;
            band.bottom = std::min<LONG>(r.bottom, band.top + static_cast<LONG>(extent) + 1);
        } else {
            band.left = r.left + start;
            band.right = std::min<LONG>(r.right, band.left + static_cast<LONG>(extent) + 1);
        }
        UniqueBrush brush(CreateSolidBrush(color));
        FillRect(dc, &band, brush.get());
    }
}

}  // namespace

// --- TPanelCaption

TPanelCaption::TPanelCaption()
{
    font_.SetColor(clSystemColor | 14);  // clHighlightText
    font_.OnChange = [this] { Changed(); };
}

const TClassInfo& TPanelCaption::StaticClassInfo()
{
    static const TClassInfo info(
        "TPanelCaption", nullptr,
        {BooleanProperty<TPanelCaption>("Visible", &TPanelCaption::Visible, &TPanelCaption::SetVisible),
         IntegerProperty<TPanelCaption>("Height", &TPanelCaption::Height, &TPanelCaption::SetHeight),
         StringProperty<TPanelCaption>("Text", &TPanelCaption::Text, &TPanelCaption::SetText),
         ObjectProperty<TPanelCaption, TFont>("Font", &TPanelCaption::Font),
         ColorProperty<TPanelCaption>("Color", &TPanelCaption::Color, &TPanelCaption::SetColor),
         ColorProperty<TPanelCaption>("ColorTo", &TPanelCaption::ColorTo, &TPanelCaption::SetColorTo),
         EnumProperty<TPanelCaption, TShadeType>("ShadeType", kShadeIdents, &TPanelCaption::ShadeType,
                                                 &TPanelCaption::SetShadeType),
         IntegerProperty<TPanelCaption>("ShadeLight", &TPanelCaption::ShadeLight, &TPanelCaption::SetShadeLight),
         IntegerProperty<TPanelCaption>("ShadeGrain", &TPanelCaption::ShadeGrain, &TPanelCaption::SetShadeGrain),
         EnumProperty<TPanelCaption, TCaptionShape>("Shape", {"csRectangle", "csRounded", "csSemiRounded"},
                                                    &TPanelCaption::Shape, &TPanelCaption::SetShape),
         BooleanProperty<TPanelCaption>("Flat", &TPanelCaption::Flat, &TPanelCaption::SetFlat),
         IntegerProperty<TPanelCaption>("Indent", &TPanelCaption::Indent, &TPanelCaption::SetIndent),
         IntegerProperty<TPanelCaption>("TopIndent", &TPanelCaption::TopIndent, &TPanelCaption::SetTopIndent),
         EnumProperty<TPanelCaption, TCaptionButtonPosition>("ButtonPosition", {"cbpRight", "cbpLeft"},
                                                             &TPanelCaption::ButtonPosition,
                                                             &TPanelCaption::SetButtonPosition),
         BooleanProperty<TPanelCaption>("CloseButton", &TPanelCaption::CloseButton, &TPanelCaption::SetCloseButton),
         ColorProperty<TPanelCaption>("CloseColor", &TPanelCaption::CloseColor, &TPanelCaption::SetCloseColor),
         ColorProperty<TPanelCaption>("CloseButtonColor", &TPanelCaption::CloseButtonColor,
                                      &TPanelCaption::SetCloseButtonColor),
         ColorProperty<TPanelCaption>("MinMaxButtonColor", &TPanelCaption::MinMaxButtonColor,
                                      &TPanelCaption::SetMinMaxButtonColor),
         StringProperty<TPanelCaption>("CloseMinGlyph", &TPanelCaption::CloseMinGlyph, &TPanelCaption::SetCloseMinGlyph),
         StringProperty<TPanelCaption>("CloseMaxGlyph", &TPanelCaption::CloseMaxGlyph, &TPanelCaption::SetCloseMaxGlyph),
         StringProperty<TPanelCaption>("MinGlyph", &TPanelCaption::MinGlyph, &TPanelCaption::SetMinGlyph),
         StringProperty<TPanelCaption>("MaxGlyph", &TPanelCaption::MaxGlyph, &TPanelCaption::SetMaxGlyph),
         BooleanProperty<TPanelCaption>("MinMaxButton", &TPanelCaption::MinMaxButton, &TPanelCaption::SetMinMaxButton),
         StringProperty<TPanelCaption>("Background", &TPanelCaption::Background, &TPanelCaption::SetBackground)});
    return info;
}

void TPanelCaption::ShadeChanged()
{
    if (OnShadeChange) OnShadeChange();
    Changed();
}

void TPanelCaption::SetVisible(bool visible)
{
    visible_ = visible;
    Changed();
    if (OnStateChange) OnStateChange();
}

void TPanelCaption::SetHeight(int height)
{
    height_ = height;
    Changed();  // the shade keeps its height until the next rebuild
}

void TPanelCaption::SetText(const std::string& text)
{
    if (text == text_) return;
    text_ = text;
    Changed();
}

void TPanelCaption::SetColor(TColor color)
{
    color_ = color;
    ShadeChanged();
}

void TPanelCaption::SetColorTo(TColor color)
{
    colorTo_ = color;
    Changed();
}

void TPanelCaption::SetShadeType(TShadeType type)
{
    shadeType_ = type;
    ShadeChanged();
}

void TPanelCaption::SetShadeLight(int light)
{
    shadeLight_ = std::max(light, kMinShadeLight);
    ShadeChanged();
}

void TPanelCaption::SetShadeGrain(int grain)
{
    shadeGrain_ = grain & 0xFF;
    ShadeChanged();
}

void TPanelCaption::SetShape(TCaptionShape shape)
{
    shape_ = shape;
    ShadeChanged();
}

void TPanelCaption::SetFlat(bool flat)
{
    flat_ = flat;
    ShadeChanged();
}

void TPanelCaption::SetIndent(int indent)
{
    indent_ = indent;
    Changed();
}

void TPanelCaption::SetTopIndent(int indent)
{
    topIndent_ = indent;
    Changed();
}

void TPanelCaption::SetCloseButton(bool value)
{
    closeButton_ = value;
    Changed();
}

void TPanelCaption::SetCloseColor(TColor color)
{
    closeColor_ = color;
    Changed();
}

void TPanelCaption::SetBackground(const std::string& resourceName)
{
    background_ = resourceName;
    picture_ = LoadResourceBitmap(resourceName, LR_CREATEDIBSECTION);
    ShadeChanged();
}

void TPanelCaption::TGlyph::Load(const std::string& name)
{
    Name = name;
    Bitmap = LoadResourceBitmap(name);
}

int TPanelCaption::TGlyph::Width() const
{
    BITMAP info{};
    if (Bitmap) GetObjectA(Bitmap.get(), sizeof info, &info);
    return info.bmWidth;
}

void TPanelCaption::SetCloseButtonColor(TColor color)
{
    closeButtonColor_ = color;
    Changed();
}

void TPanelCaption::SetMinMaxButtonColor(TColor color)
{
    minMaxButtonColor_ = color;
    Changed();
}

void TPanelCaption::SetCloseMinGlyph(const std::string& name)
{
    closeMinGlyph_.Load(name);
    Changed();
}

void TPanelCaption::SetCloseMaxGlyph(const std::string& name)
{
    closeMaxGlyph_.Load(name);
    Changed();
}

void TPanelCaption::SetMinMaxButton(bool value)
{
    minMaxButton_ = value;
    Changed();
}

// --- TPanelPosition

const TClassInfo& TPanelPosition::StaticClassInfo()
{
    static const TClassInfo info(
        "TPanelPosition", nullptr,
        {BooleanProperty<TPanelPosition>("Save", &TPanelPosition::Save, &TPanelPosition::SetSave),
         EnumProperty<TPanelPosition, TPositionLocation>("Location", {"clRegistry", "clInifile"},
                                                         &TPanelPosition::Location, &TPanelPosition::SetLocation),
         StringProperty<TPanelPosition>("Key", &TPanelPosition::Key, &TPanelPosition::SetKey),
         StringProperty<TPanelPosition>("Section", &TPanelPosition::Section, &TPanelPosition::SetSection)});
    return info;
}

const TClassInfo& TAutoSize::StaticClassInfo()
{
    static const TClassInfo info("TAutoSize", nullptr,
                                 {BooleanProperty<TAutoSize>("Enabled", &TAutoSize::Enabled, &TAutoSize::SetEnabled),
                                  BooleanProperty<TAutoSize>("Height", &TAutoSize::Height, &TAutoSize::SetHeight),
                                  BooleanProperty<TAutoSize>("Width", &TAutoSize::Width, &TAutoSize::SetWidth)});
    return info;
}

// --- TAdvPanel

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
         BooleanProperty<TAdvPanel>("AutoHideChildren", &TAdvPanel::AutoHideChildren, &TAdvPanel::SetAutoHideChildren),
         BooleanProperty<TAdvPanel>("CanMove", &TAdvPanel::CanMove, &TAdvPanel::SetCanMove),
         BooleanProperty<TAdvPanel>("CanSize", &TAdvPanel::CanSize, &TAdvPanel::SetCanSize),
         BooleanProperty<TAdvPanel>("Hover", &TAdvPanel::Hover, &TAdvPanel::SetHover),
         ColorProperty<TAdvPanel>("HoverColor", &TAdvPanel::HoverColor, &TAdvPanel::SetHoverColor),
         ColorProperty<TAdvPanel>("HoverFontColor", &TAdvPanel::HoverFontColor, &TAdvPanel::SetHoverFontColor),
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
         EnumProperty<TAdvPanel, TBackGroundPosition>(
             "BackgroundPosition",
             {"bpTopLeft", "bpTopRight", "bpBottomLeft", "bpBottomRight", "bpTiled", "bpStretched", "bpCenter"},
             &TAdvPanel::BackgroundPosition, &TAdvPanel::SetBackgroundPosition),
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

THtmlPictureSources TAdvPanel::PictureSources() { return {images_, pictureContainer_, &pictureCache_}; }

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

namespace {

// The panel's place is kept under HKCU\<Key>\<Section>, or in the [Section] of the INI file <Key>.
class PositionStore {
public:
    explicit PositionStore(const TPanelPosition& position) : position_(position) {}
    int Read(const char* name, int fallback) const
    {
        if (position_.Location() == TPositionLocation::clInifile)
            return static_cast<int>(GetPrivateProfileIntA(position_.Section().c_str(), name, fallback, position_.Key().c_str()));
        DWORD value = 0, size = sizeof value, type = 0;
        const std::string path = position_.Key() + "\\" + position_.Section();
        if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, &type, &value, &size) != ERROR_SUCCESS)
            return fallback;
        return static_cast<int>(value);
    }
    void Write(const char* name, int value) const
    {
        if (position_.Location() == TPositionLocation::clInifile) {
            WritePrivateProfileStringA(position_.Section().c_str(), name, std::to_string(value).c_str(),
                                       position_.Key().c_str());
            return;
        }
        const std::string path = position_.Key() + "\\" + position_.Section();
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        UniqueHandle<RegistryKeyTraits> owned(key);
        const DWORD data = static_cast<DWORD>(value);
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    }

private:
    const TPanelPosition& position_;
};

bool Persisted(const TPanelPosition& position)
{
    return position.Save() && !position.Key().empty() && !position.Section().empty();
}

}  // namespace

void TAdvPanel::SavePosition()
{
    if (!Persisted(position_)) return;
    const PositionStore store(position_);
    store.Write("Top", Top());
    store.Write("Left", Left());
    store.Write("Height", Height());
    store.Write("FullHeight", fullHeight_);
    store.Write("Width", Width());
    store.Write("Collaps", collaps_ ? 1 : 0);
}

void TAdvPanel::RestorePosition()
{
    if (!Persisted(position_)) return;
    const PositionStore store(position_);
    const int height = store.Read("Height", Height());
    SetBounds(store.Read("Left", Left()), store.Read("Top", Top()), store.Read("Width", Width()), height);
    fullHeight_ = store.Read("FullHeight", height);
    collaps_ = store.Read("Collaps", 0) == 1;
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

void TAdvPanel::SetCollaps(bool collaps)
{
    if (collaps != collaps_) Fire(collaps ? OnMinimize : OnMaximize);
    if (collaps == collaps_) {
        StateChanged();
        return;
    }
    changing_ = true;
    collaps_ = collaps;
    if (Loading()) {
        changing_ = false;  // the flag alone: a window being read keeps its stored height
        return;
    }
    if (collaps) {
        fullHeight_ = Height();
        if (autoHideChildren_)
            for (TControl* child : Controls()) child->SetVisible(false);
        if (collapsSteps_ > 0) {
            SetColor(collapsColor_);
            const int step = (Height() - caption_.Height()) / collapsSteps_;
            for (int i = 0; i < collapsSteps_; ++i) {
                SetHeight(Height() - step);
                if (Application) Application->ProcessMessages();
                Sleep(static_cast<DWORD>(collapsDelay_));
            }
        }
        SetHeight(caption_.Height());
    } else {
        if (collapsSteps_ > 0) {
            SetColor(loadedColor_);
            const int step = (fullHeight_ - caption_.Height()) / collapsSteps_;
            for (int i = 0; i < collapsSteps_; ++i) {
                SetHeight(Height() + step);
                if (Application) Application->ProcessMessages();
                Sleep(static_cast<DWORD>(collapsDelay_));
            }
        }
        SetHeight(fullHeight_);
        if (autoHideChildren_)
            for (TControl* child : Controls()) child->SetVisible(true);
    }
    changing_ = false;
    StateChanged();
}

void TAdvPanel::BuildShade()
{
    ++shadeBuilds_;
    shade_ = std::make_unique<TShadeBitmap>(zelvora::BuildShade({ColorToRGB(caption_.Color()), caption_.ShadeLight(),
                                                         static_cast<std::uint8_t>(caption_.ShadeGrain()),
                                                         static_cast<int>(caption_.ShadeType()), Width(), caption_.Height()},
                                                        ClockSeededRandom()));
    // Kept as a device-independent bitmap, so that every paint only blits it.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), shade_->Width(), -shade_->Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    shadeBitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (shadeBitmap_ && bits) {
        auto* out = static_cast<std::uint32_t*>(bits);
        for (std::size_t i = 0; i < shade_->Pixels().size(); ++i) {
            const TColor c = shade_->Pixels()[i];  // 0x00BBGGRR to the DIB's 0x00RRGGBB
            out[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
        GdiFlush();
    }
    Invalidate();
}

void TAdvPanel::CreateParams(TCreateParams& params)
{
    TPanel::CreateParams(params);
    params.WindowClass = "TAdvPanel";
}

RECT TAdvPanel::BandRect() const
{
    RECT r{0, 0, Width(), Height()};
    if (borderShadow_) r.right -= 2, r.bottom -= 2;
    if (BevelOuter() != TBevelCut::bvNone || BevelInner() != TBevelCut::bvNone) InflateRect(&r, -BevelWidth(), -BevelWidth());
    r.bottom = r.top + caption_.Height() - 2 * BevelWidth();
    return r;
}

void TAdvPanel::Paint(HDC target)
{
    if (!buffered_) {
        PaintOn(target);
        return;
    }
    // Drawn off-screen and copied in one step: no flicker.
    WindowDc screen(nullptr, GetDC(nullptr));
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), Width(), Height()));
    {
        SelectedObject selected(memory.get(), bitmap.get());
        PaintOn(memory.get());
        BitBlt(target, 0, 0, Width(), Height(), memory.get(), 0, 0, SRCCOPY);
    }
}

void TAdvPanel::PaintOn(HDC dc)
{
    lastLookup_.reset();  // whatever made this paint may have moved the anchors
    RECT r{0, 0, Width(), Height()};
    // Body.
    if (colorTo_ == clNone) {
        UniqueBrush brush(CreateSolidBrush(ColorToRGB(Color())));
        FillRect(dc, &r, brush.get());
    } else {
        Gradient(dc, r, Color(), colorTo_, true);
    }
    // Frame.
    if (borderColor_ != clNone) {
        RECT frame = r;
        if (borderShadow_) {
            frame.right -= 2, frame.bottom -= 2;
            const auto shadowLine = [&](double share, int out) {
                UniquePen pen(CreatePen(PS_SOLID, 1, Mix(ColorToRGB(borderColor_), GetSysColor(COLOR_BTNFACE), share)));
                SelectedObject selected(dc, pen.get());
                MoveToEx(dc, frame.right + out, frame.top, nullptr);
                LineTo(dc, frame.right + out, frame.bottom + out);
                LineTo(dc, frame.left, frame.bottom + out);
            };
            shadowLine(0.5, 0);
            shadowLine(0.2, 1);
        }
        UniquePen pen(CreatePen(PS_SOLID, 1, ColorToRGB(borderColor_)));
        SelectedObject selectedPen(dc, pen.get());
        SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
    }
    RECT bevel = r;
    DrawBevel(dc, bevel, BevelOuter(), BevelWidth());
    DrawBevel(dc, bevel, BevelInner(), BevelWidth());

    // Body area: below the band, clipped while its picture and text are drawn.
    const RECT area = BodyArea();
    {
        UniqueRegion clip(CreateRectRgnIndirect(&area));
        SelectClipRgn(dc, clip.get());
        PaintBackground(dc, area);
        PaintBodyText(dc);
        SelectClipRgn(dc, nullptr);
    }
    if (caption_.Visible()) PaintBand(dc, BandRect());
    if (!collaps_ && canSize_) PaintSizeGrip(dc);
}

void TAdvPanel::PaintBackground(HDC dc, const RECT& area)
{
    if (background_.Empty()) return;
    const int w = background_.Width(), h = background_.Height();
    const int right = std::max<int>(area.left, Width() - w - BevelWidth());
    const int bottom = std::max<int>(area.top, Height() - h - BevelWidth());
    const auto at = [&](int x, int y) { background_.Draw(dc, {x, y, x + w, y + h}); };
    switch (backgroundPosition_) {
    case TBackGroundPosition::bpTopLeft: at(area.left, area.top); break;
    case TBackGroundPosition::bpTopRight: at(right, area.top); break;
    case TBackGroundPosition::bpBottomLeft: at(area.left, bottom); break;
    case TBackGroundPosition::bpBottomRight: at(right, bottom); break;
    case TBackGroundPosition::bpCenter: at(right / 2, bottom / 2); break;
    case TBackGroundPosition::bpStretched: background_.Draw(dc, area); break;
    case TBackGroundPosition::bpTiled:
        if (w <= 0 || h <= 0) break;
        for (int y = area.top; y < Height(); y += h)
            for (int x = area.left; x < Width(); x += w) at(x, y);
        break;
    }
}

RECT TAdvPanel::BodyArea() const
{
    RECT area{0, 0, Width(), Height()};
    if (caption_.Visible()) area.top += caption_.Height() - 2 * BevelWidth();
    if (borderShadow_) area.right -= 2, area.bottom -= 3;
    return area;
}

// Where the body text is laid out: painting and hit tests share it.
TRect TAdvPanel::BodyTextBox(IHtmlCanvas& canvas) const
{
    RECT area = BodyArea();
    InflateRect(&area, -BorderWidth(), -BorderWidth());
    area.left += indent_;
    area.top += topIndent_;
    if (textVAlign_ != TTextVAlignment::tvaTop) {
        const TRect box{area.left, area.top, area.right, area.bottom};
        const int height = DrawMiniHtml(canvas, text_, box, THtmlMode::Measure, HtmlOptions(false), HtmlFontOf(Font())).Height;
        const int spare = (area.bottom - area.top) - height;
        if (spare > 0) area.top += textVAlign_ == TTextVAlignment::tvaCenter ? spare / 2 : spare;
    }
    return {area.left, area.top, area.right, area.bottom};
}

// Where the caption text is laid out: from the band's top; shown buttons take their room.
TRect TAdvPanel::CaptionTextBox() const
{
    RECT box{0, 0, Width(), caption_.Height()};
    const int buttons = (caption_.CloseButton() ? 1 : 0) + (caption_.MinMaxButton() ? 1 : 0);
    if (caption_.ButtonPosition() == TCaptionButtonPosition::cbpRight) box.right -= buttons * ButtonSize();
    else box.left += buttons * ButtonSize();
    return {box.left + caption_.Indent(), box.top + caption_.TopIndent(), box.right, box.bottom};
}

void TAdvPanel::PaintBodyText(HDC dc)
{
    if (text_.empty()) return;
    TGdiHtmlCanvas canvas(dc, PictureSources());
    DrawMiniHtml(canvas, text_, BodyTextBox(canvas), THtmlMode::Paint, HtmlOptions(false), HtmlFontOf(Font()));
}

void TAdvPanel::PaintSizeGrip(HDC dc)
{
    RECT r{0, 0, Width(), Height()};
    if (BevelOuter() != TBevelCut::bvNone || BevelInner() != TBevelCut::bvNone)
        InflateRect(&r, -2 * BevelWidth(), -2 * BevelWidth());
    if (borderShadow_) r.right -= 4, r.bottom -= 4;
    const auto lines = [&](COLORREF color, int width, std::initializer_list<int> offsets) {
        UniquePen pen(CreatePen(PS_SOLID, width, color));
        SelectedObject selected(dc, pen.get());
        for (int d : offsets) {
            MoveToEx(dc, r.right, r.bottom - d, nullptr);
            LineTo(dc, r.right - d, r.bottom);
        }
    };
    lines(RGB(128, 128, 128), 2, {11, 6, 3});
    lines(RGB(255, 255, 255), 1, {12, 8, 4});
}

void TAdvPanel::PaintBand(HDC dc, RECT band)
{
    const TColor fill = collaps_ ? caption_.CloseColor() : caption_.Color();
    const TShadeType type = caption_.ShadeType();
    // Without visual styles the themed caption is painted as a plain one.
    const bool themed = type == TShadeType::stXPCaption && VisualStylesActive();
    const bool shaded = type != TShadeType::stNormal && type != TShadeType::stXPCaption;
    if (themed) {
        auto* openTheme = SystemFunction<decltype(OpenThemeData)>(L"uxtheme.dll", "OpenThemeData");
        auto* drawTheme = SystemFunction<decltype(DrawThemeBackground)>(L"uxtheme.dll", "DrawThemeBackground");
        auto* closeTheme = SystemFunction<decltype(CloseThemeData)>(L"uxtheme.dll", "CloseThemeData");
        if (HTHEME theme = openTheme && drawTheme && closeTheme ? openTheme(Handle(), L"window") : nullptr) {
            RECT grown = band;
            InflateRect(&grown, 1, 1);
            drawTheme(theme, dc, 1 /* caption */, 1, &grown, nullptr);
            closeTheme(theme);
        }
    } else if (type == TShadeType::stBitmap || type == TShadeType::stBitmapRStretch || type == TShadeType::stBitmapLStretch) {
        PaintBandPicture(dc, band);
    } else if (shaded && shade_) {
        PaintShade(dc, band);
    } else if (caption_.ColorTo() == clNone) {
        UniqueBrush brush(CreateSolidBrush(ColorToRGB(fill)));
        FillRect(dc, &band, brush.get());
    } else {
        Gradient(dc, band, caption_.Color(), caption_.ColorTo(), false);
    }
    PaintButtons(dc);
    TGdiHtmlCanvas canvas(dc, PictureSources());
    DrawMiniHtml(canvas, caption_.Text(), CaptionTextBox(), THtmlMode::Paint, HtmlOptions(true),
                 HtmlFontOf(caption_.Font()));
}

int TAdvPanel::ButtonSize() const
{
    if (caption_.ShadeType() == TShadeType::stXPCaption && VisualStylesActive()) return 16;
    if (caption_.CloseButton() && caption_.BothCloseGlyphs()) return caption_.CloseGlyph(false).Width();
    if (caption_.MinMaxButton() && caption_.BothMinMaxGlyphs()) return caption_.MinMaxGlyph(false).Width();
    return 12;
}

RECT TAdvPanel::CloseButtonRect() const
{
    if (!caption_.Visible() || !caption_.CloseButton()) return {};
    const int w = ButtonSize();
    const int left = caption_.ButtonPosition() == TCaptionButtonPosition::cbpRight ? Width() - 2 - w : 2;
    return {left, 2, left + w, 2 + w};
}

RECT TAdvPanel::MinMaxButtonRect() const
{
    if (!caption_.Visible() || !caption_.MinMaxButton()) return {};
    const int w = ButtonSize();
    const int inward = caption_.CloseButton() ? w : 0;  // the close button is outermost
    const int left = caption_.ButtonPosition() == TCaptionButtonPosition::cbpRight ? Width() - 2 - w - inward : 2 + inward;
    return {left, 2, left + w, 2 + w};
}

bool TAdvPanel::PressButtons(int x, int y)
{
    const POINT p{x, y};
    const RECT close = CloseButtonRect();
    if (PtInRect(&close, p)) {
        SetVisible(false);
        Fire(OnClose);
        if (freeOnClose_) PostMessageW(Handle(), kReleaseMessage, 0, 0);
        return true;
    }
    const RECT minMax = MinMaxButtonRect();
    if (PtInRect(&minMax, p)) {
        SetCollaps(!collaps_);
        return true;
    }
    return false;
}

void TAdvPanel::PaintButtons(HDC dc)
{
    const auto glyph = [&](const TPanelCaption::TGlyph& g, const RECT& r) {
        if (!g.Bitmap) return false;
        UniqueMemoryDc memory(CreateCompatibleDC(dc));
        SelectedObject selected(memory.get(), g.Bitmap.get());
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.get(), 0, 0, SRCCOPY);
        return true;
    };
    const RECT close = CloseButtonRect();
    if (!IsRectEmpty(&close) && !glyph(caption_.CloseGlyph(collaps_), close)) {
        // A cross of two 2-pixel lines.
        UniquePen pen(CreatePen(PS_SOLID, 2, ColorToRGB(caption_.CloseButtonColor())));
        SelectedObject selected(dc, pen.get());
        MoveToEx(dc, close.left + 2, close.top + 2, nullptr);
        LineTo(dc, close.right - 2, close.bottom - 2);
        MoveToEx(dc, close.right - 2, close.top + 2, nullptr);
        LineTo(dc, close.left + 2, close.bottom - 2);
    }
    const RECT minMax = MinMaxButtonRect();
    if (!IsRectEmpty(&minMax) && !glyph(caption_.MinMaxGlyph(collaps_), minMax)) {
        // A small triangle: pointing up to collapse, down to expand.
        const int cx = (minMax.left + minMax.right) / 2, top = minMax.top + 3, bottom = minMax.bottom - 4;
        const POINT up[3] = {{minMax.left + 2, bottom}, {minMax.right - 3, bottom}, {cx, top}};
        const POINT down[3] = {{minMax.left + 2, top}, {minMax.right - 3, top}, {cx, bottom}};
        const COLORREF color = ColorToRGB(caption_.MinMaxButtonColor());
        UniqueBrush brush(CreateSolidBrush(color));
        UniquePen pen(CreatePen(PS_SOLID, 1, color));
        SelectedObject selectedBrush(dc, brush.get());
        SelectedObject selectedPen(dc, pen.get());
        Polygon(dc, collaps_ ? down : up, 3);
    }
}

void TAdvPanel::PaintBandPicture(HDC dc, const RECT& band)
{
    if (!caption_.Picture()) return;  // nothing to show: the body shows through
    BITMAP info{};
    GetObjectA(caption_.Picture(), sizeof info, &info);
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    SelectedObject picture(memory.get(), caption_.Picture());
    const int bandHeight = band.bottom - band.top;
    switch (caption_.ShadeType()) {
    case TShadeType::stBitmap:
        StretchBlt(dc, band.left, band.top, band.right - band.left, bandHeight, memory.get(), 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
        break;
    case TShadeType::stBitmapRStretch:
        BitBlt(dc, band.left, band.top, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
        StretchBlt(dc, band.left + info.bmWidth, band.top, band.right - band.left - info.bmWidth, bandHeight,
                   memory.get(), std::max(0L, info.bmWidth - 3), 0, std::min(3L, info.bmWidth), info.bmHeight, SRCCOPY);
        break;
    default: {
        const int a = std::max(0, Width() - static_cast<int>(info.bmWidth));
        BitBlt(dc, band.left + a, band.top, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
        StretchBlt(dc, band.left, band.top, a, bandHeight, memory.get(), 0, 0, std::min(2L, info.bmWidth),
                   info.bmHeight, SRCCOPY);
        break;
    }
    }
}

void TAdvPanel::PaintShade(HDC dc, RECT band)
{
    UniquePen gray(CreatePen(PS_SOLID, 1, RGB(128, 128, 128))), white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    UniqueRegion clip;
    const int corner = 32;
    switch (caption_.Shape()) {
    case TCaptionShape::csRectangle:
        if (!caption_.Flat()) {
            {
                SelectedObject pen(dc, gray.get());
                MoveToEx(dc, band.left, band.bottom - 1, nullptr);
                LineTo(dc, band.right - 1, band.bottom - 1);
                LineTo(dc, band.right - 1, band.top);
            }
            SelectedObject pen(dc, white.get());
            LineTo(dc, band.left, band.top);
            LineTo(dc, band.left, band.bottom - 1);
            InflateRect(&band, -1, -1);
        }
        clip.reset(CreateRectRgn(band.left, band.top, band.right, band.bottom));
        break;
    case TCaptionShape::csRounded:
    case TCaptionShape::csSemiRounded: {
        const int middle = band.top + (band.bottom - band.top) / 2;
        const auto halfOutline = [&](HGDIOBJ pen, int top, int bottom) {
            UniqueRegion round(CreateRoundRectRgn(band.left, band.top, band.right, band.bottom, corner, corner));
            UniqueRegion half(CreateRectRgn(band.left, top, band.right, bottom));
            CombineRgn(half.get(), half.get(), round.get(), RGN_AND);
            SelectClipRgn(dc, half.get());
            SelectedObject selectedPen(dc, pen);
            SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
            RoundRect(dc, band.left, band.top, band.right, band.bottom, corner, corner);
            SelectClipRgn(dc, nullptr);
        };
        halfOutline(gray.get(), middle, band.bottom);
        halfOutline(white.get(), band.top, middle);
        if (caption_.Shape() == TCaptionShape::csRounded) {
            SelectedObject pen(dc, gray.get());
            MoveToEx(dc, band.left + 16, band.bottom - 1, nullptr);
            LineTo(dc, band.right - 16, band.bottom - 1);
            band.top += 1;
            clip.reset(CreateRoundRectRgn(band.left, band.top, band.right, band.bottom, corner, corner));
        } else {
            {
                SelectedObject pen(dc, white.get());
                MoveToEx(dc, band.left + (band.right - band.left) / 2, band.top, nullptr);
                LineTo(dc, band.left, band.top);
                LineTo(dc, band.left, band.bottom - 1);
            }
            SelectedObject pen(dc, gray.get());
            LineTo(dc, band.right - 16, band.bottom - 1);
            band.top += 1, band.left += 1;
            clip.reset(CreateRoundRectRgn(band.left, band.top, band.right, band.bottom, corner, corner));
            UniqueRegion square(CreateRectRgn(band.left, band.top, band.left + (band.right - band.left) / 2, band.bottom - 1));
            CombineRgn(clip.get(), clip.get(), square.get(), RGN_OR);
        }
        break;
    }
    }
    // The shade is drawn at the band's top-left, clipped to the band's outline; the clip goes after.
    SelectClipRgn(dc, clip.get());
    if (shadeBitmap_) {
        UniqueMemoryDc memory(CreateCompatibleDC(dc));
        SelectedObject picture(memory.get(), shadeBitmap_.get());
        BitBlt(dc, band.left, band.top, shade_->Width(), shade_->Height(), memory.get(), 0, 0, SRCCOPY);
    }
    SelectClipRgn(dc, nullptr);
}

std::optional<std::string> TAdvPanel::AnchorAt(int x, int y)
{
    const auto hit = AnchorHitAt(x, y);
    if (!hit) return std::nullopt;
    return hit->Target;
}

void TAdvPanel::MouseMoved(int x, int y)
{
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    const auto hit = AnchorHitAt(x, y);
    if (hit && hit->Target != hovered_) {
        if (hover_ && !hovered_.empty()) InvalidateRect(Handle(), &hoveredBounds_, FALSE);
        hovered_ = hit->Target;
        hoveredBounds_ = hit->Bounds;
        hoveredIndex_ = hit->Index;
        hoveredInCaption_ = hit->InCaption;
        std::string target = hovered_;
        Fire(OnAnchorEnter, &target);
        if (hover_) InvalidateRect(Handle(), &hoveredBounds_, FALSE);
        if (anchorHint_) {
            std::string hint = hovered_;
            Fire(OnAnchorHint, &hint);
            SetHint(hint);
        }
    } else if (!hit && !hovered_.empty()) {
        MouseLeft();
    }
}

void TAdvPanel::MouseLeft()
{
    if (hovered_.empty()) return;
    std::string target = hovered_;
    hovered_.clear();
    hoveredIndex_ = -1;
    Fire(OnAnchorExit, &target);
    if (hover_) InvalidateRect(Handle(), &hoveredBounds_, FALSE);
}

namespace {

// Only a text with an anchor tag can have an anchor under the mouse; the program's captions have none.
bool MayHoldAnchor(const std::string& text)
{
    return text.find("<A") != std::string::npos || text.find("<a") != std::string::npos;
}

}  // namespace

std::optional<TAdvPanel::TAnchorHit> TAdvPanel::AnchorHitAt(int x, int y)
{
    const bool inCaption = caption_.Visible() && y < caption_.Height();
    const std::string& text = inCaption ? caption_.Text() : text_;
    if (!MayHoldAnchor(text)) return std::nullopt;
    // The cursor request and the mouse move of one movement ask for the same point: lay out once.
    const TAnchorLookup key{x, y, Width(), Height(), inCaption, text};
    if (lastLookup_ && lastLookup_->first == key) return lastLookup_->second;
    WindowDc screen(nullptr, GetDC(nullptr));
    TGdiHtmlCanvas canvas(screen.get(), PictureSources());
    THtmlOptions options;
    options.HitTest = true;
    options.HitX = x, options.HitY = y;
    const THtmlResult found =
        inCaption ? DrawMiniHtml(canvas, text, CaptionTextBox(), THtmlMode::Measure, options, HtmlFontOf(caption_.Font()))
                  : DrawMiniHtml(canvas, text, BodyTextBox(canvas), THtmlMode::Measure, options, HtmlFontOf(Font()));
    std::optional<TAnchorHit> hit;
    if (found.OnAnchor) {
        const TRect& r = found.AnchorRect;
        hit = TAnchorHit{found.AnchorTarget, RECT{r.Left, r.Top, r.Right, r.Bottom}, found.AnchorIndex, inCaption};
    }
    lastLookup_.emplace(key, hit);
    return hit;
}

LRESULT TAdvPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_SIZE:
        if (!shade_ || shade_->Width() != Width()) BuildShade();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        if (msg != WM_LBUTTONDBLCLK && caption_.Visible() && PressButtons(x, y)) return 0;
        if (caption_.Visible() && y < caption_.Height() && x < Width() - 2)
            Fire(msg == WM_LBUTTONDBLCLK ? OnCaptionDBlClick : OnCaptionClick);
        if (auto target = AnchorAt(x, y)) {
            if (target->find("://") != std::string::npos || target->find("mailto:") != std::string::npos) {
                if (auto* open = SystemFunction<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA"))
                    open(nullptr, "open", target->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            } else if (OnAnchorClick.Handler) {
                Fire(OnAnchorClick, &*target);
            }
        }
        break;
    }
    case kReleaseMessage:
        delete this;  // FreeOnClose: posted, so that no handler of this panel is still running
        return 0;
    case WM_ENTERSIZEMOVE: dragging_ = true; break;
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
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(Handle(), &p);
        if (canSize_ && !collaps_ && p.x >= Width() - GetSystemMetrics(SM_CXVSCROLL) &&
            p.y >= Height() - GetSystemMetrics(SM_CYHSCROLL))
            return HTBOTTOMRIGHT;
        if (canMove_ && caption_.Visible() && p.y < caption_.Height() && !AnchorAt(p.x, p.y)) {
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
            if (r.right - r.left != Width() || r.bottom - r.top != Height() || r.left != Left() || r.top != Top())
                SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
        break;
    }
    case WM_EXITSIZEMOVE:
        dragging_ = false;
        Fire(OnEndMoveSize);
        break;
    case WM_MOUSEMOVE: MouseMoved(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); break;
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
    default: break;
    }
    return TPanel::WndProc(msg, wParam, lParam);
}

}  // namespace zelvora
