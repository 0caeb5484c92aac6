// The card of the hold's keys: a small top-most window beside the pointer, in the system's
// colours for tips, never active. It is no ink: nothing of it enters a mark or a picture.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/Geometry.h"
#include "toolkit/win32/Handles.h"

namespace zelvora {

inline constexpr wchar_t kKeyHintCardClass[] = L"TZelvoraKeyHints";

class TKeyHintCard {
public:
    TKeyHintCard() = default;
    TKeyHintCard(const TKeyHintCard&) = delete;
    TKeyHintCard& operator=(const TKeyHintCard&) = delete;

    // Beside the pointer, in the pixels of the monitor under it; made on first use.
    void Show(TPoint pointer, std::vector<std::wstring> lines);
    // Returns where it showed: the windows beneath repaint there. Empty when it did not show.
    TRect Hide();
    bool Showing() const { return !IsEmpty(shown_); }
    HWND Handle() const { return window_.get(); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    bool Open();
    void Paint(HDC dc) const;

    std::vector<std::wstring> lines_;
    UniqueFont font_;
    int dpi_ = 0;
    int padding_ = 0, lineHeight_ = 0;
    TRect shown_;
    UniqueWindow owner_;  // never shown: an owned window has no taskbar button
    UniqueWindow window_;
};

}  // namespace zelvora
