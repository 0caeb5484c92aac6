#include "look/win32/MenuPainter.h"

#include <optional>
#include <utility>
#include <vector>

#include "base/DpiScaling.h"
#include "look/MenuLayout.h"
#include "look/win32/ControlSubClass.h"
#include "look/win32/FlatDrawing.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/CheckBox.h"
#include "toolkit/win32/Control.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/ImageList.h"
#include "toolkit/win32/KeyNames.h"
#include "toolkit/win32/Memo.h"
#include "toolkit/win32/Menus.h"
#include "toolkit/win32/Panel.h"
#include "toolkit/win32/PictureButton.h"
#include "toolkit/win32/RadioButton.h"
#include "toolkit/win32/ScreenDpi.h"

namespace zelvora {

namespace {

// Marks the item events that are the painter's own, so that only those are cleared again.
constexpr char kOwnDraw[] = "XPMenu.DrawMenuItem";
constexpr char kOwnMeasure[] = "XPMenu.MeasureMenuItem";

const std::vector<std::string> kContainerIdents{
    "xccForm",  "xccFrame",     "xccToolbar",  "xccCoolbar",  "xccControlbar",
    "xccPanel", "xccScrollBox", "xccGroupBox", "xccTabSheet", "xccPageScroller"};
const std::vector<std::string> kControlIdents{"xcMainMenu", "xcPopupMenu",   "xcToolbar",     "xcControlbar",
                                              "xcCombo",    "xcEdit",        "xcMaskEdit",    "xcMemo",
                                              "xcRichEdit", "xcCheckBox",    "xcRadioButton", "xcButton",
                                              "xcBitBtn",   "xcSpeedButton", "xcPanel",       "xcGroupBox"};

// Face names are plain ASCII.
std::string Narrow(const wchar_t* wide)
{
    std::string narrow;
    for (; *wide; ++wide) narrow += *wide < 128 ? static_cast<char>(*wide) : '?';
    return narrow;
}

// The menu font of the system's non-client metrics, at 96 dpi as every description is: the
// window that owns the painter scales it to its screen.
void AssignMenuFont(TFont& font)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    const LOGFONTW& menuFont = metrics.lfMenuFont;
    font.SetName(Narrow(menuFont.lfFaceName));
    font.SetHeight(ScaleFontHeightBetweenDpi(menuFont.lfHeight, kDesignDpi, SystemDpi()));
    font.SetCharset(menuFont.lfCharSet);
    unsigned style = 0;
    if (menuFont.lfWeight >= FW_BOLD) style |= fsBold;
    if (menuFont.lfItalic) style |= fsItalic;
    font.SetStyle(style);
}

bool IsNtPlatform()
{
    return (GetVersion() & 0x80000000u) == 0;
}

}  // namespace

void TXPMenu::ScaleMetrics(int toDpi, int fromDpi)
{
    iconWidth_ = ScaleBetweenDpi(iconWidth_, toDpi, fromDpi);
    font_.SetHeight(ScaleFontHeightBetweenDpi(font_.Height(), toDpi, fromDpi));
    // The system keeps the sizes it measured for each item: the menus are handed back and taken
    // over again, so that their items are measured anew in the new font.
    if (!active_ || !Owner() || !OwnerWindow()) return;
    for (TComponent* component : Owner()->Components())
        if (auto* menu = dynamic_cast<TMenu*>(component)) {
            ApplyToMenu(*menu, false);
            ApplyToMenu(*menu, true);
        }
    ::DrawMenuBar(OwnerWindow());
}

TXPMenu::TXPMenu(TComponent* owner)
    : TComponent(owner), selectFontColor_(clMenuText), disabledColor_(clInactiveCaption)
{
    AssignMenuFont(font_);
    font_.SetColor(clMenuText);
    font_.OnChange = [this] {
        if (HWND owner = OwnerWindow(); owner && !Loading()) ::DrawMenuBar(owner);
    };
    if (Application)
        displayHook_ = Application->HookMainWindow([this](UINT msg, WPARAM, LPARAM, LRESULT&) {
            if (msg == WM_DISPLAYCHANGE) deviceBits_ = 0;
            return false;
        });
}

