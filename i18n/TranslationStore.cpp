#include "i18n/TranslationStore.h"

#include <algorithm>
#include <cctype>

namespace zelvora {

namespace {

constexpr std::array<std::string_view, kStringsTypeCount> kTypeNames{
    "stCaptions",   "stHints",        "stDisplayLabels", "stFonts",
    "stMultiLines", "stDlgsCaptions", "stStrings",       "stOtherStrings",
    "stLocales",    "stCollections",  "stCharSets",      "stListView_TreeView_Items"};

// Message-dialog titles and buttons, with their accelerators.
constexpr std::array<std::string_view, 15> kDialogCaptions{
    "Warning", "Error",  "Information", "Confirm", "&Yes",       "&No",         "OK",   "Cancel",
    "&Abort",  "&Retry", "&Ignore",     "&All",    "N&o To All", "Y&es To All", "&Help"};

constexpr std::string_view kLineBreakInCell = "\x19\x1A";

std::string WithoutAmpersands(std::string_view text)
{
    std::string out;
    for (char c : text)
        if (c != '&') out += c;
    return out;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size())
        text.replace(pos, from.size(), to);
}

int CountOf(const std::string& row, char c)
{
    return static_cast<int>(std::count(row.begin(), row.end(), c));
}

int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i])),
                  y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

bool SameTextIgnoringCase(std::string_view a, std::string_view b)
{
    return CompareIgnoringCase(a, b) == 0;
}

std::string_view StringsTypeName(TStringsType type)
{
    return kTypeNames[static_cast<std::size_t>(type)];
}

TTranslationStore::TTranslationStore(const TFormatSettings& formats) : formats_(formats)
{
    TRows& dialogs = Section(TStringsType::stDlgsCaptions);
    for (std::string_view caption : kDialogCaptions)
        dialogs.push_back(WithoutAmpersands(caption) + delimiter_ + std::string(caption) + delimiter_);
    const std::pair<const char*, const std::string*> locales[] = {
        {"Currency String", &formats.CurrencyString},     {"Thousand Separator", &formats.ThousandSeparator},
        {"Decimal Separator", &formats.DecimalSeparator}, {"Date Separator", &formats.DateSeparator},
        {"Short Date Format", &formats.ShortDateFormat},  {"Long Date Format", &formats.LongDateFormat},
        {"Time Separator", &formats.TimeSeparator},       {"Time AM String", &formats.TimeAMString},
        {"Time PM String", &formats.TimePMString},        {"Short Time Format", &formats.ShortTimeFormat},
        {"Long Time Format", &formats.LongTimeFormat},    {"Short Month Names", &formats.ShortMonthNames},
        {"Long Month Names", &formats.LongMonthNames},    {"Short Day Names", &formats.ShortDayNames},
        {"Long Day Names", &formats.LongDayNames}};
    for (const auto& [key, value] : locales)
        Section(TStringsType::stLocales).push_back(key + (delimiter_ + *value) + delimiter_);
}

TRows& TTranslationStore::Section(TStringsType type)
{
    if (type == TStringsType::stListView_TreeView_Items)
        throw ELanguageError("stListView_TreeView_Items has no list");
    return sections_[static_cast<std::size_t>(type)];
}

const TRows& TTranslationStore::Section(TStringsType type) const
{
    return const_cast<TTranslationStore*>(this)->Section(type);
}

void TTranslationStore::ReadTranslationData(std::string_view payload)
{
    TRows* current = nullptr;
    std::size_t pos = 0;
    while (pos < payload.size()) {
        std::size_t end = payload.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = payload.size();
        std::string line(payload.substr(pos, end - pos));
        pos = end;
        if (pos < payload.size())
            pos += (payload[pos] == '\r' && pos + 1 < payload.size() && payload[pos + 1] == '\n') ? 2 : 1;

        bool header = false;
        for (int t = 0; t < kStringsTypeCount; ++t)
            if (SameTextIgnoringCase(line, kTypeNames[static_cast<std::size_t>(t)])) {
                header = true;
                current = t < kSectionCount ? &sections_[static_cast<std::size_t>(t)] : nullptr;
                if (current) current->clear();
                break;
            }
        if (header || !current) continue;
        ReplaceAll(line, kLineBreakInCell, "\r\n");
        current->push_back(std::move(line));
    }
}

std::string TTranslationStore::WriteTranslationData() const
{
    std::string payload;
    for (int t = 0; t < kSectionCount; ++t) {
        payload += kTypeNames[static_cast<std::size_t>(t)];
        payload += "\r\n";
        for (std::string row : sections_[static_cast<std::size_t>(t)]) {
            ReplaceAll(row, "\r\n", kLineBreakInCell);
            payload += row;
            payload += "\r\n";
        }
    }
    return payload;
}

