// One piece of a mark drawn with GDI, the same way on the screen, the ink layer, the preview and
// the text field, so all show the same line ends, joins, frames, shapes and letters.
#pragma once

#include <string>

#include "engine/MarkHistory.h"
#include "toolkit/win32/Canvas.h"

namespace zelvora {

// `origin` is the screen point the canvas's (0, 0) shows; `rop2` mixes pen and brush with what
// is there (R2_COPYPEN, or R2_MASKPEN for the highlighter on the screen).
void DrawPiece(TCanvas& canvas, const TMarkPiece& piece, TPoint origin, TColor color, int rop2);

// The box a text takes when drawn with a pen of that width: width and height in pixels.
POINT MeasureText(const std::wstring& text, int penWidth);

}  // namespace zelvora
