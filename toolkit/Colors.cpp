#include "toolkit/Colors.h"

#include <array>
#include <utility>

#include "toolkit/Properties.h"

namespace zelvora {

std::optional<TColor> ColorFromIdent(std::string_view name)
{
    static constexpr std::array<std::pair<std::string_view, TColor>, 28> kNames{{
        {"clNone", clNone},
        {"clBlack", 0x000000},
        {"clMaroon", 0x000080},
        {"clGreen", 0x008000},
        {"clOlive", 0x008080},
        {"clNavy", 0x800000},
        {"clPurple", 0x800080},
        {"clTeal", 0x808000},
        {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0},
        {"clRed", 0x0000FF},
        {"clLime", 0x00FF00},
        {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},
        {"clFuchsia", 0xFF00FF},
        {"clAqua", 0xFFFF00},
        {"clWhite", 0xFFFFFF},
        {"clBtnFace", clBtnFace},
        {"clWindow", clWindow},
        {"clWindowText", clWindowText},
        {"clHighlight", clHighlight},
        {"clBtnShadow", clBtnShadow},
        {"clBtnText", clBtnText},
        {"clInactiveCaption", clInactiveCaption},
        {"clMenuText", clMenuText},
        {"clHighlightText", clSystemColor | 14},
        {"clGrayText", clSystemColor | 17},
        {"clInfoBk", clSystemColor | 24},
    }};
    for (const auto& [ident, color] : kNames)
        if (SameText(ident, name)) return color;
    return std::nullopt;
}

}  // namespace zelvora
