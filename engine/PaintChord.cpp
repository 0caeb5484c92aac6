#include "engine/PaintChord.h"

namespace zelvora {

bool IsChordHeld(TShortCut shortcut, KeyStateQuery query, void* context)
{
    const TKeyAndShift wanted = ShortCutToKey(shortcut);
    TShiftState down;
    if (query(vkControl, context) != 0) down.Add(TShiftState::ssCtrl);
    if (query(vkMenu, context) != 0) down.Add(TShiftState::ssAlt);
    if (query(vkShift, context) != 0) down.Add(TShiftState::ssShift);
    if (wanted.Key == 0) return false;  // no key named: the chord can never be complete
    return query(wanted.Key, context) != 0 && down == wanted.Shift;
}

}  // namespace zelvora
