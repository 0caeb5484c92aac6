// Pictures onto the clipboard.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace zelvora {

// The picture (0x00RRGGBB rows from the top) as a device-independent bitmap, which any program
// pastes, and as "PNG" for the programs that take it. False when another program keeps the
// clipboard open, or memory runs out; the clipboard is then left as it was.
[[nodiscard]] bool PutPictureOnClipboard(HWND owner, const std::uint32_t* pixels, int width, int height,
                                         const std::vector<std::uint8_t>& png);

}  // namespace zelvora
