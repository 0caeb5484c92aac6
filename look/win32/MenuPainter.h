// The flat painter of a window's menus and controls (TXPMenu): it measures and draws every item of
// the window's menus and restyles its standard controls, while it is active.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "look/MenuColours.h"
#include "toolkit/Component.h"
#include "toolkit/Graphics.h"
#include "toolkit/win32/Control.h"

namespace zelvora {

class TCanvas;
class TControl;
class TControlSubClass;
class TMenu;
class TMenuItem;

enum TXPContainer : unsigned {
    xccForm,
    xccFrame,
    xccToolbar,
    xccCoolbar,
    xccControlbar,
    xccPanel,
    xccScrollBox,
    xccGroupBox,
    xccTabSheet,
    xccPageScroller
};
enum TXPControl : unsigned {
    xcMainMenu,
    xcPopupMenu,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcEdit,
    xcMaskEdit,
    xcMemo,
    xcRichEdit,
    xcCheckBox,
    xcRadioButton,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcPanel,
    xcGroupBox
};
constexpr unsigned kAllXPContainers = 0x03FF;
constexpr unsigned kAllXPControls = 0xFFFF;

// Components and controls with this tag are left alone.
constexpr int kPainterKeepOut = 999;

// Text drawn transparently in the DrawText format; a halo (default items and buttons) first draws
// it four times around its place in darker shades of what lies under it.
void DrawMenuText(TCanvas& canvas, const std::string& text, RECT bounds, UINT format, TColor colour,
                  bool halo);

class TXPMenu : public TComponent, public IScaledComponent {
public:
    explicit TXPMenu(TComponent* owner);
    ~TXPMenu() override;
    // The font and the icon column grow with the window's screen.
    void ScaleMetrics(int toDpi, int fromDpi) override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int DimLevel() const { return dimLevel_; }
    void SetDimLevel(int level) { dimLevel_ = level; }
    int GrayLevel() const { return grayLevel_; }
    void SetGrayLevel(int level) { grayLevel_ = level; }
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    bool DrawMenuBar() const { return drawMenuBar_; }
    void SetDrawMenuBar(bool draw) { drawMenuBar_ = draw; }
    TColor IconBackColor() const { return iconBackColor_; }
    void SetIconBackColor(TColor color) { iconBackColor_ = color; }
    TColor MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(TColor color);
    TColor SelectColor() const { return selectColor_; }
    void SetSelectColor(TColor color) { selectColor_ = color; }
    TColor SelectBorderColor() const { return selectBorderColor_; }
    void SetSelectBorderColor(TColor color) { selectBorderColor_ = color; }
    TColor SelectFontColor() const { return selectFontColor_; }
    void SetSelectFontColor(TColor color) { selectFontColor_ = color; }
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor color) { disabledColor_ = color; }
    TColor SeparatorColor() const { return separatorColor_; }
    void SetSeparatorColor(TColor color) { separatorColor_ = color; }
    TColor CheckedColor() const { return checkedColor_; }
    void SetCheckedColor(TColor color) { checkedColor_ = color; }
    int IconWidth() const { return iconWidth_; }
    void SetIconWidth(int width) { iconWidth_ = width; }
    bool DrawSelect() const { return drawSelect_; }
    void SetDrawSelect(bool draw) { drawSelect_ = draw; }
    bool UseSystemColors() const { return useSystemColors_; }
    void SetUseSystemColors(bool use);
    bool UseDimColor() const { return useDimColor_; }
    void SetUseDimColor(bool use) { useDimColor_ = use; }
    bool OverrideOwnerDraw() const { return overrideOwnerDraw_; }
    void SetOverrideOwnerDraw(bool value) { overrideOwnerDraw_ = value; }
    bool Gradient() const { return gradient_; }
    void SetGradient(bool gradient) { gradient_ = gradient; }
    bool FlatMenu() const { return flatMenu_; }
    void SetFlatMenu(bool flat) { flatMenu_ = flat; }
    bool AutoDetect() const { return autoDetect_; }
    void SetAutoDetect(bool autoDetect) { autoDetect_ = autoDetect; }
    unsigned XPContainers() const { return xpContainers_; }
    void SetXPContainers(unsigned containers);
    unsigned XPControls() const { return xpControls_; }
    void SetXPControls(unsigned controls);
    bool Active() const { return active_; }
    void SetActive(bool active);

    void Loaded() override;

    // Takes over (or gives back) every menu and chosen control of the owner window.
    void ApplyToOwner(bool enable, bool repaint);
    void ApplyToComponent(TComponent& component, bool enable, bool repaint);

    // The window system's requests for an owner-drawn item, passed on by the toolkit.
    void MeasureMenuItem(TMenuItem& item, TCanvas& canvas, int& width, int& height);
    void DrawMenuItem(TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected);

    // The working colours for a device, recomputed at every drawing.
    TMenuColours DeriveColours(HDC dc) const;
    bool HighColor(HDC dc) const;
    int DeviceBits(HDC dc) const;
    TColor LightenOn(HDC dc, TColor colour, int percent) const;
    TNearestColour NearestOn(HDC dc) const;
    static constexpr int kButtonPercent = 16, kButtonHotPercent = 40;

    // Styled controls, for tests and the census.
    std::size_t StyledControlCount() const { return subClasses_.size(); }
    bool IsStyled(const TControl& control) const;
    TControlSubClass* SubClassOf(const TControl& control) const;
    // A styling object that is done with its control; the painter frees it.
    void ReleaseSubClass(TControlSubClass& subClass);

    // The drop-down menu window's flat frame, drawn over the screen.
    void FlatFrame(HWND menuWindow, const TMenuColours& colours, bool rightToLeft) const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void ChangeChoice(unsigned& choice, unsigned value);
    void ApplyToMenu(TMenu& menu, bool enable);
    // The main menus' bars take the bar's colour beside their items too (clNone: given back).
    void ColourMenuBars(bool enable) const;
    void HookItem(TMenuItem& item, bool enable);
    void HookTree(TMenuItem& item, bool enable);
    void StyleControl(TControl& control, bool enable, bool repaint);
    TMenuColourSources ColourSources(HDC dc) const;
    HWND OwnerWindow() const;

    int dimLevel_ = 30, grayLevel_ = 10;
    TFont font_;
    TColor color_ = clBtnFace, iconBackColor_ = clBtnFace, menuBarColor_ = clBtnFace;
    TColor selectColor_ = clHighlight, selectBorderColor_ = clHighlight, selectFontColor_;
    TColor disabledColor_, separatorColor_ = clBtnFace, checkedColor_ = clHighlight;
    int iconWidth_ = 24;
    bool drawMenuBar_ = false, drawSelect_ = true, useSystemColors_ = true, useDimColor_ = false;
    bool overrideOwnerDraw_ = false, gradient_ = false, flatMenu_ = false, autoDetect_ = false;
    unsigned xpContainers_ = kAllXPContainers, xpControls_ = kAllXPControls;
    bool active_ = false;
    mutable int deviceBits_ = 0;  // 0: not known (yet, or since the display changed)
    int displayHook_ = -1;
    std::map<const TControl*, std::unique_ptr<TControlSubClass>> subClasses_;
};

}  // namespace zelvora
