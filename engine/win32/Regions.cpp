#include "engine/win32/Regions.h"

#include <vector>

namespace zelvora {

UniqueRegion RegionOfRects(std::span<const TRect> rects)
{
    std::vector<char> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    auto* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    TRect bounds;
    DWORD count = 0;
    for (const TRect& r : rects) {
        if (IsEmpty(r)) continue;
        out[count++] = {r.Left, r.Top, r.Right, r.Bottom};
        bounds = Union(bounds, r);
    }
    if (count == 0) return {};
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = count;
    header->nRgnSize = count * sizeof(RECT);
    header->rcBound = {bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
    return UniqueRegion(ExtCreateRegion(nullptr,
                                        static_cast<DWORD>(sizeof(RGNDATAHEADER) + count * sizeof(RECT)),
                                        reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace zelvora
