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
inline constexpr TColor clInactiveCaption = clSystemColor | 3;
inline constexpr TColor clMenuText = clSystemColor | 7;

inline constexpr bool IsSystemColor(TColor color)
{
    return (color & 0xFF000000) == clSystemColor;
}

// The channels of an RGB colour, and an RGB colour from channels clamped to 0..255.
inline constexpr int RedOf(TColor color)
{
    return static_cast<int>(color & 0xFF);
}
inline constexpr int GreenOf(TColor color)
{
    return static_cast<int>((color >> 8) & 0xFF);
}
inline constexpr int BlueOf(TColor color)
{
    return static_cast<int>((color >> 16) & 0xFF);
}
inline constexpr TColor RgbOf(int red, int green, int blue)
{
    const auto byte = [](int v) { return static_cast<TColor>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return byte(red) | byte(green) << 8 | byte(blue) << 16;
}

// Identifiers of descriptions ("clWindow", "clBlack"); nothing for an unknown name.
std::optional<TColor> ColorFromIdent(std::string_view name);

}  // namespace zelvora