TXPMenu::~TXPMenu()
{
    if (Application && displayHook_ >= 0) Application->UnhookMainWindow(displayHook_);
    ApplyToOwner(false, false);
    // Controls must never call into a painter that is gone, whatever goes first.
    auto styled = std::move(subClasses_);
    for (auto& [control, subClass] : styled) subClass->Detach();
}

const TClassInfo& TXPMenu::StaticClassInfo()
{
    static const TClassInfo info(
        "TXPMenu", &TComponent::StaticClassInfo(),
        {IntegerProperty<TXPMenu>("DimLevel", &TXPMenu::DimLevel, &TXPMenu::SetDimLevel),
         IntegerProperty<TXPMenu>("GrayLevel", &TXPMenu::GrayLevel, &TXPMenu::SetGrayLevel),
         ObjectProperty<TXPMenu, TFont>("Font", &TXPMenu::Font),
         ColorProperty<TXPMenu>("Color", &TXPMenu::Color, &TXPMenu::SetColor),
         BooleanProperty<TXPMenu>("DrawMenuBar", &TXPMenu::DrawMenuBar, &TXPMenu::SetDrawMenuBar),
         ColorProperty<TXPMenu>("IconBackColor", &TXPMenu::IconBackColor, &TXPMenu::SetIconBackColor),
         ColorProperty<TXPMenu>("MenuBarColor", &TXPMenu::MenuBarColor, &TXPMenu::SetMenuBarColor),
         ColorProperty<TXPMenu>("SelectColor", &TXPMenu::SelectColor, &TXPMenu::SetSelectColor),
         ColorProperty<TXPMenu>("SelectBorderColor", &TXPMenu::SelectBorderColor,
                                &TXPMenu::SetSelectBorderColor),
         ColorProperty<TXPMenu>("SelectFontColor", &TXPMenu::SelectFontColor, &TXPMenu::SetSelectFontColor),
         ColorProperty<TXPMenu>("DisabledColor", &TXPMenu::DisabledColor, &TXPMenu::SetDisabledColor),
         ColorProperty<TXPMenu>("SeparatorColor", &TXPMenu::SeparatorColor, &TXPMenu::SetSeparatorColor),
         ColorProperty<TXPMenu>("CheckedColor", &TXPMenu::CheckedColor, &TXPMenu::SetCheckedColor),
         IntegerProperty<TXPMenu>("IconWidth", &TXPMenu::IconWidth, &TXPMenu::SetIconWidth),
         BooleanProperty<TXPMenu>("DrawSelect", &TXPMenu::DrawSelect, &TXPMenu::SetDrawSelect),
         BooleanProperty<TXPMenu>("UseSystemColors", &TXPMenu::UseSystemColors, &TXPMenu::SetUseSystemColors),
         BooleanProperty<TXPMenu>("UseDimColor", &TXPMenu::UseDimColor, &TXPMenu::SetUseDimColor),
         BooleanProperty<TXPMenu>("OverrideOwnerDraw", &TXPMenu::OverrideOwnerDraw,
                                  &TXPMenu::SetOverrideOwnerDraw),
         BooleanProperty<TXPMenu>("Gradient", &TXPMenu::Gradient, &TXPMenu::SetGradient),
         BooleanProperty<TXPMenu>("FlatMenu", &TXPMenu::FlatMenu, &TXPMenu::SetFlatMenu),
         BooleanProperty<TXPMenu>("AutoDetect", &TXPMenu::AutoDetect, &TXPMenu::SetAutoDetect),
         SetProperty<TXPMenu>("XPContainers", kContainerIdents, &TXPMenu::XPContainers,
                              &TXPMenu::SetXPContainers),
         SetProperty<TXPMenu>("XPControls", kControlIdents, &TXPMenu::XPControls, &TXPMenu::SetXPControls),
         BooleanProperty<TXPMenu>("Active", &TXPMenu::Active, &TXPMenu::SetActive)});
    return info;
}

