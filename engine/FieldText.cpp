#include "engine/FieldText.h"

namespace zelvora {

namespace {

bool IsLeadSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsTrailSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == 0xA0;
}

}  // namespace

void TFieldText::Type(std::wstring_view typed)
{
    std::wstring kept;
    for (const wchar_t c : typed)
        if (c >= 0x20 && c != 0x7F) kept.push_back(c);
    text_.insert(caret_, kept);
    caret_ += kept.size();
}

void TFieldText::Paste(std::wstring_view clipboard)
{
    Type(clipboard.substr(0, clipboard.find_first_of(L"\r\n")));
}

std::size_t TFieldText::Before(std::size_t at) const
{
    if (at == 0) return 0;
    const bool pair = at >= 2 && IsTrailSurrogate(text_[at - 1]) && IsLeadSurrogate(text_[at - 2]);
    return at - (pair ? 2 : 1);
}

std::size_t TFieldText::After(std::size_t at) const
{
    if (at >= text_.size()) return text_.size();
    const bool pair = at + 1 < text_.size() && IsLeadSurrogate(text_[at]) && IsTrailSurrogate(text_[at + 1]);
    return at + (pair ? 2 : 1);
}

void TFieldText::Left()
{
    caret_ = Before(caret_);
}

void TFieldText::Right()
{
    caret_ = After(caret_);
}

void TFieldText::Delete()
{
    text_.erase(caret_, After(caret_) - caret_);
}

void TFieldText::Backspace()
{
    const std::size_t from = Before(caret_);
    text_.erase(from, caret_ - from);
    caret_ = from;
}

void TFieldText::BackspaceWord()
{
    std::size_t from = caret_;
    while (from > 0 && IsBlank(text_[from - 1])) --from;
    while (from > 0 && !IsBlank(text_[from - 1])) --from;
    text_.erase(from, caret_ - from);
    caret_ = from;
}

}  // namespace zelvora
