#include "engine/win32/TextField.h"

#include <algorithm>
#include <utility>

#include "engine/ShapePieces.h"
#include "engine/win32/PieceDrawing.h"

namespace zelvora {

namespace {

constexpr int kCaretRoom = 4;

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
    const POINT size = MeasureText(text_.Text(), pen_.Width);
    return TextPiece(at_, text_.Text(), pen_, size.x, size.y);
}

void TTextField::ShowText()
{
    const TMarkPiece piece = Piece();
    const TRect& box = piece.Frame.Bounds;
    const TRect area{box.Left - 1, box.Top - 1, box.Right + kCaretRoom, box.Bottom + 1};
    area_ = {area.Left, area.Top, area.Right, area.Bottom};
    const std::wstring& text = text_.Text();
    const int caretX = text_.Caret() == text.size()
                           ? box.Right + 1
                           : box.Left + MeasureText(text.substr(0, text_.Caret()), pen_.Width).x;
    popup_.Show(piece, area, caretX);
}

bool TTextField::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!open_) return false;
    switch (msg) {
        case WM_CHAR: {
            const wchar_t typed = static_cast<wchar_t>(wParam);
            text_.Type({&typed, 1});
            ShowText();
            return true;
        }
        case WM_KEYDOWN:
        case WM_FIELD_EDIT:
            Edit(wParam, msg == WM_FIELD_EDIT && lParam == 1);
            return true;
        case WM_PASTE:
            Paste();
            return true;
        case WM_FIELD_CLICKED_OUTSIDE:
            Finish(true);
            return true;
        default:
            return false;
    }
}

void TTextField::Edit(WPARAM key, bool ctrl)
{
    switch (key) {
        case VK_RETURN:
        case VK_ESCAPE:
            Finish(key == VK_RETURN);
            return;
        case VK_BACK:
            ctrl ? text_.BackspaceWord() : text_.Backspace();
            break;
        case VK_DELETE:
            text_.Delete();
            break;
        case VK_LEFT:
            text_.Left();
            break;
        case VK_RIGHT:
            text_.Right();
            break;
        case VK_HOME:
            text_.Home();
            break;
        case VK_END:
            text_.End();
            break;
        default:
            return;
    }
    ShowText();
}

void TTextField::Paste()
{
    if (!OpenClipboard(popup_.Handle())) return;
    std::wstring clipboard;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            // Bounded by the memory's size: a clipboard owner may leave out the closing zero.
            const std::size_t units = GlobalSize(data) / sizeof(wchar_t);
            clipboard.assign(text, std::find(text, text + units, L'\0'));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    text_.Paste(clipboard);
    ShowText();
}

void TTextField::Finish(bool keep)
{
    if (!open_) return;
    open_ = false;
    std::optional<TMarkPiece> kept;
    if (keep && !text_.Text().empty()) kept = Piece();
    popup_.Hide();
    if (done_) done_(std::move(kept));
}

}  // namespace zelvora