HWND TXPMenu::OwnerWindow() const
{
    auto* control = dynamic_cast<TControl*>(Owner());
    return control && control->HandleAllocated() ? control->Handle() : nullptr;
}

void TXPMenu::SetFont(const TFont& font)
{
    font_.Assign(font);
}

void TXPMenu::SetMenuBarColor(TColor color)
{
    menuBarColor_ = color;
    if (active_ && !Loading()) ColourMenuBars(true);
    if (HWND owner = OwnerWindow()) ::DrawMenuBar(owner);
}

void TXPMenu::SetUseSystemColors(bool use)
{
    useSystemColors_ = use;
    if (active_ && !Loading()) ColourMenuBars(true);
    if (HWND owner = OwnerWindow()) ::DrawMenuBar(owner);
}

void TXPMenu::SetActive(bool active)
{
    if (active == active_) return;
    active_ = active;
    if (Loading()) return;  // Loaded applies it
    ApplyToOwner(active, true);
    if (HWND owner = OwnerWindow()) ::DrawMenuBar(owner);
}

// A changed choice of kinds or parents: everything is given back with the old one, then taken
// over with the new.
void TXPMenu::ChangeChoice(unsigned& choice, unsigned value)
{
    if (value == choice) return;
    if (!active_ || Loading()) {
        choice = value;
        return;
    }
    active_ = false;
    ApplyToOwner(false, true);
    active_ = true;
    choice = value;
    ApplyToOwner(true, true);
}

void TXPMenu::SetXPContainers(unsigned containers)
{
    ChangeChoice(xpContainers_, containers);
}

void TXPMenu::SetXPControls(unsigned controls)
{
    ChangeChoice(xpControls_, controls);
}

void TXPMenu::Loaded()
{
    TComponent::Loaded();
    if (active_) ApplyToOwner(true, false);
}

void TXPMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove) {
        // A styled control going away takes its styling object with it.
        if (auto found = subClasses_.find(static_cast<TControl*>(component)); found != subClasses_.end()) {
            std::unique_ptr<TControlSubClass> subClass = std::move(found->second);
            subClasses_.erase(found);
            subClass->ForgetControl();
        }
        return;
    }
    if (active_ && autoDetect_ && !Loading() && component && component->Owner() == Owner())
        if (auto* item = dynamic_cast<TMenuItem*>(component)) ApplyToComponent(*item, true, true);
}

void TXPMenu::ApplyToOwner(bool enable, bool repaint)
{
    if (!Owner()) return;
    const std::vector<TComponent*> components = Owner()->Components();
    for (TComponent* component : components) ApplyToComponent(*component, enable, repaint);
    ColourMenuBars(enable);
}

void TXPMenu::ApplyToComponent(TComponent& component, bool enable, bool repaint)
{
    if (auto* menu = dynamic_cast<TMenu*>(&component)) {
        ApplyToMenu(*menu, enable);
        return;
    }
    if (auto* control = dynamic_cast<TControl*>(&component)) StyleControl(*control, enable, repaint);
}

void TXPMenu::ApplyToMenu(TMenu& menu, bool enable)
{
    const bool popup = dynamic_cast<TPopupMenu*>(&menu) != nullptr;
    if (popup ? !(xpControls_ & (1u << xcPopupMenu))
              : !(xpControls_ & (1u << xcMainMenu)) || menu.Tag() == kPainterKeepOut)
        return;
    for (TMenuItem* item : menu.Items().Items()) HookTree(*item, enable);
    menu.SetOwnerDraw(enable);
}

void TXPMenu::ColourMenuBars(bool enable) const
{
    if (!Owner() || !(xpControls_ & (1u << xcMainMenu))) return;
    TColor colour = clNone;
    if (enable) {
        WindowDc screen(nullptr, GetDC(nullptr));
        colour = DeriveColours(screen.get()).MenuBarBackground;
    }
    for (TComponent* component : Owner()->Components())
        if (auto* menu = dynamic_cast<TMainMenu*>(component); menu && menu->Tag() != kPainterKeepOut)
            menu->SetBackground(colour);
}

