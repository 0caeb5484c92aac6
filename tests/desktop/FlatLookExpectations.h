// What the flat look should show on this desktop: the working colours worked out from the
// desktop's own system colours, and where the dropped-down menus are.
#pragma once

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "driver/WineDesktop.h"
#include "look/MenuColours.h"

namespace zelvora::desktop {

struct SystemLook {
    TColor BtnFace = 0, Highlight = 0, BtnShadow = 0, MenuText = 0, Window = 0;
    int ThumbWidth = 0;
};

inline SystemLook ReadSystemLook(WineDesktop& desktop)
{
    SystemLook look;
    std::istringstream in(desktop.Probe({"system-look"}).Output);
    in >> look.BtnFace >> look.Highlight >> look.BtnShadow >> look.MenuText >> look.Window >> look.ThumbWidth;
    return look;
}

// The look's two colour rules, worked out here rather than taken from the painter: lighter by p %
// moves each channel that share of the way to white, rounded to nearest with ties to even;
// darker by n takes n from red and blue and n - 2 from green.
inline TColor Lighter(TColor colour, int percent)
{
    const auto channel = [percent](int c) {
        return c + static_cast<int>(std::nearbyint((255 - c) * percent / 100.0));
    };
    return static_cast<TColor>(channel(colour & 0xFF) | channel((colour >> 8) & 0xFF) << 8 |
                               channel((colour >> 16) & 0xFF) << 16);
}
inline TColor Darker(TColor colour, int amount)
{
    const auto channel = [](int c) { return std::clamp(c, 0, 255); };
    return static_cast<TColor>(channel(static_cast<int>(colour & 0xFF) - amount) |
                               channel(static_cast<int>((colour >> 8) & 0xFF) - amount + 2) << 8 |
                               channel(static_cast<int>((colour >> 16) & 0xFF) - amount) << 16);
}

// The working colours of the flat look with the system's colours on a true-colour screen.
inline TMenuColours ExpectedColours(const SystemLook& look)
{
    TMenuColours c;
    c.MenuBackground = Lighter(look.BtnFace, 86);
    c.IconColumn = Lighter(look.BtnFace, 16);
    c.SelectionFill = Lighter(look.Highlight, 68);
    c.SelectionBorder = look.Highlight;
    c.SelectedText = look.MenuText;
    c.MenuBarBackground = look.BtnFace;
    c.Disabled = Lighter(look.BtnShadow, 10);
    c.Separator = Lighter(look.BtnShadow, 25);
    c.CheckFrame = look.Highlight;
    c.CheckFill = Lighter(look.Highlight, 80);
    c.CheckFillSelected = Lighter(look.Highlight, 50);
    c.FrameBorder = Darker(look.BtnFace, 90);
    c.FrameShadow = Darker(look.BtnFace, 76);
    return c;
}

inline std::vector<ScreenRect> MenuWindows(WineDesktop& desktop)
{
    std::vector<ScreenRect> menus;
    std::istringstream in(desktop.Probe({"rects", "#32768"}).Output);
    ScreenRect r;
    while (in >> r.Left >> r.Top >> r.Right >> r.Bottom) menus.push_back(r);
    return menus;
}

}  // namespace zelvora::desktop
