// Where the marking loop's lines and frames go: one small interface, so that the loop stays one
// loop whether it draws on the screen or on a layer that keeps what it draws.
#pragma once

#include "base/Geometry.h"
#include "engine/MarkGeometry.h"
#include "engine/MarkHistory.h"

namespace zelvora {

class IMarkSurface {
public:
    // The pen moves without drawing (the chord is up).
    virtual void MovePenTo(TPoint at) = 0;
    // A line from where the pen is, which then stands at `to`.
    virtual void LineTo(TPoint to, const TMarkPen& pen) = 0;
    // A control's frame, or its filled box in the pen's colour.
    virtual void DrawFrame(const TControlFrame& frame, const TMarkPen& pen) = 0;
    // Every mark goes.
    virtual void Wipe() = 0;

protected:
    ~IMarkSurface() = default;
};

}  // namespace zelvora
