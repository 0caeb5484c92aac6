// A window's translations: eleven sections of rows, one cell per language, and the sorted index of
// named messages. Reads and writes the payload byte for byte.
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

enum class TStringsType {
    stCaptions,
    stHints,
    stDisplayLabels,
    stFonts,
    stMultiLines,
    stDlgsCaptions,
    stStrings,
    stOtherStrings,
    stLocales,
    stCollections,
    stCharSets,
    stListView_TreeView_Items
};
inline constexpr int kStringsTypeCount = 12;
inline constexpr int kSectionCount = 11;  // every type but the last has a list

std::string_view StringsTypeName(TStringsType type);

class ELanguageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using TRows = std::vector<std::string>;

// The process's number and date formats, which the Locales section starts with.
struct TFormatSettings {
    std::string CurrencyString = "$", ThousandSeparator = ",", DecimalSeparator = ".", DateSeparator = "/";
    std::string ShortDateFormat = "M/d/yyyy", LongDateFormat = "dddd, MMMM d, yyyy", TimeSeparator = ":";
    std::string TimeAMString = "AM", TimePMString = "PM", ShortTimeFormat = "h:mm AMPM",
                LongTimeFormat = "h:mm:ss AMPM";
    std::string ShortMonthNames = "Jan,Feb,Mar,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec";
    std::string LongMonthNames =
        "January,February,March,April,May,June,July,August,September,October,November,December";
    std::string ShortDayNames = "Sun,Mon,Tue,Wed,Thu,Fri,Sat";
    std::string LongDayNames = "Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday";
};

struct TNamedMessage {
    std::string Name;
    std::vector<std::string> Values;  // value k-1 is language k
};

// What load completion needs from the component's settings.
struct TLoadSettings {
    bool NeedAllDlgs = false;
    bool UseExtCommonStrings = false;
    int NumOfLanguages = 1;
    std::vector<std::string> ExcludedProperties;
    std::vector<std::string> SmartExcludeProps;
};

class TTranslationStore {
public:
    explicit TTranslationStore(const TFormatSettings& formats = {});

    TRows& Section(TStringsType type);
    const TRows& Section(TStringsType type) const;
    char Delimiter() const { return delimiter_; }

    // Replaces the sections the payload names; lines outside a section are dropped.
    void ReadTranslationData(std::string_view payload);
    std::string WriteTranslationData() const;

    // The fields of a row: field 0 is the key, field k the cell of language k; missing ones are empty.
    std::string Field(const std::string& row, int index) const;
    std::string Key(const std::string& row) const { return Field(row, 0); }

    void CompleteLoading(TLoadSettings settings);
    // Cuts rows to n cells or, at run time, pads the message, dialog and format rows; rebuilds the
    // index. n below 1 is refused with ELanguageError and changes nothing.
    void ChangeNumOfLanguages(int oldCount, int newCount, bool runtime);
    // Converts every old delimiter byte in the rows when `convert`; always takes the new one.
    void ChangeDelimiter(char delimiter, bool convert);

    void BuildIndex(int numOfLanguages);
    const TNamedMessage* FindMessage(std::string_view name) const;
    const std::vector<TNamedMessage>& Index() const { return index_; }

private:
    std::array<TRows, kSectionCount> sections_;
    std::vector<TNamedMessage> index_;
    TFormatSettings formats_;
    char delimiter_ = 0x01;
};

bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zelvora
