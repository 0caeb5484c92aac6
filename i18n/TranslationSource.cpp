#include "i18n/TranslationSource.h"

#include <array>
#include <sstream>

#include "base/CodePage.h"
#include "i18n/CommaText.h"

namespace zelvora {

namespace {

constexpr int kMaxIncludeDepth = 8;
constexpr int kMaxLanguages = 5;
constexpr std::array<const char*, kMaxLanguages> kLanguageNames{"Deutsch", "English", "French", "Romanian",
                                                                "Chinese"};

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

class Compiler {
public:
    explicit Compiler(const TSourceReader& reader) : reader_(reader)
    {
        for (int t = 0; t < kSectionCount; ++t) store_.Section(static_cast<TStringsType>(t)).clear();
    }

    void Compile(const std::string& text, const std::string& file, int depth)
    {
        if (depth > kMaxIncludeDepth) throw ETranslationSourceError(file + ": includes nested too deeply");
        std::istringstream lines(text);
        std::string line;
        int number = 0;
        while (std::getline(lines, line)) {
            ++number;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::string trimmed = Trim(line);
            const std::string where = file + ":" + std::to_string(number);
            if (trimmed.empty() || trimmed.front() == '#') continue;
            if (trimmed.rfind("languages", 0) == 0 && trimmed.find('=') != std::string::npos) {
                languages_ = std::atoi(trimmed.substr(trimmed.find('=') + 1).c_str());
                if (languages_ < 1 || languages_ > kMaxLanguages)
                    throw ETranslationSourceError(where + ": languages must be 1 to " +
                                                  std::to_string(kMaxLanguages));
            } else if (trimmed.rfind("@include", 0) == 0) {
                const std::string name = Trim(trimmed.substr(8));
                Compile(reader_(name), name, depth + 1);
            } else if (trimmed.front() == '[' && trimmed.back() == ']') {
                Header(trimmed.substr(1, trimmed.size() - 2), where);
            } else {
                Row(line, where);
            }
        }
    }

    TTranslationStore Result() { return std::move(store_); }

private:
    void Header(const std::string& name, const std::string& where)
    {
        section_ = nullptr;
        for (int t = 0; t < kSectionCount; ++t)
            if (SameTextIgnoringCase(name, StringsTypeName(static_cast<TStringsType>(t)))) {
                section_ = &store_.Section(static_cast<TStringsType>(t));
                multiLines_ = t == static_cast<int>(TStringsType::stMultiLines);
                return;
            }
        throw ETranslationSourceError(where + ": unknown section [" + name + "]");
    }

    // Splits at unescaped bars and resolves the escapes.
    static std::vector<std::string> Fields(const std::string& line, const std::string& where)
    {
        std::vector<std::string> fields(1);
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '|') {
                fields.emplace_back();
            } else if (c == '\\' && i + 1 < line.size()) {
                const char next = line[++i];
                if (next == 'n')
                    fields.back() += '\n';
                else if (next == '|' || next == '\\')
                    fields.back() += next;
                else
                    throw ETranslationSourceError(where + ": unknown escape \\" + std::string(1, next));
            } else {
                fields.back() += c;
            }
        }
        for (std::string& field : fields) field = Trim(field);
        return fields;
    }

    void Row(const std::string& line, const std::string& where)
    {
        if (!section_) throw ETranslationSourceError(where + ": row outside a section");
        if (languages_ == 0) throw ETranslationSourceError(where + ": languages = N must come first");
        std::vector<std::string> fields = Fields(line, where);
        // A bar at the end of the line closes the last cell rather than opening another.
        if (fields.size() == static_cast<std::size_t>(languages_) + 2 && fields.back().empty())
            fields.pop_back();
        const std::string& key = fields.front();
        if (key.empty()) throw ETranslationSourceError(where + ": row without a key");
        if (fields.size() > static_cast<std::size_t>(languages_) + 1)
            throw ETranslationSourceError(where + ": row '" + key + "' has more than " +
                                          std::to_string(languages_) + " cells");
        fields.resize(static_cast<std::size_t>(languages_) + 1);
        const char delimiter = store_.Delimiter();
        std::string row = Convert(key, TCodePage::Windows1252, where, key, 0);
        for (int column = 1; column <= languages_; ++column) {
            const TCodePage codePage = column == 4 ? TCodePage::Windows1250 : TCodePage::Windows1252;
            std::string cell =
                Convert(fields[static_cast<std::size_t>(column)], codePage, where, key, column);
            if (multiLines_ && !cell.empty()) {
                std::vector<std::string> lines;
                std::istringstream split(cell);
                for (std::string item; std::getline(split, item);) lines.push_back(item);
                if (!cell.empty() && cell.back() == '\n') lines.emplace_back();
                cell = ToCommaText(lines);
            } else {
                for (std::size_t pos = 0; (pos = cell.find('\n', pos)) != std::string::npos; pos += 2)
                    cell.replace(pos, 1, "\r\n");
            }
            row += delimiter + cell;
        }
        section_->push_back(row + delimiter);
    }

    static std::string Convert(const std::string& utf8, TCodePage codePage, const std::string& where,
                               const std::string& key, int column)
    {
        auto converted = Utf8ToCodePage(utf8, codePage);
        if (converted) return *converted;
        const char* page = codePage == TCodePage::Windows1250 ? "Windows-1250" : "Windows-1252";
        const std::string columnName = column == 0
                                           ? std::string("key")
                                           : "column " + std::to_string(column) + " (" +
                                                 kLanguageNames[static_cast<std::size_t>(column - 1)] + ")";
        throw ETranslationSourceError(where + ": row '" + key + "', " + columnName +
                                      ": text not representable in " + page);
    }

    const TSourceReader& reader_;
    TTranslationStore store_;
    TRows* section_ = nullptr;
    bool multiLines_ = false;
    int languages_ = 0;
};

}  // namespace

TTranslationStore CompileTranslationSource(const std::string& text, const std::string& fileName,
                                           const TSourceReader& readInclude)
{
    Compiler compiler(readInclude);
    compiler.Compile(text, fileName, 0);
    return compiler.Result();
}

}  // namespace zelvora
