// A one-line text typed where the pointer is, in the pen, without a background of its own. It
// takes the keyboard from the window that had it and gives it back when done.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "engine/MarkHistory.h"
#include "engine/win32/KeyedPopup.h"

namespace zelvora {

class TTextField {
public:
    // Enter hands over the text as a piece; Esc, or another window taking the keyboard, hands
    // over none. Called once.
    using TDone = std::function<void(std::optional<TMarkPiece> text)>;

    // Opens at `at` (the letters' top left) and takes the keyboard. Where the system refuses it
    // the field closes at once, with a beep, and hands over nothing.
    TTextField(TPoint at, TMarkPen pen, TDone done);
    TTextField(const TTextField&) = delete;
    TTextField& operator=(const TTextField&) = delete;

    bool IsOpen() const { return open_; }
    HWND Handle() const { return popup_.Handle(); }

private:
    bool TakeKeyboard();
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    TMarkPiece Piece() const;
    void ShowText();
    // `giveBack`: the keyboard returns to the window that had it (not after a click elsewhere).
    void Finish(bool keep, bool giveBack);

    TKeyedPopup popup_{true};
    TPoint at_;
    TMarkPen pen_;
    TDone done_;
    std::wstring text_;
    HWND previous_ = nullptr;
    bool open_ = true;
};

}  // namespace zelvora
