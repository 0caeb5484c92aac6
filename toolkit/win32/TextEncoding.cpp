#include "toolkit/win32/TextEncoding.h"

namespace zelvora {

UINT CodePageForCharset(int charset)
{
    switch (charset) {
        case 0:
            return 1252;  // ANSI_CHARSET: Western
        case 238:
            return 1250;  // EASTEUROPE_CHARSET
        case 204:
            return 1251;  // RUSSIAN_CHARSET
        case 161:
            return 1253;  // GREEK_CHARSET
        case 162:
            return 1254;  // TURKISH_CHARSET
        case 186:
            return 1257;  // BALTIC_CHARSET
        default:
            return CP_ACP;
    }
}

std::wstring WideFromAnsi(std::string_view text, int charset)
{
    if (text.empty()) return {};
    const UINT codePage = CodePageForCharset(charset);
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::wstring WideFromAnsiWith(std::string_view text, int charset, const std::wstring& argument)
{
    const std::size_t at = text.find("%s");
    if (at == std::string_view::npos) return WideFromAnsi(text, charset);
    return WideFromAnsi(text.substr(0, at), charset) + argument + WideFromAnsi(text.substr(at + 2), charset);
}

}  // namespace zelvora
