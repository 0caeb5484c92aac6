#include "i18n/CommaText.h"

namespace zelvora {

namespace {

bool NeedsQuotes(const std::string& item)
{
    for (char c : item) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || c == '"' || c == ',') return true;
    }
    return false;
}

bool IsBlank(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= ' ';
}

}  // namespace

std::string ToCommaText(const std::vector<std::string>& lines)
{
    if (lines.size() == 1 && lines.front().empty()) return "\"\"";
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += ',';
        const std::string& item = lines[i];
        if (!NeedsQuotes(item)) {
            text += item;
            continue;
        }
        text += '"';
        for (char c : item) {
            if (c == '"') text += '"';
            text += c;
        }
        text += '"';
    }
    return text;
}

std::vector<std::string> FromCommaText(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t p = 0;
    const auto at = [&](std::size_t i) { return i < text.size() ? text[i] : '\0'; };
    while (IsBlank(at(p))) ++p;
    while (p < text.size() && at(p) != '\0') {
        std::string item;
        if (at(p) == '"') {
            ++p;
            while (p < text.size()) {
                if (text[p] == '"') {
                    if (at(p + 1) == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            const std::size_t start = p;
            while (p < text.size() && static_cast<unsigned char>(text[p]) > ' ' && text[p] != ',') ++p;
            item.assign(text.substr(start, p - start));
        }
        lines.push_back(std::move(item));
        while (IsBlank(at(p))) ++p;
        if (at(p) == ',') {
            if (p + 1 >= text.size()) lines.emplace_back();
            do {
                ++p;
            } while (IsBlank(at(p)));
        }
    }
    return lines;
}

}  // namespace zelvora
