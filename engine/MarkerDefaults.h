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

}  // namespace zelvora
