// Small pictures drawn the flat way: transparent where they show their bottom-left colour, with
// a drop shadow, dimmed, or greyed.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "base/Geometry.h"
#include "toolkit/Colors.h"

namespace zelvora {

class TCanvas;

struct TPictureSource {
    HDC Dc = nullptr;  // a memory DC holding the picture
    TRect Area;        // the picture inside it
};

// Each visible pixel passes through `look` (null: unchanged); consecutive equal pixels are
// converted once. With a shadow colour, every visible pixel first casts a shadow at (+2, +2).
void DrawPicture(TCanvas& target, const TPictureSource& source, TPoint at,
                 const std::function<TColor(TColor)>& look, std::optional<TColor> shadow = std::nullopt);

}  // namespace zelvora
