// The caption panel: a panel with a shaded caption band carrying mini-HTML text, a frame, an
// inner border for its children, and collapsing to its band.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "controls/CaptionShade.h"
#include "controls/win32/HtmlCanvas.h"
#include "controls/win32/HtmlPicture.h"
#include "controls/win32/PanelCaption.h"
#include "controls/win32/PanelPosition.h"
#include "toolkit/win32/Canvas.h"
#include "toolkit/win32/Panel.h"

namespace zelvora {

enum class TTextVAlignment { tvaTop, tvaCenter, tvaBottom };
enum class TBackGroundPosition {
    bpTopLeft,
    bpTopRight,
    bpBottomLeft,
    bpBottomRight,
    bpTiled,
    bpStretched,
    bpCenter
};

class TAdvPanel : public TPanel {
public:
    explicit TAdvPanel(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TPanelCaption& Caption() { return caption_; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    TColor ColorTo() const { return colorTo_; }
    void SetColorTo(TColor color);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor color);
    bool BorderShadow() const { return borderShadow_; }
    void SetBorderShadow(bool shadow);
    bool Buffered() const { return buffered_; }
    void SetBuffered(bool buffered) { buffered_ = buffered; }
    bool Collaps() const { return collaps_; }
    void SetCollaps(bool collaps);
    int FullHeight() const { return fullHeight_; }
    void SetFullHeight(int height) { fullHeight_ = height; }
    TColor CollapsColor() const { return collapsColor_; }
    void SetCollapsColor(TColor color) { collapsColor_ = color; }
    int CollapsDelay() const { return collapsDelay_; }
    void SetCollapsDelay(int delay) { collapsDelay_ = delay; }
    int CollapsSteps() const { return collapsSteps_; }
    void SetCollapsSteps(int steps) { collapsSteps_ = steps; }
    bool AutoHideChildren() const { return autoHideChildren_; }
    void SetAutoHideChildren(bool hide) { autoHideChildren_ = hide; }
    bool CanMove() const { return canMove_; }
    void SetCanMove(bool value) { canMove_ = value; }
    bool CanSize() const { return canSize_; }
    void SetCanSize(bool value) { canSize_ = value; }
    bool Hover() const { return hover_; }
    void SetHover(bool value) { hover_ = value; }
    TColor HoverColor() const { return hoverColor_; }
    void SetHoverColor(TColor color) { hoverColor_ = color; }
    TColor HoverFontColor() const { return hoverFontColor_; }
    void SetHoverFontColor(TColor color) { hoverFontColor_ = color; }
    TColor URLColor() const { return urlColor_; }
    void SetURLColor(TColor color) { urlColor_ = color; }
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color) { shadowColor_ = color; }
    int ShadowOffset() const { return shadowOffset_; }
    void SetShadowOffset(int offset) { shadowOffset_ = offset; }
    TTextVAlignment TextVAlign() const { return textVAlign_; }
    void SetTextVAlign(TTextVAlignment align) { textVAlign_ = align; }
    int Indent() const { return indent_; }
    void SetIndent(int indent) { indent_ = indent; }
    int TopIndent() const { return topIndent_; }
    void SetTopIndent(int indent) { topIndent_ = indent; }

    // The body's picture, drawn below the band at `BackgroundPosition`.
    TAdvImage& Background() { return background_; }
    TBackGroundPosition BackgroundPosition() const { return backgroundPosition_; }
    void SetBackgroundPosition(TBackGroundPosition position);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TPictureContainer* PictureContainer() const { return pictureContainer_; }
    void SetPictureContainer(TPictureContainer* container);
    const THTMLPictureCache& PictureCache() const { return pictureCache_; }
    // The visual styles service, reached only when the themed caption is asked for.
    static bool VisualStylesActive();

    bool FixedTop() const { return fixedTop_; }
    void SetFixedTop(bool value) { fixedTop_ = value; }
    bool FixedLeft() const { return fixedLeft_; }
    void SetFixedLeft(bool value) { fixedLeft_ = value; }
    bool FixedHeight() const { return fixedHeight_; }
    void SetFixedHeight(bool value) { fixedHeight_ = value; }
    bool FixedWidth() const { return fixedWidth_; }
    void SetFixedWidth(bool value) { fixedWidth_ = value; }
    bool FreeOnClose() const { return freeOnClose_; }
    void SetFreeOnClose(bool value) { freeOnClose_ = value; }
    // The band's buttons, in client coordinates; empty when the button is not shown.
    RECT CloseButtonRect() const;
    RECT MinMaxButtonRect() const;
    // Posted to free a FreeOnClose panel once its handlers have returned.
    static constexpr UINT kReleaseMessage = WM_APP + 0x2A1;
    // Over the close or the collapse button: never part of the area that moves the panel.
    bool OnCaptionButton(POINT p) const;

