// A window's translation component and the dispatcher that switches every window's language.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "i18n/TranslationStore.h"
#include "toolkit/Component.h"

namespace zelvora {

class TsiLangDispatcher;

enum class TTranslateType { ttNoChange, ttGetDefault };
inline constexpr unsigned loUseExtUDStrings = 1, loUseExtCommonStrings = 2;

// Charset names of translation cells; nothing for a name outside the list.
std::optional<int> CharsetFromName(std::string_view name, bool ignoreCase);

class TsiLang : public TComponent {
public:
    explicit TsiLang(TComponent* owner);
    ~TsiLang() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Where payloads named by TranslationResource come from (the program's resources).
    using TPayloadSource = std::function<std::string(const std::string& name)>;
    static void SetPayloadSource(TPayloadSource source);

    std::string Version() const { return "v5.2.0"; }
    void SetVersion(const std::string&) {}
    int NumOfLanguages() const { return numOfLanguages_; }
    void SetNumOfLanguages(int n);
    int ActiveLanguage() const { return activeLanguage_; }
    void SetActiveLanguage(int n);
    const TStringList& LangNames() const { return langNames_; }
    void SetLangNames(const TStringList& names);
    std::string Language() const { return language_; }
    void SetLanguage(const std::string& name);
    int LangDelim() const { return static_cast<unsigned char>(store_.Delimiter()); }
    void SetLangDelim(int delimiter);
    TsiLangDispatcher* LangDispatcher() const { return dispatcher_; }
    void SetLangDispatcher(TsiLangDispatcher* dispatcher);
    TTranslateType TranslateType() const { return translateType_; }
    void SetTranslateType(TTranslateType type) { translateType_ = type; }
    unsigned Options() const { return options_; }
    void SetOptions(unsigned options) { options_ = options; }
    const TStringList& DoNotTranslate() const { return doNotTranslate_; }
    void SetDoNotTranslate(const TStringList& names) { doNotTranslate_ = names; }
    const TStringList& ExcludedProperties() const { return excludedProperties_; }
    void SetExcludedProperties(const TStringList& names) { excludedProperties_ = names; }
    const TStringList& SmartExcludeProps() const { return smartExcludeProps_; }
    void SetSmartExcludeProps(const TStringList& paths) { smartExcludeProps_ = paths; }
    const TStringList& StringsTypes() const { return stringsTypes_; }
    void SetStringsTypes(const TStringList& types) { stringsTypes_ = types; }
    bool ChangeLocales() const { return changeLocales_; }
    void SetChangeLocales(bool value) { changeLocales_ = value; }
    bool NeedAllDlgs() const { return needAllDlgs_; }
    void SetNeedAllDlgs(bool value) { needAllDlgs_ = value; }
    bool DoRaiseExceptions() const { return doRaiseExceptions_; }
    void SetDoRaiseExceptions(bool value) { doRaiseExceptions_ = value; }
    bool IsInheritedOwner() const { return isInheritedOwner_; }
    void SetIsInheritedOwner(bool value) { isInheritedOwner_ = value; }
    int ChangingCursor() const { return changingCursor_; }
    void SetChangingCursor(int cursor) { changingCursor_ = cursor; }
    const std::string& TranslationResource() const { return translationResource_; }
    // Reads the payload of that name: the sections it names replace the current ones.
    void SetTranslationResource(const std::string& name);

    TTranslationStore& Store() { return store_; }
    const TRows& Section(TStringsType type) const { return store_.Section(type); }
    // Sets a section's rows at run time and applies that section alone.
    void SetSection(TStringsType type, const TRows& rows);

    void ReadTranslationData(std::string_view payload) { store_.ReadTranslationData(payload); }
    std::string WriteTranslationData() const { return store_.WriteTranslationData(); }
    virtual void ApplyLanguage();
    std::string GetNamedString(std::string_view name) const;
    void Loaded() override;

    TEventRef OnChangeLanguage;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TsiLangDispatcher;
    void ApplyTo(TComponent& window);
    void ApplyWindowRow(TComponent& window, TStringsType type, const char* property);
    void ApplyWindowFont(TComponent& window);
    void ApplyPass(TComponent& window, TStringsType type);
    void LinkNow();

    TTranslationStore store_;
    int numOfLanguages_ = 1;
    int activeLanguage_ = 1;
    TStringList langNames_{"Language N1"};
    std::string language_ = "Language N1";
    TsiLangDispatcher* dispatcher_ = nullptr;
    TTranslateType translateType_ = TTranslateType::ttNoChange;
    unsigned options_ = 0;
    TStringList doNotTranslate_, excludedProperties_, smartExcludeProps_;
    TStringList stringsTypes_{"TIB_STRINGLIST", "TSTRINGLIST"};
    bool changeLocales_ = false, needAllDlgs_ = false, doRaiseExceptions_ = false, isInheritedOwner_ = false;
    int changingCursor_ = -1;
    std::string translationResource_;
    int sectionSelector_ = -1;
};

class TsiLangDispatcher : public TComponent {
public:
    explicit TsiLangDispatcher(TComponent* owner);
    ~TsiLangDispatcher() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int ActiveLanguage() const { return activeLanguage_; }
    void SetActiveLanguage(int n);
    int NumOfLanguages() const { return numOfLanguages_; }
    void SetNumOfLanguages(int n);
    const TStringList& LangNames() const { return langNames_; }
    void SetLangNames(const TStringList& names);
    std::string Language() const { return language_; }
    void SetLanguage(const std::string& name);
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name) { fileName_ = name; }

    void AddLang(TsiLang* component);
    void RemoveLang(TsiLang* component);
    const std::vector<TsiLang*>& Linked() const { return linked_; }

private:
    int activeLanguage_ = 1;
    int numOfLanguages_ = 1;
    TStringList langNames_{"Language N1"};
    std::string language_;
    std::string fileName_;
    std::vector<TsiLang*> linked_;
};

}  // namespace zelvora
