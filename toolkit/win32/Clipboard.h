// Pictures onto the clipboard.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace zelvora {

enum class TClipboardResult { Done, Busy, NoMemory };

// The picture (0x00RRGGBB rows from the top) as a device-independent bitmap, which any program
// pastes, and as "PNG" for the programs that take it. Busy when another program keeps the
// clipboard open, NoMemory when its copies cannot be made: the clipboard is then left as it was.
[[nodiscard]] TClipboardResult PutPictureOnClipboard(HWND owner, const std::uint32_t* pixels, int width,
                                                     int height, const std::vector<std::uint8_t>& png);

}  // namespace zelvora
