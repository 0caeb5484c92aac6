// What the flat look should show on this desktop: the working colours worked out from the
// desktop's own system colours, and where the dropped-down menus are.
#pragma once

#include <sstream>
#include <vector>

#include "driver/WineDesktop.h"
#include "tray/MenuColours.h"

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

// The working colours as the painter derives them on a true-colour screen.
inline TMenuColours ExpectedColours(const SystemLook& look)
{
    TMenuColourSources sources;
    sources.HighColor = true;
    sources.UseDimColor = false;
    sources.UseSystemColors = true;
    sources.FontColor = look.MenuText;
    sources.BtnFace = look.BtnFace;
    sources.BtnShadow = look.BtnShadow;
    sources.Highlight = look.Highlight;
    sources.Color = sources.IconBackColor = sources.MenuBarColor = sources.SeparatorColor = look.BtnFace;
    sources.SelectColor = sources.SelectBorderColor = sources.CheckedColor = look.Highlight;
    sources.SelectFontColor = look.MenuText;
    return DeriveColours(sources);
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
