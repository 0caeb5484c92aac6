// The caption band of a caption panel: its text, shade, shape, buttons and pictures.
#pragma once

#include <functional>
#include <string>
#include "controls/CaptionShade.h"
#include "toolkit/Graphics.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

enum class TCaptionShape { csRectangle, csRounded, csSemiRounded };
enum class TCaptionButtonPosition { cbpRight, cbpLeft };

class TPanelCaption : public TGraphicsObject {
public:
    TPanelCaption();
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    int Height() const { return height_; }
    void SetHeight(int height);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TColor ColorTo() const { return colorTo_; }
    void SetColorTo(TColor color);
    TShadeType ShadeType() const { return shadeType_; }
    void SetShadeType(TShadeType type);
    int ShadeLight() const { return shadeLight_; }
    void SetShadeLight(int light);  // below 200 is raised to 200
    int ShadeGrain() const { return shadeGrain_; }
    void SetShadeGrain(int grain);
    TCaptionShape Shape() const { return shape_; }
    void SetShape(TCaptionShape shape);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    int Indent() const { return indent_; }
    void SetIndent(int indent);
    int TopIndent() const { return topIndent_; }
    void SetTopIndent(int indent);
    TCaptionButtonPosition ButtonPosition() const { return buttonPosition_; }
    void SetButtonPosition(TCaptionButtonPosition position) { buttonPosition_ = position; }
    bool CloseButton() const { return closeButton_; }
    void SetCloseButton(bool value);
    TColor CloseColor() const { return closeColor_; }
    void SetCloseColor(TColor color);
    bool MinMaxButton() const { return minMaxButton_; }
    void SetMinMaxButton(bool value);
    TColor CloseButtonColor() const { return closeButtonColor_; }
    void SetCloseButtonColor(TColor color);
    TColor MinMaxButtonColor() const { return minMaxButtonColor_; }
    void SetMinMaxButtonColor(TColor color);
    // Button pictures: bitmaps of the program's resources, by name.
    const std::string& CloseMinGlyph() const { return closeMinGlyph_.Name; }
    void SetCloseMinGlyph(const std::string& name);
    const std::string& CloseMaxGlyph() const { return closeMaxGlyph_.Name; }
    void SetCloseMaxGlyph(const std::string& name);
    const std::string& MinGlyph() const { return minGlyph_.Name; }
    void SetMinGlyph(const std::string& name) { minGlyph_.Load(name); }
    const std::string& MaxGlyph() const { return maxGlyph_.Name; }
    void SetMaxGlyph(const std::string& name) { maxGlyph_.Load(name); }
    struct TGlyph {
        std::string Name;
        UniqueBitmap Bitmap;
        void Load(const std::string& name);
        int Width() const;
        HBITMAP Handle() const { return Bitmap.get(); }
    };
    const TGlyph& CloseGlyph(bool collapsed) const { return collapsed ? closeMinGlyph_ : closeMaxGlyph_; }
    const TGlyph& MinMaxGlyph(bool collapsed) const { return collapsed ? maxGlyph_ : minGlyph_; }
    bool BothCloseGlyphs() const { return closeMinGlyph_.Bitmap && closeMaxGlyph_.Bitmap; }
    bool BothMinMaxGlyphs() const { return minGlyph_.Bitmap && maxGlyph_.Bitmap; }
    // The band's picture for the bitmap shade types: a bitmap of the program's resources.
    const std::string& Background() const { return background_; }
    void SetBackground(const std::string& resourceName);
    HBITMAP Picture() const { return picture_.get(); }

    // The panel hooks these: a visible change, a change that needs a new shade, visibility.
    std::function<void()> OnShadeChange, OnStateChange;

private:
    void ShadeChanged();
    bool visible_ = false;
    int height_ = 20;
    std::string text_;
    TFont font_;
    TColor color_ = clHighlight, colorTo_ = clNone;
    TShadeType shadeType_ = TShadeType::stNormal;
    int shadeLight_ = 200, shadeGrain_ = 32;
    TCaptionShape shape_ = TCaptionShape::csRectangle;
    bool flat_ = false;
    int indent_ = 0, topIndent_ = 0;
    TCaptionButtonPosition buttonPosition_ = TCaptionButtonPosition::cbpRight;
    bool closeButton_ = false, minMaxButton_ = false;
    TColor closeColor_ = clBtnFace, closeButtonColor_ = clWhite, minMaxButtonColor_ = clWhite;
    TGlyph closeMinGlyph_, closeMaxGlyph_, minGlyph_, maxGlyph_;
    std::string background_;
    UniqueBitmap picture_;
};

enum class TPositionLocation { clRegistry, clInifile };

}  // namespace zelvora