    TPanelPosition& Position() { return position_; }
    TAutoSize& AutoSize() { return autoSize_; }
    bool AnchorHint() const { return anchorHint_; }
    void SetAnchorHint(bool value) { anchorHint_ = value; }
    // The anchor under the mouse, empty when there is none.
    const std::string& HoveredAnchor() const { return hovered_; }

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void Loaded() override;
    void ScaleMetrics(int toDpi) override;
    void ApplyScaledMetrics() override;
    ~TAdvPanel() override;
    // Regenerates the shade picture of the band.
    virtual void BuildShade();
    virtual void StateChanged() {}
    const TShadeBitmap* Shade() const { return shade_.get(); }
    int ShadeBuilds() const { return shadeBuilds_; }
    // The anchor of the caption or body text at a point of the panel, if any.
    std::optional<std::string> AnchorAt(int x, int y);
    struct TAnchorHit {
        std::string Target;
        RECT Bounds;
        int Index;
        bool InCaption;
    };
    std::optional<TAnchorHit> AnchorHitAt(int x, int y);

    // The anchor events carry the target in Text; OnAnchorHint may change the hint there.
    TEventRef OnCaptionClick, OnCaptionDBlClick, OnAnchorClick, OnAnchorEnter, OnAnchorExit, OnAnchorHint,
        OnMinimize, OnMaximize, OnEndMoveSize, OnClose;

protected:
    // Posted to a panel that frees itself after its close button.

    void CreateParams(TCreateParams& params) override;
    void Paint(HDC dc) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintOn(HDC dc);
    void PaintBand(HDC dc, RECT band);
    void PaintShade(HDC dc, RECT band);
    void PaintBandPicture(HDC dc, const RECT& band);
    void PaintBackground(HDC dc, const RECT& area);
    void PaintBodyText(HDC dc);
    RECT BodyArea() const;
    TRect BodyTextBox(IHtmlCanvas& canvas) const;
    TRect CaptionTextBox() const;
    THtmlOptions HtmlOptions(bool inCaption) const;
    THtmlPictureSources PictureSources();
    void Notification(TComponent* component, TOperation operation) override;
    void PaintSizeGrip(HDC dc);
    void MouseMoved(int x, int y);
    void MouseLeft();
    void SavePosition();
    void RestorePosition();
    void Fire(TEventRef& event, std::string* text = nullptr);
    int ButtonSize() const;
    void PaintButtons(HDC dc);
    bool PressButtons(int x, int y);
    RECT BandRect() const;

    TPanelCaption caption_;
    std::string text_;
    TColor colorTo_ = clNone, borderColor_ = clBlack;
    bool borderShadow_ = false, buffered_ = true, collaps_ = false, changing_ = false;
    int fullHeight_ = 0;
    TColor collapsColor_ = 0x808080, loadedColor_ = clBtnFace;  // clGray
    int collapsDelay_ = 20, collapsSteps_ = 0;
    bool autoHideChildren_ = true, canMove_ = false, canSize_ = false, hover_ = false;
    TColor urlColor_ = 0xFF0000, shadowColor_ = 0x808080, hoverColor_ = clNone, hoverFontColor_ = clNone;
    int shadowOffset_ = 2;
    TTextVAlignment textVAlign_ = TTextVAlignment::tvaTop;
    int indent_ = 0, topIndent_ = 0;
    std::unique_ptr<TShadeBitmap> shade_;
    UniqueBitmap shadeBitmap_;
    TPanelPosition position_;
    TAutoSize autoSize_;
    bool anchorHint_ = false;
    std::string hovered_;
    RECT hoveredBounds_{};
    int hoveredIndex_ = -1;  // of the anchor shown hovered, in the caption or the body text
    bool hoveredInCaption_ = false;
    TAdvImage background_;
    TBackGroundPosition backgroundPosition_ = TBackGroundPosition::bpTopLeft;
    TImageList* images_ = nullptr;
    TPictureContainer* pictureContainer_ = nullptr;
    THTMLPictureCache pictureCache_;
    bool trackingLeave_ = false;
    bool fixedTop_ = false, fixedLeft_ = false, fixedHeight_ = false, fixedWidth_ = false,
         freeOnClose_ = false;
    bool dragging_ = false;
    bool releasePending_ = false;             // FreeOnClose asked while an animation ran
    int toggles_ = 0;                         // collapse and expand toggles so far: a newer one takes over
    int loadedWidth_ = 0, loadedHeight_ = 0;  // what FixedWidth and FixedHeight keep
    struct TAnchorLookup {
        int X, Y, Width, Height;
        bool InCaption;
        std::string Text;
        bool operator==(const TAnchorLookup&) const = default;
    };
    std::optional<std::pair<TAnchorLookup, std::optional<TAnchorHit>>> lastLookup_;
    int shadeBuilds_ = 0;
};

}  // namespace zelvora
