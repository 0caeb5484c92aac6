#include "toolkit/win32/KeyNames.h"

#include <windows.h>

namespace zelvora {

std::string SystemKeyName(std::uint8_t virtualKey)
{
    constexpr int kKeyNameBufferSize = 256;
    const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    if (scanCode == 0) return {};
    char buffer[kKeyNameBufferSize] = {};
    const int length = GetKeyNameTextA(static_cast<LONG>(scanCode << 16), buffer, kKeyNameBufferSize);
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string ShortCutToText(TShortCut shortcut)
{
    return ShortCutToText(shortcut, SystemKeyName);
}

}  // namespace zelvora
