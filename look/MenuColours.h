// The flat menus' colour arithmetic: lighter and darker shades of RGB colours (0x00BBGGRR) and
// the working colours derived from the painter's settings and the system's colours.
#pragma once

#include <functional>

#include "toolkit/Colors.h"

namespace zelvora {

// The device's nearest colour to a computed one; the identity where no device is at hand.
using TNearestColour = std::function<TColor(TColor)>;

// Each channel moves p per cent (capped at 100) of the way to 255, rounded half to even.
TColor Lighten(TColor colour, int percent, const TNearestColour& nearest = {});
// Red and blue minus n, green minus n plus 2, each clamped to 0..255; a negative n brightens.
TColor Darken(TColor colour, int amount);
// The grey of the channels' mean plus n, capped at 240 (and at 0 below).
TColor GrayOf(TColor colour, int amount);

// What the working colours come from: the painter's own colours and the system's.
struct TMenuColourSources {
    bool HighColor = true;  // the device has more than 15 bits per pixel
    bool UseDimColor = true;
    bool UseSystemColors = true;
    TColor FontColor = 0;
    TColor Color = 0, IconBackColor = 0, SelectColor = 0, SelectBorderColor = 0, SelectFontColor = 0;
    TColor MenuBarColor = 0, DisabledColor = 0, CheckedColor = 0, SeparatorColor = 0;
    TColor BtnFace = 0, BtnShadow = 0, Highlight = 0;  // the system's colours
};

struct TMenuColours {
    TColor MenuBackground = 0, IconColumn = 0, SelectionFill = 0, SelectionBorder = 0, SelectedText = 0;
    TColor CheckFill = 0, CheckFillSelected = 0, CheckFrame = 0, MenuBarBackground = 0, Disabled = 0;
    TColor Separator = 0, FrameBorder = 0, FrameShadow = 0;
    bool operator==(const TMenuColours&) const = default;
};

TMenuColours DeriveColours(const TMenuColourSources& sources, const TNearestColour& nearest = {});

}  // namespace zelvora
