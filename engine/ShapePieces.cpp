#include "engine/ShapePieces.h"

#include <algorithm>
#include <utility>

namespace zelvora {

TMarkPiece ShapePiece(TDrawingShape shape, TPoint from, TPoint to, TMarkPen pen, bool filled)
{
    TMarkPiece piece;
    piece.Pen = pen;
    piece.From = from;
    piece.To = to;
    switch (shape) {
        case TDrawingShape::Rectangle:
        case TDrawingShape::Ellipse:
            piece.Kind =
                shape == TDrawingShape::Rectangle ? TMarkPiece::TKind::Frame : TMarkPiece::TKind::Ellipse;
            piece.From = piece.To = {};
            piece.Frame = {ShapeBox(from, to), pen.Width,
                           filled ? TBrushStyle::bsSolid : TBrushStyle::bsClear};
            break;
        case TDrawingShape::Arrow:
            piece.Kind = TMarkPiece::TKind::Arrow;
            break;
        case TDrawingShape::Line:
        case TDrawingShape::None:
            break;
    }
    return piece;
}

int TextHeightFor(int penWidth)
{
    return std::max(16, 4 * penWidth);
}

TMarkPiece TextPiece(TPoint at, std::wstring text, TMarkPen pen, int width, int height)
{
    TMarkPiece piece;
    piece.Kind = TMarkPiece::TKind::Text;
    piece.Pen = pen;
    piece.From = at;
    piece.Frame.Bounds = {at.X, at.Y, at.X + std::max(width, 0), at.Y + std::max(height, 0)};
    piece.Text = std::move(text);
    return piece;
}

}  // namespace zelvora
