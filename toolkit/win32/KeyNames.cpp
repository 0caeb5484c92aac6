#include "toolkit/win32/KeyNames.h"

#include <windows.h>

#include "toolkit/win32/TextEncoding.h"

namespace zelvora {

std::string SystemKeyName(std::uint8_t virtualKey, int charset)
{
    constexpr int kKeyNameBufferSize = 256;
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    if (scanCode == 0) return {};
    // The Unicode name, in the code page the text is shown with: the ANSI call would give it in
    // the system's code page (Cyrillic, Greek), which the interface's fonts read as other letters.
    wchar_t wide[kKeyNameBufferSize] = {};
    const int length = GetKeyNameTextW(static_cast<LONG>(scanCode << 16), wide, kKeyNameBufferSize);
    if (length <= 0) return {};
    const UINT codePage = CodePageForCharset(charset);
    const int size = WideCharToMultiByte(codePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string name(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(codePage, 0, wide, length, name.data(), size, nullptr, nullptr);
    return name;
}

std::string ShortCutToText(TShortCut shortcut, int charset)
{
    return ShortCutToText(shortcut, [charset](std::uint8_t key) { return SystemKeyName(key, charset); });
}

}  // namespace zelvora
