// What the pen and the shortcuts are before the user changes anything, and after a start with
// nothing stored.
#pragma once

#include "base/ShortCut.h"
#include "toolkit/Colors.h"

namespace zelvora {

inline constexpr int kDefaultMarkerSize = 10;
inline constexpr TColor kDefaultMarkerColor = 33023;           // orange, 0x000080FF
inline constexpr TShortCut kDefaultPaintShortcut = 0x8031;     // Alt+1
inline constexpr TShortCut kDefaultWipeShortcut = 0x8032;      // Alt+2
inline constexpr TShortCut kDefaultModeShortcut = 0x8033;      // Alt+3
inline constexpr TShortCut kDefaultUndoShortcut = 0x8034;      // Alt+4
inline constexpr TShortCut kDefaultSnapshotShortcut = 0x8035;  // Alt+5

}  // namespace zelvora
