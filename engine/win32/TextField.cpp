#include "engine/win32/TextField.h"

#include <utility>

#include "engine/ShapePieces.h"
#include "engine/win32/PieceDrawing.h"

namespace zelvora {

namespace {

constexpr int kCaretRoom = 4;

bool IsTrailSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

TTextField::TTextField(TPoint at, TMarkPen pen, TDone done) : at_(at), pen_(pen), done_(std::move(done))
{
    popup_.OnMessage = [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return HandleMessage(msg, wParam, lParam);
    };
    front_ = GetForegroundWindow();
    ShowText();
}

RECT TTextField::Area() const
{
    return area_;
}

void TTextField::FollowForeground()
{
    if (open_ && GetForegroundWindow() != front_) Finish(true);
}

TMarkPiece TTextField::Piece() const
{
    const POINT size = MeasureText(text_, pen_.Width);
    return TextPiece(at_, text_, pen_, size.x, size.y);
}

void TTextField::ShowText()
{
    const TMarkPiece piece = Piece();
    const TRect& box = piece.Frame.Bounds;
    const TRect area{box.Left - 1, box.Top - 1, box.Right + kCaretRoom, box.Bottom + 1};
    area_ = {area.Left, area.Top, area.Right, area.Bottom};
    popup_.Show(piece, area, true);
}

bool TTextField::HandleMessage(UINT msg, WPARAM wParam, LPARAM)
{
    if (!open_) return false;
    switch (msg) {
        case WM_CHAR:
            if (wParam >= 0x20 && wParam != 0x7F) {
                text_.push_back(static_cast<wchar_t>(wParam));
                ShowText();
            }
            return true;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                Finish(wParam == VK_RETURN);
            } else if (wParam == VK_BACK && !text_.empty()) {
                const bool pair = text_.size() >= 2 && IsTrailSurrogate(text_.back());
                text_.resize(text_.size() - (pair ? 2 : 1));
                ShowText();
            }
            return wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_BACK;
        case WM_FIELD_CLICKED_OUTSIDE:
            Finish(true);
            return true;
        default:
            return false;
    }
}

void TTextField::Finish(bool keep)
{
    if (!open_) return;
    open_ = false;
    std::optional<TMarkPiece> kept;
    if (keep && !text_.empty()) kept = Piece();
    popup_.Hide();
    if (done_) done_(std::move(kept));
}

}  // namespace zelvora
