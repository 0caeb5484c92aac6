#include "base/ShortcutCommands.h"

#include <algorithm>

namespace zelvora {

namespace {

bool TakenBefore(const TShortcuts& shortcuts, std::size_t index, TShortCut shortcut)
{
    if ((shortcut & 0xFF) == 0) return false;  // any number of shortcuts may be off
    return std::find(shortcuts.begin(), shortcuts.begin() + static_cast<std::ptrdiff_t>(index), shortcut) !=
           shortcuts.begin() + static_cast<std::ptrdiff_t>(index);
}

}  // namespace

std::array<bool, kShortcutCount> MendShortcuts(TShortcuts& shortcuts)
{
    std::array<bool, kShortcutCount> mended{};
    for (std::size_t i = 0; i < kShortcutCount; ++i) {
        if (AcceptedShortcut(shortcuts[i]) && !TakenBefore(shortcuts, i, shortcuts[i])) continue;
        mended[i] = true;
        const TShortCut fallback = kShortcutRows[i].Default;
        shortcuts[i] = TakenBefore(shortcuts, i, fallback) ? TShortCut{0} : fallback;
    }
    return mended;
}

}  // namespace zelvora
