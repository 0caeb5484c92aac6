#include "controls/win32/PanelCaption.h"

#include <algorithm>
#include <vector>
#include "toolkit/win32/Bitmap.h"

namespace zelvora {

namespace {

const std::vector<std::string> kShadeIdents{
    "stNormal",    "stNoise",   "stDiagShade",      "stHShade",        "stVShade",
    "stHBump",     "stVBump",   "stSoftBump",       "stHardBump",      "stLMetal",
    "stRMetal",    "stIRadial", "stORadial",        "stHShadeInv",     "stVShadeInv",
    "stXPCaption", "stBitmap",  "stBitmapRStretch", "stBitmapLStretch"};
constexpr int kMinShadeLight = 200;

}  // namespace

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
         IntegerProperty<TPanelCaption>("ShadeLight", &TPanelCaption::ShadeLight,
                                        &TPanelCaption::SetShadeLight),
         IntegerProperty<TPanelCaption>("ShadeGrain", &TPanelCaption::ShadeGrain,
                                        &TPanelCaption::SetShadeGrain),
         EnumProperty<TPanelCaption, TCaptionShape>("Shape", {"csRectangle", "csRounded", "csSemiRounded"},
                                                    &TPanelCaption::Shape, &TPanelCaption::SetShape),
         BooleanProperty<TPanelCaption>("Flat", &TPanelCaption::Flat, &TPanelCaption::SetFlat),
         IntegerProperty<TPanelCaption>("Indent", &TPanelCaption::Indent, &TPanelCaption::SetIndent),
         IntegerProperty<TPanelCaption>("TopIndent", &TPanelCaption::TopIndent, &TPanelCaption::SetTopIndent),
         EnumProperty<TPanelCaption, TCaptionButtonPosition>("ButtonPosition", {"cbpRight", "cbpLeft"},
                                                             &TPanelCaption::ButtonPosition,
                                                             &TPanelCaption::SetButtonPosition),
         BooleanProperty<TPanelCaption>("CloseButton", &TPanelCaption::CloseButton,
                                        &TPanelCaption::SetCloseButton),
         ColorProperty<TPanelCaption>("CloseColor", &TPanelCaption::CloseColor,
                                      &TPanelCaption::SetCloseColor),
         ColorProperty<TPanelCaption>("CloseButtonColor", &TPanelCaption::CloseButtonColor,
                                      &TPanelCaption::SetCloseButtonColor),
         ColorProperty<TPanelCaption>("MinMaxButtonColor", &TPanelCaption::MinMaxButtonColor,
                                      &TPanelCaption::SetMinMaxButtonColor),
         StringProperty<TPanelCaption>("CloseMinGlyph", &TPanelCaption::CloseMinGlyph,
                                       &TPanelCaption::SetCloseMinGlyph),
         StringProperty<TPanelCaption>("CloseMaxGlyph", &TPanelCaption::CloseMaxGlyph,
                                       &TPanelCaption::SetCloseMaxGlyph),
         StringProperty<TPanelCaption>("MinGlyph", &TPanelCaption::MinGlyph, &TPanelCaption::SetMinGlyph),
         StringProperty<TPanelCaption>("MaxGlyph", &TPanelCaption::MaxGlyph, &TPanelCaption::SetMaxGlyph),
         BooleanProperty<TPanelCaption>("MinMaxButton", &TPanelCaption::MinMaxButton,
                                        &TPanelCaption::SetMinMaxButton),
         StringProperty<TPanelCaption>("Background", &TPanelCaption::Background,
                                       &TPanelCaption::SetBackground)});
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

}  // namespace zelvora