void TXPMenu::HookTree(TMenuItem& item, bool enable)
{
    HookItem(item, enable);
    for (TMenuItem* child : item.Items()) HookTree(*child, enable);
}

void TXPMenu::HookItem(TMenuItem& item, bool enable)
{
    if (item.Tag() == kPainterKeepOut) return;
    if (!enable) {
        if (item.OnDrawItem.Method == kOwnDraw) item.OnDrawItem = {};
        if (item.OnMeasureItem.Method == kOwnMeasure) item.OnMeasureItem = {};
        return;
    }
    if (!item.OnDrawItem.Handler || overrideOwnerDraw_)
        item.OnDrawItem = {kOwnDraw, [this](TEventArgs& args) {
                               TCanvas canvas(static_cast<HDC>(args.Dc));
                               const RECT rect{args.Left, args.Top, args.Right, args.Bottom};
                               DrawMenuItem(static_cast<TMenuItem&>(*args.Sender), canvas, rect,
                                            (args.State & ODS_SELECTED) != 0);
                           }};
    if (!item.OnMeasureItem.Handler || overrideOwnerDraw_)
        item.OnMeasureItem = {kOwnMeasure, [this](TEventArgs& args) {
                                  // Measures as the screen does, without a trip to the display.
                                  UniqueMemoryDc screen(CreateCompatibleDC(nullptr));
                                  TCanvas canvas(screen.get());
                                  MeasureMenuItem(static_cast<TMenuItem&>(*args.Sender), canvas, args.Width,
                                                  args.Height);
                              }};
}

void TXPMenu::MeasureMenuItem(TMenuItem& item, TCanvas& canvas, int& width, int& height)
{
    if (!active_) return;
    canvas.SetFont(font_);
    TMenuItemMeasure measure;
    measure.Caption = item.Caption();
    if (item.ShortCut() != 0) measure.ShortCutText = ShortCutToText(static_cast<TShortCut>(item.ShortCut()));
    if (TImageList* images = PictureListOf(item))
        measure.ImageWidth = images->Width(), measure.ImageHeight = images->Height();
    measure.BarItem = IsBarItem(item);
    measure.NtPlatform = IsNtPlatform();
    measure.IconWidth = iconWidth_;
    const TTextMeasure text{
        [&canvas](std::string_view s) { return static_cast<int>(canvas.TextExtent(std::string(s)).cx); },
        static_cast<int>(canvas.TextExtent("W").cy)};
    zelvora::MeasureMenuItem(measure, text, width, height);
}

// Asking the device costs Wine 150 us, ten times a whole item of the system's own: the depth is
// asked once and again after the display changes.
int TXPMenu::DeviceBits(HDC dc) const
{
    if (deviceBits_ == 0) deviceBits_ = GetDeviceCaps(dc, BITSPIXEL);
    return deviceBits_;
}

bool TXPMenu::HighColor(HDC dc) const
{
    return DeviceBits(dc) > 15;
}

// A device of 24 bits or more shows every colour as it is; asking it costs Wine 15 us a colour.
TNearestColour TXPMenu::NearestOn(HDC dc) const
{
    if (DeviceBits(dc) >= 24) return {};
    return [dc](TColor c) { return static_cast<TColor>(GetNearestColor(dc, c)); };
}

TColor TXPMenu::LightenOn(HDC dc, TColor colour, int percent) const
{
    return Lighten(ColorToRGB(colour), percent, NearestOn(dc));
}

TMenuColourSources TXPMenu::ColourSources(HDC dc) const
{
    TMenuColourSources sources;
    sources.HighColor = HighColor(dc);
    sources.UseDimColor = useDimColor_;
    sources.UseSystemColors = useSystemColors_;
    sources.FontColor = ColorToRGB(font_.Color());
    sources.Color = ColorToRGB(color_);
    sources.IconBackColor = ColorToRGB(iconBackColor_);
    sources.SelectColor = ColorToRGB(selectColor_);
    sources.SelectBorderColor = ColorToRGB(selectBorderColor_);
    sources.SelectFontColor = ColorToRGB(selectFontColor_);
    sources.MenuBarColor = ColorToRGB(menuBarColor_);
    sources.DisabledColor = ColorToRGB(disabledColor_);
    sources.CheckedColor = ColorToRGB(checkedColor_);
    sources.SeparatorColor = ColorToRGB(separatorColor_);
    sources.BtnFace = ColorToRGB(clBtnFace);
    sources.BtnShadow = ColorToRGB(clBtnShadow);
    sources.Highlight = ColorToRGB(clHighlight);
    return sources;
}

