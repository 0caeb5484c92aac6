// Translated format strings are data; no format may crash or read past its arguments.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\x01');
    const std::string_view format = input.substr(0, split);
    const std::string_view arg =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
    const std::string out = zelvora::FormatText(format, {arg, static_cast<long long>(size)});
    // Nothing is invented: every byte comes from the format or an argument.
    if (out.size() > format.size() + arg.size() + 24) __builtin_trap();
    return 0;
}
