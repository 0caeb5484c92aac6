// Colours as mini-HTML names them: "#RRGGBB" or the toolkit's colour names.
#include <array>
#include <string_view>
#include <utility>

#include "base/TextCase.h"
#include "controls/MiniHtml.h"

namespace zelvora {

TColor HtmlColor(const std::string& value)
{
    if (!value.empty() && value[0] == '#') {
        const auto digit = [&](std::size_t i) -> int {
            if (i >= value.size()) return 0;
            const int c = static_cast<unsigned char>(value[i]);
            return c < 'A' ? c - 48 : c - 55;
        };
        const auto pair = [&](std::size_t i) { return (digit(i) * 16 + digit(i + 1)) & 0xFF; };
        return static_cast<TColor>(pair(1) | (pair(3) << 8) | (pair(5) << 16));
    }
    static constexpr std::array<std::pair<std::string_view, TColor>, 40> kNames{{
        {"clred", 0x0000FF},
        {"clblack", 0x000000},
        {"clblue", 0xFF0000},
        {"clgreen", 0x008000},
        {"claqua", 0xFFFF00},
        {"clyellow", 0x00FFFF},
        {"clfuchsia", 0xFF00FF},
        {"clwhite", 0xFFFFFF},
        {"cllime", 0x00FF00},
        {"clsilver", 0xC0C0C0},
        {"clgray", 0x808080},
        {"clolive", 0x008080},
        {"clnavy", 0x800000},
        {"clpurple", 0x800080},
        {"clteal", 0x808000},
        {"clmaroon", 0x000080},
        {"clbackground", 0xFF000001},
        {"clactivecaption", 0xFF000002},
        {"clinactivecaption", 0xFF000003},
        {"clmenu", 0xFF000004},
        {"clwindow", 0xFF000005},
        {"clwindowframe", 0xFF000006},
        {"clmenutext", 0xFF000007},
        {"clwindowtext", 0xFF000008},
        {"clcaptiontext", 0xFF000009},
        {"clactiveborder", 0xFF00000A},
        {"clinactiveborder", 0xFF00000B},
        {"clappworkspace", 0xFF00000C},
        {"clhighlight", 0xFF00000D},
        {"clhighlighttext", 0xFF00000E},
        {"clbtnface", 0xFF00000F},
        {"clbtnshadow", 0xFF000010},
        {"clgraytext", 0xFF000011},
        {"clbtntext", 0xFF000012},
        {"clinactivecaptiontext", 0xFF000013},
        {"clbtnhighlight", 0xFF000014},
        {"cl3ddkshadow", 0xFF000015},
        {"cl3dlight", 0xFF000016},
        {"clinfotext", 0xFF000017},
        {"clinfobk", 0xFF000018},
    }};
    const std::string name = LowerCase(value);
    for (const auto& [n, color] : kNames)
        if (n == name) return color;
    return clBlack;
}

}  // namespace zelvora
