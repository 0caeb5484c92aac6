#include "toolkit/Description.h"

#include "base/CodePage.h"

#include <cctype>
#include <climits>

namespace zelvora {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    TObjectDesc Root()
    {
        if (text_.size() > kMaxDescriptionSize) Fail("description too large");
        SkipBlanks();
        TObjectDesc root = Object(0);
        SkipBlanks();
        if (pos_ != text_.size()) Fail("text after the end of the root object");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& message) const
    {
        throw EDescriptionError("line " + std::to_string(line_) + ": " + message);
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    void SkipBlanks()
    {
        while (!AtEnd()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (!AtEnd() && text_[pos_] != '\n') ++pos_;
            } else {
                break;
            }
        }
    }

    static bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    static bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    std::string Identifier()
    {
        SkipBlanks();
        if (!IsIdentStart(Peek())) Fail("identifier expected");
        const std::size_t start = pos_;
        while (!AtEnd() && IsIdentChar(text_[pos_])) ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }

    // Dotted names: property paths and references to components of other windows.
    std::string DottedName()
    {
        std::string name = Identifier();
        while (Peek() == '.') {
            ++pos_;
            name += '.';
            name += Identifier();
        }
        return name;
    }

    void Expect(char c)
    {
        SkipBlanks();
        if (Peek() != c) Fail(std::string("'") + c + "' expected");
        ++pos_;
    }

    bool NextWordIs(std::string_view word)
    {
        SkipBlanks();
        if (text_.substr(pos_, word.size()) != word) return false;
        const std::size_t after = pos_ + word.size();
        return after >= text_.size() || !IsIdentChar(text_[after]);
    }

    TObjectDesc Object(int depth)
    {
        if (depth >= kMaxDescriptionDepth) Fail("objects nested too deeply");
        if (!NextWordIs("object")) Fail("'object' expected");
        TObjectDesc desc;
        desc.Line = line_;
        pos_ += 6;
        desc.Name = Identifier();
        Expect(':');
        desc.ClassName = Identifier();
        for (;;) {
            SkipBlanks();
            if (AtEnd()) Fail("'end' expected for " + desc.Name);
            if (NextWordIs("end")) {
                pos_ += 3;
                return desc;
            }
            if (NextWordIs("object")) {
                desc.Children.push_back(Object(depth + 1));
                continue;
            }
            TDescProperty property;
            property.Line = line_;
            property.Path = DottedName();
            Expect('=');
            property.Value = Value();
            desc.Properties.push_back(std::move(property));
        }
    }

    // 'a'#13'b': parts written without blanks between them make one string.
    std::string QuotedString()
    {
        std::string value;
        SkipBlanks();
        for (;;) {
            if (Peek() == '\'') {
                ++pos_;
                for (;;) {
                    if (AtEnd() || text_[pos_] == '\n') Fail("unterminated string");
                    if (text_[pos_] == '\'') {
                        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                            value += '\'';
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    value += text_[pos_++];
                }
            } else if (Peek() == '#') {
                ++pos_;
                const long long code = Number();
                if (code < 0 || code > 0x10FFFF) Fail("character code out of range");
                AppendUtf8(value, static_cast<char32_t>(code));
            } else {
                return value;
            }
        }
    }

    long long Number()
    {
        SkipBlanks();
        bool negative = false;
        if (Peek() == '-') {
            negative = true;
            ++pos_;
        }
        const bool hex = Peek() == '$';
        if (hex) ++pos_;
        const int base = hex ? 16 : 10;
        long long value = 0;
        std::size_t digits = 0;
        for (; !AtEnd(); ++pos_, ++digits) {
            const char c = text_[pos_];
            int digit;
            if (std::isdigit(static_cast<unsigned char>(c)))
                digit = c - '0';
            else if (hex && std::isxdigit(static_cast<unsigned char>(c)))
                digit = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
            else
                break;
            if (value > (LLONG_MAX - digit) / base) Fail("number too large");
            value = value * base + digit;
        }
        if (digits == 0) Fail("number expected");
        return negative ? -value : value;
    }

    TDescValue Value()
    {
        SkipBlanks();
        const char c = Peek();
        if (c == '\'' || c == '#') return QuotedString();
        if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) return Number();
        if (c == '[') {
            ++pos_;
            TDescSet set;
            SkipBlanks();
            while (Peek() != ']') {
                set.Members.push_back(Identifier());
                SkipBlanks();
                if (Peek() == ',')
                    ++pos_;
                else if (Peek() != ']')
                    Fail("',' or ']' expected");
                SkipBlanks();
            }
            ++pos_;
            return set;
        }
        if (c == '(') {
            ++pos_;
            TDescStrings strings;
            SkipBlanks();
            while (Peek() != ')') {
                if (Peek() != '\'' && Peek() != '#') Fail("string or ')' expected");
                strings.Items.push_back(QuotedString());
                SkipBlanks();
            }
            ++pos_;
            return strings;
        }
        if (IsIdentStart(c)) return TDescIdentifier{DottedName()};
        Fail("value expected");
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

TObjectDesc ParseDescription(std::string_view text)
{
    return Parser(text).Root();
}

}  // namespace zelvora
