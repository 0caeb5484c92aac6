// What the pen and the shortcuts are before the user changes anything, and after a start with
// nothing stored.
#pragma once

#include "base/ShortcutCommands.h"
#include "toolkit/Colors.h"

namespace zelvora {

inline constexpr int kDefaultMarkerSize = 10;
// The size track bar's range.
inline constexpr int kMinMarkerSize = 1;
inline constexpr int kMaxMarkerSize = 20;
inline constexpr TColor kDefaultMarkerColor = 33023;  // orange, 0x000080FF
inline constexpr TShortCut kDefaultPaintShortcut = RowOf(TShortcutCommand::Paint).Default;
inline constexpr TShortCut kDefaultLaserShortcut = RowOf(TShortcutCommand::Laser).Default;

// The presenter's pointer: how long the laser's trail fades after release (0: gone at once) and
// how bright the screen outside the spotlight stays, in percent.
inline constexpr int kDefaultLaserFadeMs = 500;
inline constexpr int kMinLaserFadeMs = 200;
inline constexpr int kMaxLaserFadeMs = 3000;
inline constexpr int kDefaultSpotlightDim = 40;
inline constexpr int kMinSpotlightDim = 10;
inline constexpr int kMaxSpotlightDim = 90;

}  // namespace zelvora
