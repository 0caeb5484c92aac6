// One piece of a mark drawn with GDI, the same way on the screen and on the ink layer, so both
// show the same line ends, joins and frames.
#pragma once

#include "engine/MarkHistory.h"
#include "toolkit/win32/Canvas.h"

namespace zelvora {

// `origin` is the screen point the canvas's (0, 0) shows; `rop2` mixes pen and brush with what
// is there (R2_COPYPEN, or R2_MASKPEN for the highlighter on the screen).
void DrawPiece(TCanvas& canvas, const TMarkPiece& piece, TPoint origin, TColor color, int rop2);

}  // namespace zelvora
