#include "base/Format.h"

namespace zelvora {

namespace {

void AppendArg(std::string& out, const FormatArg& arg)
{
    if (const auto* text = std::get_if<std::string_view>(&arg))
        out += *text;
    else
        out += std::to_string(std::get<long long>(arg));
}

}  // namespace

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args)
{
    std::string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            out += c;
            continue;
        }
        const char kind = format[i + 1];
        if (kind == '%') {
            out += '%';
            ++i;
        } else if (kind == 's' || kind == 'd') {
            if (next != args.end()) AppendArg(out, *next++);
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace zelvora
