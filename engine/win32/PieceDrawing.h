// The share of each pixel one piece of a mark covers, the same for the screen, the ink layer,
// the preview and the text field, so all show the same smooth edges, joins and letters.
#pragma once

#include <windows.h>

#include <string>

#include "engine/InkCoverage.h"

namespace zelvora {

// Inside `clip` (screen points); a text's letters come from the system's font, smoothed in grey.
TCoverage PieceCoverage(const TMarkPiece& piece, const TRect& clip);

// The box a text takes when drawn with a pen of that width: width and height in pixels.
POINT MeasureText(const std::wstring& text, int penWidth);

}  // namespace zelvora