TMenuColours TXPMenu::DeriveColours(HDC dc) const
{
    return zelvora::DeriveColours(ColourSources(dc), NearestOn(dc));
}

namespace {

// The kind of styling a control gets, chosen by what it is; class names compare exactly, so a
// descendant with a name of its own is not taken.
std::optional<std::pair<TStyledKind, TXPControl>> StyledKindOf(const TControl& control)
{
    const std::string& name = control.ClassInfo().Name();
    if (name == "TMaskEdit" || name == "TDBEdit") return std::pair{TStyledKind::Edit, xcMaskEdit};
    if (dynamic_cast<const TMemo*>(&control)) return std::pair{TStyledKind::Edit, xcMemo};
    if (dynamic_cast<const TCheckBox*>(&control)) return std::pair{TStyledKind::CheckBox, xcCheckBox};
    if (dynamic_cast<const TRadioButton*>(&control))
        return std::pair{TStyledKind::RadioButton, xcRadioButton};
    if (name == "TBitBtn") return std::pair{TStyledKind::BitBtn, xcBitBtn};
    if (name == "TButton" || name == "TUpDown" || name == "TDBNavigator" || name == "TDBLookupComboBox")
        return std::pair{TStyledKind::Button, xcButton};
    if (dynamic_cast<const TPanel*>(&control)) return std::pair{TStyledKind::Panel, xcPanel};
    return std::nullopt;
}

std::optional<TXPContainer> ContainerOf(const TControl& parent)
{
    const std::string& name = parent.ClassInfo().Name();
    if (dynamic_cast<const TForm*>(&parent)) return xccForm;
    if (dynamic_cast<const TPanel*>(&parent)) return xccPanel;
    if (name == "TdxTabSheet") return xccTabSheet;
    if (name == "TDBCtrlPanel") return xccFrame;
    return std::nullopt;
}

}  // namespace

void TXPMenu::StyleControl(TControl& control, bool enable, bool repaint)
{
    // Giving back happens at each control's next message, once the painter is inactive.
    if (!enable) return;
    const auto kind = StyledKindOf(control);
    TControl* parent = control.Parent();
    const auto container = parent ? ContainerOf(*parent) : std::nullopt;
    const bool chosen = kind && (xpControls_ & (1u << kind->second)) && container &&
                        (xpContainers_ & (1u << *container)) && control.Tag() != kPainterKeepOut &&
                        parent->Tag() != kPainterKeepOut;
    if (TControlSubClass* styled = SubClassOf(control)) {
        // The chosen kinds or parents changed: a control left out now gets its own look back.
        if (!chosen) {
            styled->Release();
            control.Invalidate();
        }
        return;
    }
    if (!chosen) return;
    auto subClass = std::make_unique<TControlSubClass>(*this, control, kind->first);
    TControlSubClass& styled = *subClass;
    subClasses_.emplace(&control, std::move(subClass));
    control.FreeNotification(this);
    if (repaint) {
        control.Invalidate();
        styled.Repaint();
    }
}

bool TXPMenu::IsStyled(const TControl& control) const
{
    return subClasses_.count(&control) != 0;
}

TControlSubClass* TXPMenu::SubClassOf(const TControl& control) const
{
    const auto found = subClasses_.find(&control);
    return found == subClasses_.end() ? nullptr : found->second.get();
}

void TXPMenu::ReleaseSubClass(TControlSubClass& subClass)
{
    for (auto it = subClasses_.begin(); it != subClasses_.end(); ++it)
        if (it->second.get() == &subClass) {
            subClasses_.erase(it);
            return;
        }
}

}  // namespace zelvora
