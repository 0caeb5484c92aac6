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
    previous_ = GetForegroundWindow();
    ShowText();
    if (!TakeKeyboard()) {
        MessageBeep(MB_ICONWARNING);
        Finish(false, false);
    }
}

bool TTextField::TakeKeyboard()
{
    const HWND field = popup_.Handle();
    if (!field) return false;
    if (!SetForegroundWindow(field) || GetForegroundWindow() != field) {
        // The foreground lock refuses a process that did not get the last input (the keys went
        // to the hook, the release to the window beneath). A thread sharing the foreground's
        // input state may hand the foreground on.
        const DWORD own = GetCurrentThreadId();
        const DWORD front = previous_ ? GetWindowThreadProcessId(previous_, nullptr) : 0;
        if (front && front != own && AttachThreadInput(own, front, TRUE)) {
            BringWindowToTop(field);
            SetForegroundWindow(field);
            SetFocus(field);
            AttachThreadInput(own, front, FALSE);
        }
    }
    SetFocus(field);
    return GetForegroundWindow() == field && GetFocus() == field;
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
    popup_.Show(piece, {box.Left - 1, box.Top - 1, box.Right + kCaretRoom, box.Bottom + 1}, true);
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
            if (wParam == VK_RETURN) {
                Finish(true, true);
            } else if (wParam == VK_ESCAPE) {
                Finish(false, true);
            } else if (wParam == VK_BACK && !text_.empty()) {
                const bool pair = text_.size() >= 2 && IsTrailSurrogate(text_.back());
                text_.resize(text_.size() - (pair ? 2 : 1));
                ShowText();
            }
            return wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_BACK;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) Finish(false, false);
            return false;
        default:
            return false;
    }
}

void TTextField::Finish(bool keep, bool giveBack)
{
    if (!open_) return;
    open_ = false;
    std::optional<TMarkPiece> kept;
    if (keep && !text_.empty()) kept = Piece();
    // Given back before the field hides, or the system would choose a window itself.
    if (giveBack && previous_ && IsWindow(previous_)) SetForegroundWindow(previous_);
    popup_.Hide();
    if (done_) done_(std::move(kept));
}

}  // namespace zelvora
