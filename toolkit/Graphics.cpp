#include "toolkit/Graphics.h"

#include <array>
#include <utility>

#include "base/DpiScaling.h"

namespace zelvora {

namespace {

constexpr int kScreenDpi = kDesignDpi;
constexpr int kPointsPerInch = 72;

}  // namespace

const TClassInfo& TFont::StaticClassInfo()
{
    static const TClassInfo info(
        "TFont", nullptr,
        {StringProperty<TFont>("Name", &TFont::Name, &TFont::SetName),
         IntegerProperty<TFont>("Height", &TFont::Height, &TFont::SetHeight),
         IntegerProperty<TFont>("Size", &TFont::Size, &TFont::SetSize),
         IntegerProperty<TFont>("Charset", &TFont::Charset, &TFont::SetCharset),
         ColorProperty<TFont>("Color", &TFont::Color, &TFont::SetColor),
         SetProperty<TFont>("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::Style,
                            &TFont::SetStyle)});
    return info;
}

void TFont::SetName(const std::string& name)
{
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == height_) return;
    height_ = height;
    Changed();
}

int TFont::Size() const
{
    return -MulDivRounded(height_, kPointsPerInch, kScreenDpi);
}

void TFont::SetSize(int size)
{
    SetHeight(-MulDivRounded(size, kScreenDpi, kPointsPerInch));
}

void TFont::SetCharset(int charset)
{
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(unsigned style)
{
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::Assign(const TFont& other)
{
    if (*this == other) return;
    name_ = other.name_;
    height_ = other.height_;
    charset_ = other.charset_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

bool TFont::operator==(const TFont& other) const
{
    return name_ == other.name_ && height_ == other.height_ && charset_ == other.charset_ &&
           color_ == other.color_ && style_ == other.style_;
}

const TClassInfo& TPen::StaticClassInfo()
{
    static const TClassInfo info(
        "TPen", nullptr,
        {ColorProperty<TPen>("Color", &TPen::Color, &TPen::SetColor),
         IntegerProperty<TPen>("Width", &TPen::Width, &TPen::SetWidth),
         EnumProperty<TPen, TPenStyle>("Style",
                                       {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear"},
                                       &TPen::Style, &TPen::SetStyle)});
    return info;
}

void TPen::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width)
{
    if (width == width_) return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style)
{
    if (style == style_) return;
    style_ = style;
    Changed();
}

const TClassInfo& TBrush::StaticClassInfo()
{
    static const TClassInfo info("TBrush", nullptr,
                                 {ColorProperty<TBrush>("Color", &TBrush::Color, &TBrush::SetColor),
                                  EnumProperty<TBrush, TBrushStyle>("Style", {"bsSolid", "bsClear"},
                                                                    &TBrush::Style, &TBrush::SetStyle)});
    return info;
}

void TBrush::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == style_) return;
    style_ = style;
    Changed();
}

}  // namespace zelvora
