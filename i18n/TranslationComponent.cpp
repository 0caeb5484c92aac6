#include "i18n/TranslationComponent.h"

#include <algorithm>
#include <array>

#include "base/Format.h"
#include "base/TextCase.h"
#include "i18n/CommaText.h"

namespace zelvora {

namespace {

TsiLang::TPayloadSource& PayloadSource()
{
    static TsiLang::TPayloadSource source;
    return source;
}

bool Contains(const TStringList& list, std::string_view item)
{
    return std::any_of(list.begin(), list.end(), [&](const std::string& s) { return SameText(s, item); });
}

bool IsForm(const TComponent& component)
{
    for (const TClassInfo* info = &component.ClassInfo(); info; info = info->Parent())
        if (info->Name() == "TForm") return true;
    return false;
}

// A control that takes its font from its parent is left alone by font rows.
bool UsesParentFont(TComponent& target)
{
    const TPropTarget parentFont = FindProperty(target, "ParentFont");
    if (!parentFont.Info || parentFont.Info->Kind != TPropKind::Boolean) return false;
    return std::get<bool>(GetPropValue(target, "ParentFont"));
}

std::string CurrentText(TComponent& target, const std::string& property)
{
    try {
        const TPropValue value = GetPropValue(target, property);
        if (const auto* text = std::get_if<std::string>(&value)) return *text;
    } catch (const EPropertyError&) {
    }
    return {};
}

TPropInfo SectionProperty(const char* name, TStringsType type)
{
    TPropInfo p{name, TPropKind::Strings, {}, {}, {}, {}, {}};
    p.Get = [type](const TPersistent& o) { return TPropValue(static_cast<const TsiLang&>(o).Section(type)); };
    p.Set = [type](TPersistent& o, const TPropValue& v) {
        static_cast<TsiLang&>(o).SetSection(type, std::get<TStringList>(v));
    };
    return p;
}

}  // namespace

std::optional<int> CharsetFromName(std::string_view name, bool ignoreCase)
{
    static constexpr std::array<std::pair<std::string_view, int>, 19> kCharsets{{
        {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
        {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
        {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
        {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
        {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
        {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
        {"OEM_CHARSET", 255},
    }};
    for (const auto& [charset, value] : kCharsets)
        if (ignoreCase ? SameText(charset, name) : charset == name) return value;
    return std::nullopt;
}

// --- TsiLang

TsiLang::TsiLang(TComponent* owner) : TComponent(owner)
{
    if (owner)
        for (TComponent* sibling : owner->Components())
            if (sibling != this && dynamic_cast<TsiLang*>(sibling))
                throw ELanguageError("Only one TsiCustomLang component per Form/DataModule allowed!");
}

TsiLang::~TsiLang()
{
    if (dispatcher_) dispatcher_->RemoveLang(this);
}

void TsiLang::SetPayloadSource(TPayloadSource source)
{
    PayloadSource() = std::move(source);
}

const TClassInfo& TsiLang::StaticClassInfo()
{
    static const TClassInfo info(
        "TsiLang", &TComponent::StaticClassInfo(),
        {StringProperty<TsiLang>("Version", &TsiLang::Version, &TsiLang::SetVersion),
         IntegerProperty<TsiLang>("NumOfLanguages", &TsiLang::NumOfLanguages, &TsiLang::SetNumOfLanguages),
         IntegerProperty<TsiLang>("ActiveLanguage", &TsiLang::ActiveLanguage, &TsiLang::SetActiveLanguage),
         StringsProperty<TsiLang>("LangNames", &TsiLang::LangNames, &TsiLang::SetLangNames),
         StringProperty<TsiLang>("Language", &TsiLang::Language, &TsiLang::SetLanguage),
         IntegerProperty<TsiLang>("LangDelim", &TsiLang::LangDelim, &TsiLang::SetLangDelim),
         ComponentProperty<TsiLang, TsiLangDispatcher>("LangDispatcher", &TsiLang::LangDispatcher,
                                                       &TsiLang::SetLangDispatcher),
         EventProperty<TsiLang>("OnChangeLanguage", &TsiLang::OnChangeLanguage),
         EnumProperty<TsiLang, TTranslateType>("TranslateType", {"ttNoChange", "ttGetDefault"},
                                               &TsiLang::TranslateType, &TsiLang::SetTranslateType),
         SetProperty<TsiLang>("Options", {"loUseExtUDStrings", "loUseExtCommonStrings"}, &TsiLang::Options,
                              &TsiLang::SetOptions),
         StringsProperty<TsiLang>("DoNotTranslate", &TsiLang::DoNotTranslate, &TsiLang::SetDoNotTranslate),
         StringsProperty<TsiLang>("ExcludedProperties", &TsiLang::ExcludedProperties,
                                  &TsiLang::SetExcludedProperties),
         StringsProperty<TsiLang>("SmartExcludeProps", &TsiLang::SmartExcludeProps,
                                  &TsiLang::SetSmartExcludeProps),
         StringsProperty<TsiLang>("StringsTypes", &TsiLang::StringsTypes, &TsiLang::SetStringsTypes),
         BooleanProperty<TsiLang>("ChangeLocales", &TsiLang::ChangeLocales, &TsiLang::SetChangeLocales),
         BooleanProperty<TsiLang>("NeedAllDlgs", &TsiLang::NeedAllDlgs, &TsiLang::SetNeedAllDlgs),
         BooleanProperty<TsiLang>("DoRaiseExceptions", &TsiLang::DoRaiseExceptions,
                                  &TsiLang::SetDoRaiseExceptions),
         BooleanProperty<TsiLang>("IsInheritedOwner", &TsiLang::IsInheritedOwner,
                                  &TsiLang::SetIsInheritedOwner),
         IntegerProperty<TsiLang>("ChangingCursor", &TsiLang::ChangingCursor, &TsiLang::SetChangingCursor),
         StringProperty<TsiLang>("TranslationResource", &TsiLang::TranslationResource,
                                 &TsiLang::SetTranslationResource),
         SectionProperty("Captions", TStringsType::stCaptions),
         SectionProperty("Hints", TStringsType::stHints),
         SectionProperty("DisplayLabels", TStringsType::stDisplayLabels),
         SectionProperty("Fonts", TStringsType::stFonts),
         SectionProperty("MultiLines", TStringsType::stMultiLines),
         SectionProperty("DlgsCaptions", TStringsType::stDlgsCaptions),
         SectionProperty("Strings", TStringsType::stStrings),
         SectionProperty("OtherStrings", TStringsType::stOtherStrings),
         SectionProperty("Locales", TStringsType::stLocales),
         SectionProperty("Collections", TStringsType::stCollections),
         SectionProperty("CharSets", TStringsType::stCharSets)});
    return info;
}

void TsiLang::SetNumOfLanguages(int n)
{
    if (n == numOfLanguages_) return;
    store_.ChangeNumOfLanguages(numOfLanguages_, n, !Loading());  // refuses n < 1 before changing anything
    numOfLanguages_ = n;
    while (static_cast<int>(langNames_.size()) < n)
        langNames_.push_back("Language N" + std::to_string(langNames_.size() + 1));
    langNames_.resize(static_cast<std::size_t>(n));
}

void TsiLang::SetActiveLanguage(int n)
{
    if (n == activeLanguage_) return;
    if (n < 1 || n > numOfLanguages_) {
        if (Loading()) return;
        throw ELanguageError(
            FormatText("%d - is not a valid property value!\rValue must be within [1..%d]!",
                       {static_cast<long long>(n), static_cast<long long>(numOfLanguages_)}));
    }
    sectionSelector_ = -1;
    activeLanguage_ = n;
    if (!Loading() && static_cast<int>(langNames_.size()) >= n)
        language_ = langNames_[static_cast<std::size_t>(n - 1)];
    if (dispatcher_ || !Loading()) ApplyLanguage();
}

void TsiLang::SetLangNames(const TStringList& names)
{
    langNames_ = names;
    if (activeLanguage_ >= 1 && activeLanguage_ <= static_cast<int>(names.size()))
        language_ = names[static_cast<std::size_t>(activeLanguage_ - 1)];
    numOfLanguages_ = static_cast<int>(names.size());
}

void TsiLang::SetLanguage(const std::string& name)
{
    if (name == language_) return;
    const auto found = std::find(langNames_.begin(), langNames_.end(), name);
    if (found == langNames_.end())
        throw ELanguageError("Language name shall be included in LangNames property!");
    language_ = name;
    if (!Loading()) SetActiveLanguage(static_cast<int>(found - langNames_.begin()) + 1);
}

void TsiLang::SetLangDelim(int delimiter)
{
    store_.ChangeDelimiter(static_cast<char>(delimiter), !Loading());
}

void TsiLang::SetLangDispatcher(TsiLangDispatcher* dispatcher)
{
    if (dispatcher_ && dispatcher_ != dispatcher) dispatcher_->RemoveLang(this);
    dispatcher_ = dispatcher;
    if (!dispatcher) return;
    dispatcher->FreeNotification(this);
    // While the window loads, linking waits until the store is complete (Loaded).
    if (Owner() && !Loading()) dispatcher->AddLang(this);
}

void TsiLang::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == dispatcher_) dispatcher_ = nullptr;
}

void TsiLang::SetTranslationResource(const std::string& name)
{
    translationResource_ = name;
    if (!PayloadSource()) throw ELanguageError("No source for translation data " + name);
    store_.ReadTranslationData(PayloadSource()(name));
}

void TsiLang::SetSection(TStringsType type, const TRows& rows)
{
    store_.Section(type) = rows;
    if (Loading() || type == TStringsType::stDlgsCaptions) return;
    if (type == TStringsType::stStrings) store_.BuildIndex(numOfLanguages_);
    sectionSelector_ = static_cast<int>(type);
    ApplyLanguage();
    sectionSelector_ = -1;
}

void TsiLang::Loaded()
{
    TComponent::Loaded();
    if (!Owner()) return;
    store_.CompleteLoading({needAllDlgs_, (options_ & loUseExtCommonStrings) != 0, numOfLanguages_,
                            excludedProperties_, smartExcludeProps_});
    if (isInheritedOwner_) ApplyLanguage();
    if (dispatcher_) dispatcher_->AddLang(this);
}

std::string TsiLang::GetNamedString(std::string_view name) const
{
    if ((options_ & loUseExtUDStrings) != 0) {
        if (!dispatcher_) return {};
        for (TsiLang* other : dispatcher_->Linked())
            if (other != this && !other->Section(TStringsType::stStrings).empty()) {
                const TNamedMessage* found = other->store_.FindMessage(name);
                return found && activeLanguage_ <= static_cast<int>(found->Values.size())
                           ? found->Values[static_cast<std::size_t>(activeLanguage_ - 1)]
                           : std::string();
            }
        return {};
    }
    const TNamedMessage* found = store_.FindMessage(name);
    if (!found) {
        if (doRaiseExceptions_)
            throw ELanguageError(FormatText("String identifier \"%s\" not found!", {name}));
        return {};
    }
    const auto index = static_cast<std::size_t>(activeLanguage_ - 1);
    std::string text = index < found->Values.size() ? found->Values[index] : std::string();
    if (text.empty() && translateType_ == TTranslateType::ttGetDefault && !found->Values.empty())
        text = found->Values[0];
    return text;
}

void TsiLang::ApplyLanguage()
{
    if (Owner()) ApplyTo(*Owner());
}

void TsiLang::ApplyTo(TComponent& window)
{
    const auto selected = [&](TStringsType type) {
        return sectionSelector_ == -1 || sectionSelector_ == static_cast<int>(type);
    };
    // One menu rebuild for the whole switch, not one per translated item.
    struct TUpdating {
        TComponent& Window;
        explicit TUpdating(TComponent& window) : Window(window) { Window.Updating(); }
        ~TUpdating() { Window.Updated(); }
    } updating(window);
    ApplyWindowRow(window, TStringsType::stCaptions, "Caption");
    ApplyWindowRow(window, TStringsType::stHints, "Hint");
    for (TStringsType type : {TStringsType::stCaptions, TStringsType::stHints, TStringsType::stDisplayLabels})
        if (selected(type)) ApplyPass(window, type);
    if (selected(TStringsType::stFonts) || selected(TStringsType::stCharSets))
        ApplyPass(window, TStringsType::stFonts);
    ApplyWindowFont(window);
    if (selected(TStringsType::stMultiLines)) ApplyPass(window, TStringsType::stMultiLines);
    if (selected(TStringsType::stOtherStrings)) ApplyPass(window, TStringsType::stOtherStrings);
    // Number and date formats are the process's; this program never lets a window change them.
    if (selected(TStringsType::stCollections)) ApplyPass(window, TStringsType::stCollections);
    if (OnChangeLanguage.Handler) {
        TEventArgs args;
        args.Sender = this;
        OnChangeLanguage.Handler(args);
    }
}

void TsiLang::ApplyWindowRow(TComponent& window, TStringsType type, const char* property)
{
    const TRows& rows = store_.Section(type);
    const std::string className = window.ClassName();
    if (!IsForm(window) || rows.empty() || Contains(doNotTranslate_, className) ||
        Contains(smartExcludeProps_, className + "." + property) ||
        !SameText(store_.Key(rows.front()), className))
        return;
    std::string cell = store_.Field(rows.front(), activeLanguage_);
    if (cell.empty() && translateType_ == TTranslateType::ttGetDefault) cell = store_.Field(rows.front(), 1);
    if (cell.empty()) return;
    try {
        SetPropValue(window, property, cell);
    } catch (const std::exception&) {
        // A window without that property keeps what it shows.
    }
}

void TsiLang::ApplyWindowFont(TComponent& window)
{
    const TRows& fonts = store_.Section(TStringsType::stFonts);
    const std::string className = window.ClassName();
    if (!IsForm(window) || fonts.empty() || Contains(doNotTranslate_, className) ||
        Contains(smartExcludeProps_, className + ".Font") || !SameText(store_.Key(fonts.front()), className))
        return;
    try {
        const std::string name = store_.Field(fonts.front(), activeLanguage_);
        if (!name.empty()) SetPropValue(window, "Font.Name", name);
        for (const std::string& row : store_.Section(TStringsType::stCharSets))
            if (SameText(store_.Key(row), className)) {
                if (const auto charset = CharsetFromName(store_.Field(row, activeLanguage_), false))
                    SetPropValue(window, "Font.Charset", static_cast<long long>(*charset));
                break;
            }
    } catch (const EPropertyError&) {
    }
}

void TsiLang::ApplyPass(TComponent& window, TStringsType type)
{
    TRows& rows = store_.Section(type);
    const std::string className = window.ClassName();
    const bool form = IsForm(window);
    const bool windowRowFirst = form && (type == TStringsType::stCaptions || type == TStringsType::stHints ||
                                         type == TStringsType::stFonts || type == TStringsType::stCharSets);
    const bool pathKeys = type == TStringsType::stMultiLines || type == TStringsType::stOtherStrings ||
                          type == TStringsType::stCollections;

    // Rows naming nothing on this window go for good.
    for (std::size_t i = rows.size(); i-- > 0;) {
        if (i == 0 && windowRowFirst) continue;
        const std::string key = store_.Key(rows[i]);
        const std::string component = pathKeys ? key.substr(0, key.find('.')) : key;
        const bool names = (pathKeys && SameText(component, className)) || window.FindComponent(component);
        if (!names) rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (rows.empty()) return;

    std::size_t first = 0;
    if (form &&
        (type == TStringsType::stCaptions || type == TStringsType::stHints ||
         type == TStringsType::stFonts) &&
        !Contains(doNotTranslate_, className) &&
        LowerCase(rows.front()).find(LowerCase(className + store_.Delimiter())) != std::string::npos)
        first = 1;

    static constexpr std::array<const char*, 4> kFixedProperty{"Caption", "Hint", "DisplayLabel", "Font"};
    for (std::size_t i = first; i < rows.size(); ++i) {
        const std::string& row = rows[i];
        const std::string key = store_.Key(row);
        std::string component = key, property;
        if (pathKeys) {
            const std::size_t dot = key.find('.');
            component = key.substr(0, dot);
            property = dot == std::string::npos ? std::string() : key.substr(dot + 1);
        } else if (static_cast<std::size_t>(type) < kFixedProperty.size()) {
            property = kFixedProperty[static_cast<std::size_t>(type)];
        }
        if (Contains(doNotTranslate_, component)) continue;
        std::string cell = store_.Field(row, activeLanguage_);
        if (cell.empty() && translateType_ == TTranslateType::ttGetDefault) cell = store_.Field(row, 1);

        TComponent* target = window.FindComponent(component);
        if (!target && (SameText(component, className) || SameText(component, window.Name())))
            target = &window;
        if (!target) continue;

        try {
            if (type == TStringsType::stFonts) {
                const TPropTarget font = FindProperty(*target, "Font");
                if (!font.Info || font.Info->Kind != TPropKind::Object ||
                    !IsPublishedWritable(*target, "Font.Name"))
                    continue;
                const bool parentFont = UsesParentFont(*target);
                for (const std::string& charsetRow : store_.Section(TStringsType::stCharSets))
                    if (SameText(store_.Key(charsetRow), key)) {
                        const auto charset = CharsetFromName(store_.Field(charsetRow, activeLanguage_), true);
                        if (charset && !parentFont)
                            SetPropValue(*target, "Font.Charset", static_cast<long long>(*charset));
                        break;
                    }
                if (!cell.empty() && !parentFont) SetPropValue(*target, "Font.Name", cell);
                continue;
            }
            if (property.empty() || !IsPublishedWritable(*target, property) || cell.empty()) continue;
            if (type == TStringsType::stMultiLines) {
                const TPropValue current = GetPropValue(*target, property);
                const auto* lines = std::get_if<TStringList>(&current);
                if (!lines || ToCommaText(*lines) == cell) continue;
                SetPropValue(*target, property, FromCommaText(cell));
                continue;
            }
            if (type == TStringsType::stCollections) continue;  // no window of this program has collections
            if (CurrentText(*target, property) != cell) SetPropValue(*target, property, cell);
        } catch (const EPropertyError&) {
            // A property that refuses the value keeps what it had.
        }
    }
}

// --- TsiLangDispatcher

TsiLangDispatcher::TsiLangDispatcher(TComponent* owner) : TComponent(owner) {}

TsiLangDispatcher::~TsiLangDispatcher()
{
    while (!linked_.empty()) {
        TsiLang* last = linked_.back();
        linked_.pop_back();
        last->dispatcher_ = nullptr;
    }
}

const TClassInfo& TsiLangDispatcher::StaticClassInfo()
{
    static const TClassInfo info(
        "TsiLangDispatcher", &TComponent::StaticClassInfo(),
        {IntegerProperty<TsiLangDispatcher>("NumOfLanguages", &TsiLangDispatcher::NumOfLanguages,
                                            &TsiLangDispatcher::SetNumOfLanguages),
         StringsProperty<TsiLangDispatcher>("LangNames", &TsiLangDispatcher::LangNames,
                                            &TsiLangDispatcher::SetLangNames),
         IntegerProperty<TsiLangDispatcher>("ActiveLanguage", &TsiLangDispatcher::ActiveLanguage,
                                            &TsiLangDispatcher::SetActiveLanguage),
         StringProperty<TsiLangDispatcher>("Language", &TsiLangDispatcher::Language,
                                           &TsiLangDispatcher::SetLanguage),
         StringProperty<TsiLangDispatcher>("FileName", &TsiLangDispatcher::FileName,
                                           &TsiLangDispatcher::SetFileName)});
    return info;
}

void TsiLangDispatcher::SetActiveLanguage(int n)
{
    activeLanguage_ = n;
    for (TsiLang* component : std::vector<TsiLang*>(linked_)) component->SetActiveLanguage(n);
    if (!Loading() && static_cast<int>(langNames_.size()) >= n && n >= 1)
        language_ = langNames_[static_cast<std::size_t>(n - 1)];
}

void TsiLangDispatcher::SetNumOfLanguages(int n)
{
    numOfLanguages_ = n;
    while (static_cast<int>(langNames_.size()) < n)
        langNames_.push_back("Language N" + std::to_string(langNames_.size() + 1));
    if (n >= 0) langNames_.resize(static_cast<std::size_t>(n));
    for (TsiLang* component : linked_) component->SetNumOfLanguages(n);
}

void TsiLangDispatcher::SetLangNames(const TStringList& names)
{
    if (&names == &langNames_) return;
    langNames_ = names;
    if (!names.empty() && activeLanguage_ >= 1 && activeLanguage_ <= static_cast<int>(names.size()))
        language_ = names[static_cast<std::size_t>(activeLanguage_ - 1)];
    for (TsiLang* component : linked_) {
        component->langNames_ = names;
        if (!language_.empty()) component->SetLanguage(language_);
    }
    SetNumOfLanguages(std::max<int>(1, static_cast<int>(names.size())));
}

void TsiLangDispatcher::SetLanguage(const std::string& name)
{
    if (name == language_) return;
    const auto found = std::find(langNames_.begin(), langNames_.end(), name);
    if (!langNames_.empty() && found == langNames_.end())
        throw ELanguageError("Language name shall be included in LangNames property!");
    language_ = name;
    if (!Loading() && !langNames_.empty())
        SetActiveLanguage(static_cast<int>(found - langNames_.begin()) + 1);
}

void TsiLangDispatcher::AddLang(TsiLang* component)
{
    RemoveLang(component);
    linked_.push_back(component);
    component->SetNumOfLanguages(numOfLanguages_);
    component->langNames_ = langNames_;
    component->SetActiveLanguage(activeLanguage_);
    component->language_ = language_;
}

void TsiLangDispatcher::RemoveLang(TsiLang* component)
{
    const auto found = std::find(linked_.begin(), linked_.end(), component);
    if (found != linked_.end()) linked_.erase(found);
}

}  // namespace zelvora