std::string TTranslationStore::Field(const std::string& row, int index) const
{
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const std::size_t delim = row.find(delimiter_, start);
        if (delim == std::string::npos) return {};
        start = delim + 1;
    }
    const std::size_t end = row.find(delimiter_, start);
    // A row that lost its closing delimiter still gives its last cell.
    return row.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void TTranslationStore::CompleteLoading(TLoadSettings settings)
{
    TRows& dialogs = Section(TStringsType::stDlgsCaptions);
    constexpr std::size_t kAllDialogRows = 81;
    if (!settings.NeedAllDlgs && dialogs.size() == kAllDialogRows)
        std::erase_if(dialogs, [&](const std::string& row) {
            const std::string key = Key(row);
            return std::none_of(kDialogCaptions.begin(), kDialogCaptions.end(),
                                [&](std::string_view caption) { return WithoutAmpersands(caption) == key; });
        });
    if (settings.UseExtCommonStrings) {
        dialogs.clear();
        Section(TStringsType::stLocales).clear();
    }

    // Stores written with TAB as the delimiter.
    const auto firstRowHas = [&](TStringsType type, auto test) {
        const TRows& rows = Section(type);
        return !rows.empty() && test(rows.front());
    };
    const auto hasTab = [](const std::string& row) { return row.find('\t') != std::string::npos; };
    const auto tabsForCells = [&](const std::string& row) {
        return CountOf(row, '\t') == settings.NumOfLanguages + 1;
    };
    if (delimiter_ == '\t') {
        delimiter_ = 0x01;
        for (TRows& rows : sections_)
            for (std::string& row : rows) std::replace(row.begin(), row.end(), '\t', delimiter_);
    } else if (firstRowHas(TStringsType::stDlgsCaptions, hasTab) ||
               firstRowHas(TStringsType::stLocales, hasTab) ||
               firstRowHas(TStringsType::stCaptions, tabsForCells) ||
               firstRowHas(TStringsType::stLocales, tabsForCells) ||
               firstRowHas(TStringsType::stHints, tabsForCells)) {
        for (TRows& rows : sections_)
            for (std::string& row : rows) std::replace(row.begin(), row.end(), '\t', delimiter_);
    }

    TRows& locales = Section(TStringsType::stLocales);
    if (locales.size() == 11) {
        locales.push_back("Short Month Names" + (delimiter_ + formats_.ShortMonthNames) + delimiter_);
        locales.push_back("Long Month Names" + (delimiter_ + formats_.LongMonthNames) + delimiter_);
        locales.push_back("Short Day Names" + (delimiter_ + formats_.ShortDayNames) + delimiter_);
        locales.push_back("Long Day Names" + (delimiter_ + formats_.LongDayNames) + delimiter_);
    }

    const auto excluded = [&](std::string_view property) {
        return std::any_of(settings.ExcludedProperties.begin(), settings.ExcludedProperties.end(),
                           [&](const std::string& p) { return SameTextIgnoringCase(p, property); });
    };
    if (excluded("Caption")) Section(TStringsType::stCaptions).clear();
    if (excluded("Hint")) Section(TStringsType::stHints).clear();
    if (excluded("DisplayLabel")) Section(TStringsType::stDisplayLabels).clear();
    if (excluded("Font")) Section(TStringsType::stFonts).clear(), Section(TStringsType::stCharSets).clear();
    if (excluded("Charset")) Section(TStringsType::stCharSets).clear();
    for (TStringsType type :
         {TStringsType::stMultiLines, TStringsType::stOtherStrings, TStringsType::stCollections})
        std::erase_if(Section(type), [&](const std::string& row) {
            const std::string path = Key(row);
            const std::size_t dot = path.find('.');
            const std::string property = dot == std::string::npos ? std::string() : path.substr(dot + 1);
            const bool smart =
                std::any_of(settings.SmartExcludeProps.begin(), settings.SmartExcludeProps.end(),
                            [&](const std::string& p) { return SameTextIgnoringCase(p, path); });
            return SameTextIgnoringCase(property, "Name") || excluded(property) || smart;
        });
    BuildIndex(settings.NumOfLanguages);
}

void TTranslationStore::ChangeNumOfLanguages(int oldCount, int newCount, bool runtime)
{
    if (newCount == oldCount) return;
    if (newCount < 1)
        throw ELanguageError(std::to_string(newCount) +
                             " - is not a valid property value !\rValue must be more than ZERO !");
    if (newCount < oldCount)
        for (TRows& rows : sections_)
            for (std::string& row : rows) {
                // Keep the key, the first n cells and the delimiter after cell n, when there is a cell n+1.
                std::size_t pos = 0;
                int delimiters = 0;
                while (delimiters < newCount + 1 && (pos = row.find(delimiter_, pos)) != std::string::npos)
                    ++delimiters, ++pos;
                if (delimiters == newCount + 1 && pos < row.size()) row.resize(pos);
            }
    if (runtime) {
        for (TStringsType type :
             {TStringsType::stStrings, TStringsType::stDlgsCaptions, TStringsType::stLocales})
            for (std::string& row : Section(type))
                while (CountOf(row, delimiter_) < newCount + 1) row += delimiter_;
        BuildIndex(newCount);
    }
}

void TTranslationStore::ChangeDelimiter(char delimiter, bool convert)
{
    if (delimiter == delimiter_) return;
    if (convert)
        for (TRows& rows : sections_)
            for (std::string& row : rows) std::replace(row.begin(), row.end(), delimiter_, delimiter);
    delimiter_ = delimiter;
}

void TTranslationStore::BuildIndex(int numOfLanguages)
{
    index_.clear();
    for (const std::string& row : Section(TStringsType::stStrings)) {
        TNamedMessage message{Key(row), {}};
        for (int language = 1; language <= numOfLanguages; ++language)
            message.Values.push_back(Field(row, language));
        index_.push_back(std::move(message));
    }
    std::stable_sort(index_.begin(), index_.end(), [](const TNamedMessage& a, const TNamedMessage& b) {
        return CompareIgnoringCase(a.Name, b.Name) < 0;
    });
}

const TNamedMessage* TTranslationStore::FindMessage(std::string_view name) const
{
    const auto found = std::lower_bound(
        index_.begin(), index_.end(), name,
        [](const TNamedMessage& item, std::string_view n) { return CompareIgnoringCase(item.Name, n) < 0; });
    return found != index_.end() && CompareIgnoringCase(found->Name, name) == 0 ? &*found : nullptr;
}

}  // namespace zelvora
