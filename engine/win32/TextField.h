// A one-line text typed where the pointer is, in the pen, without a background of its own. It
// never takes the keyboard or the foreground: the keyboard hook types into it (WM_CHAR, its
// editing keys as WM_FIELD_EDIT, Ctrl+V as WM_PASTE), and the window the person was in keeps both.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "engine/FieldText.h"
#include "engine/MarkHistory.h"
#include "engine/win32/ColourKeyedPopup.h"

namespace zelvora {

// Posted to the field by the hook: a button went down outside it.
inline constexpr UINT WM_FIELD_CLICKED_OUTSIDE = WM_APP + 0x31;
// Posted to the field by the hook: an editing key (wParam: Left, Right, Home, End, Delete,
// Backspace, Enter, Esc), with Ctrl when lParam is 1.
inline constexpr UINT WM_FIELD_EDIT = WM_APP + 0x32;

class TTextField {
public:
    // Enter, a click outside the field, another window coming forward or Close hand over the
    // text as a piece (none when nothing was typed); Esc alone drops it. Called once.
    using TDone = std::function<void(std::optional<TMarkPiece> text)>;

    // Shows the field at `at` (the letters' top left).
    TTextField(TPoint at, TMarkPen pen, TDone done);
    TTextField(const TTextField&) = delete;
    TTextField& operator=(const TTextField&) = delete;

    bool IsOpen() const { return open_; }
    HWND Handle() const { return popup_.Handle(); }
    // Where it lies on the screen now; it grows with the text.
    RECT Area() const;
    // Another window came forward since the field opened: it closes, keeping its text.
    void FollowForeground();
    void Close() { Finish(true); }

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Edit(WPARAM key, bool ctrl);
    void Paste();
    TMarkPiece Piece() const;
    void ShowText();
    void Finish(bool keep);

    TColourKeyedPopup popup_;
    TPoint at_;
    TMarkPen pen_;
    TDone done_;
    TFieldText text_;
    RECT area_{};
    HWND front_ = nullptr;
    bool open_ = true;
};

}  // namespace zelvora
