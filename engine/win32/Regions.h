// Regions made of many rectangles at once: a region combined rectangle by rectangle costs a pass
// over all it holds at each one.
#pragma once

#include <span>

#include "base/Geometry.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

// The union of the rectangles (screen points); null when there are none or no memory.
UniqueRegion RegionOfRects(std::span<const TRect> rects);

}  // namespace zelvora
