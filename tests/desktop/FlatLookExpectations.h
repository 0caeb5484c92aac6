// What the flat look should show on this desktop: the working colours worked out from the
// desktop's own system colours, and where the dropped-down menus are.
#pragma once

#include <sstream>
#include <vector>

#include "../support/ColourRules.h"
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

using zelvora::testing::Darker;
using zelvora::testing::Lighter;

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
