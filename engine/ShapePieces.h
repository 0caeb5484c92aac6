// The pieces the keys draw: shapes pulled out from one point to another, and typed text.
#pragma once

#include <string>

#include "engine/DrawingKeys.h"
#include "engine/MarkHistory.h"

namespace zelvora {

// A shape pulled from `from` to `to` with the pen; a rectangle or ellipse is filled when asked.
TMarkPiece ShapePiece(TDrawingShape shape, TPoint from, TPoint to, TMarkPen pen, bool filled);

// A text's letters are about four pen widths high, and never smaller than 16 pixels.
int TextHeightFor(int penWidth);

// A text typed at `at`, whose letters measure `width` by `height` pixels.
TMarkPiece TextPiece(TPoint at, std::wstring text, TMarkPen pen, int width, int height);

}  // namespace zelvora
