// The text of a one-line field and its caret: what typing and the editing keys do to it. A
// character outside the basic plane is two UTF-16 units, which move and go together.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zelvora {

class TFieldText {
public:
    const std::wstring& Text() const { return text_; }
    // In UTF-16 units from the start.
    std::size_t Caret() const { return caret_; }

    // Control characters are not text; a pasted text keeps its first line only.
    void Type(std::wstring_view typed);
    void Paste(std::wstring_view clipboard);
    void Left();
    void Right();
    void Home() { caret_ = 0; }
    void End() { caret_ = text_.size(); }
    void Delete();
    void Backspace();
    // The word before the caret, with the blanks after it (Ctrl+Backspace).
    void BackspaceWord();

private:
    std::size_t Before(std::size_t at) const;
    std::size_t After(std::size_t at) const;

    std::wstring text_;
    std::size_t caret_ = 0;
};

}  // namespace zelvora
