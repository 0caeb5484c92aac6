#include "look/MenuColours.h"

#include <algorithm>

namespace zelvora {

namespace {

constexpr TColor kSilver = 0xC0C0C0;

// c + (255 - c) * p / 100, the quotient rounded to nearest with ties to even.
int LightenChannel(int c, int percent)
{
    const int scaled = (255 - c) * percent;
    int step = scaled / 100;
    const int rest = scaled % 100;
    if (rest > 50 || (rest == 50 && step % 2 == 1)) ++step;
    return c + step;
}

}  // namespace

TColor Lighten(TColor colour, int percent, const TNearestColour& nearest)
{
    percent = std::clamp(percent, 0, 100);
    const TColor lighter =
        RgbOf(LightenChannel(RedOf(colour), percent), LightenChannel(GreenOf(colour), percent),
              LightenChannel(BlueOf(colour), percent));
    return nearest ? nearest(lighter) : lighter;
}

TColor Darken(TColor colour, int amount)
{
    return RgbOf(RedOf(colour) - amount, GreenOf(colour) - amount + 2, BlueOf(colour) - amount);
}

TColor GrayOf(TColor colour, int amount)
{
    const int v = std::min((RedOf(colour) + GreenOf(colour) + BlueOf(colour)) / 3 + amount, 240);
    return RgbOf(v, v, v);
}

TMenuColours DeriveColours(const TMenuColourSources& s, const TNearestColour& nearest)
{
    TMenuColours c;
    c.MenuBackground = s.Color;
    c.IconColumn = s.IconBackColor;
    c.SelectionBorder = s.SelectBorderColor;
    c.SelectedText = s.SelectFontColor;
    c.MenuBarBackground = s.MenuBarColor;
    c.Disabled = s.DisabledColor;
    c.CheckFrame = s.CheckedColor;
    c.Separator = s.SeparatorColor;
    if (s.HighColor) {
        const bool dim = s.UseDimColor;
        c.SelectionFill = dim ? Lighten(s.SelectColor, 68, nearest) : s.SelectColor;
        c.CheckFill = dim ? Lighten(s.SelectColor, 80, nearest) : s.SelectColor;
        c.CheckFillSelected = dim ? Lighten(s.SelectColor, 50, nearest) : s.SelectColor;
        c.FrameBorder = Darken(s.BtnFace, 90);
        c.FrameShadow = Darken(s.BtnFace, 76);
    } else {
        c.SelectionFill = s.SelectColor;
        c.CheckFill = clWhite;
        c.CheckFillSelected = kSilver;
        c.FrameBorder = c.FrameShadow = s.BtnShadow;
    }
    if (!s.UseSystemColors) return c;
    const bool high = s.HighColor;
    c.SelectedText = s.FontColor;
    c.MenuBackground = high ? Lighten(s.BtnFace, 86, nearest) : clWhite;
    c.IconColumn = high ? Lighten(s.BtnFace, 16, nearest) : s.BtnFace;
    c.SelectionFill = high ? Lighten(s.Highlight, 68, nearest) : clWhite;
    c.SelectionBorder = s.Highlight;
    c.MenuBarBackground = s.BtnFace;
    c.Disabled = high ? Lighten(s.BtnShadow, 10, nearest) : s.BtnShadow;
    c.Separator = high ? Lighten(s.BtnShadow, 25, nearest) : s.BtnShadow;
    c.CheckFrame = s.Highlight;
    c.CheckFill = high ? Lighten(s.Highlight, 80, nearest) : clWhite;
    c.CheckFillSelected = high ? Lighten(s.Highlight, 50, nearest) : clWhite;
    return c;
}

}  // namespace zelvora
