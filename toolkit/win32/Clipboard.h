// Pictures onto the clipboard.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "toolkit/win32/Handles.h"

namespace zelvora {

enum class TClipboardResult { Done, Busy, NoMemory };

// A picture's clipboard forms, made on any thread (the conversion of a large screen takes a
// while), put on the clipboard by the thread that owns the window.
struct TClipboardPicture {
    UniqueGlobalMemory Dib, Png;
};
TClipboardPicture PrepareClipboardPicture(const std::uint32_t* pixels, int width, int height,
                                          const std::vector<std::uint8_t>& png);
// NoMemory when the forms could not be made; the clipboard is then left as it was.
[[nodiscard]] TClipboardResult PutPictureOnClipboard(HWND owner, TClipboardPicture picture);

// The picture (0x00RRGGBB rows from the top) as a device-independent bitmap, which any program
// pastes, and as "PNG" for the programs that take it. Busy when another program keeps the
// clipboard open, NoMemory when its copies cannot be made: the clipboard is then left as it was.
[[nodiscard]] TClipboardResult PutPictureOnClipboard(HWND owner, const std::uint32_t* pixels, int width,
                                                     int height, const std::vector<std::uint8_t>& png);

}  // namespace zelvora
