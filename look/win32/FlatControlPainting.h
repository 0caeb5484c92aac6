// The flat faces of the styled controls, painted over what the control drew itself.
#pragma once

#include "look/win32/ControlSubClass.h"

namespace zelvora {

class TXPMenu;

void PaintFlatControl(const TXPMenu& painter, TControl& control, TStyledKind kind, const TFlatState& state);

}  // namespace zelvora
