// TColor: 0x00BBGGRR, clNone, and the system colours 0xFF0000nn.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvora {

using TColor = std::uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clBtnText = clSystemColor | 18;

inline constexpr bool IsSystemColor(TColor color)
{
    return (color & 0xFF000000) == clSystemColor;
}

// Identifiers of descriptions ("clWindow", "clBlack"); nothing for an unknown name.
std::optional<TColor> ColorFromIdent(std::string_view name);

}  // namespace zelvora
