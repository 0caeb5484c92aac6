// A control without a window of its own: its parent paints it and hands it the mouse buttons
// over it. Pictures, shapes and lines need no window, and every window costs at start-up.
#pragma once

#include "toolkit/win32/Control.h"

namespace zelvora {

class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    bool Windowed() const override { return false; }
};

}  // namespace zelvora
