// A small top-most window that shows one piece of ink and nothing else: the screen shows through
// a colour key around it, and the ink's smooth edges are mixed with the screen found beneath. It is never
// active and every click goes through it to the window beneath. The shape preview over the screen and the
// text field are two.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "engine/MarkHistory.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

inline constexpr wchar_t kColourKeyedPopupClass[] = L"TZelvoraPopup";

class TColourKeyedPopup {
public:
    TColourKeyedPopup() = default;
    TColourKeyedPopup(const TColourKeyedPopup&) = delete;
    TColourKeyedPopup& operator=(const TColourKeyedPopup&) = delete;

    // Shows the piece alone, the window covering `area` (screen points); a caret at the screen
    // column `caretX` when one is given (a text field). The window is made on first use.
    void Show(const TMarkPiece& piece, const TRect& area, std::optional<int> caretX = std::nullopt);
    void Hide();
    HWND Handle() const { return window_.get(); }
    // Messages the owner answers: true when answered.
    std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam)> OnMessage;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool Open();
    // What the screen shows under the new area, where the window showed none of its ink.
    void KeepGround(const TRect& area);
    void Paint(HDC dc);

    TMarkPiece piece_;
    TRect area_;
    std::optional<int> caretX_;
    TColor key_ = 0;
    std::vector<std::uint32_t> ground_;  // under area_
    std::vector<std::uint32_t> shown_;   // what the window shows, over shownArea_
    TRect shownArea_;
    // Never shown: an owned window has no taskbar button.
    UniqueWindow owner_;
    UniqueWindow window_;
};

}  // namespace zelvora
