#include "engine/win32/PieceDrawing.h"

namespace zelvora {

void DrawPiece(TCanvas& canvas, const TMarkPiece& piece, TPoint origin, TColor color, int rop2)
{
    canvas.SetPenColor(color);
    canvas.SetPenMode(rop2);
    if (piece.Kind == TMarkPiece::TKind::Line) {
        canvas.SetPenWidth(piece.Pen.Width);
        canvas.MoveTo(piece.From.X - origin.X, piece.From.Y - origin.Y);
        canvas.LineTo(piece.To.X - origin.X, piece.To.Y - origin.Y);
        return;
    }
    const TRect& r = piece.Frame.Bounds;
    canvas.SetBrushColor(color);
    canvas.SetPenWidth(piece.Frame.PenWidth);
    canvas.SetBrushStyle(piece.Frame.Brush);
    canvas.Rectangle({r.Left - origin.X, r.Top - origin.Y, r.Right - origin.X, r.Bottom - origin.Y});
}

}  // namespace zelvora
