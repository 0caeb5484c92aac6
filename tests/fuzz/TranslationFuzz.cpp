// Translation payloads are data: any bytes read into a store and applied in every language must
// neither crash, hang nor leak.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../unit/LanguageTestComponents.h"
#include "i18n/TranslationComponent.h"

using namespace zelvora;

namespace {

// A window with three controls and a translation component loaded from the payload.
TsiLang& LoadTranslations(testing::TTestWindow& window, std::string_view payload,
                          TsiLangDispatcher& dispatcher)
{
    for (const char* name : {"lblInfo", "Memo", "btnOk"})
        TComponent::Create<testing::TTestControl>(window).SetName(name);
    auto& lang = TComponent::Create<TsiLang>(window);
    lang.BeginLoading();
    lang.SetNumOfLanguages(5);
    lang.ReadTranslationData(payload);
    lang.SetLangDispatcher(&dispatcher);
    lang.Loaded();
    return lang;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view payload(reinterpret_cast<const char*>(data), size);
    TComponent owner(nullptr);
    TsiLangDispatcher dispatcher(&owner);
    dispatcher.SetNumOfLanguages(4);
    dispatcher.SetLangNames({"Deutsch", "English", "French", "Romanian"});

    testing::TTestWindow window("TfrmFuzz");
    auto& lang = LoadTranslations(window, payload, dispatcher);
    for (int language : {2, 4, 3, 1, 4}) {
        dispatcher.SetActiveLanguage(language);
        (void)lang.GetNamedString("sPaint");
        (void)lang.GetNamedString(payload.substr(0, 16));
    }
    // Written back and read again, the payload keeps its rows: writing it once more gives the same
    // bytes, and every language answers the same named strings.
    const std::string written = lang.WriteTranslationData();
    testing::TTestWindow copy("TfrmFuzz");  // one translation component per window
    auto& again = LoadTranslations(copy, written, dispatcher);
    if (again.WriteTranslationData() != written) std::abort();
    for (int language : {1, 2, 3, 4}) {
        dispatcher.SetActiveLanguage(language);
        for (const std::string_view name : {std::string_view("sPaint"), payload.substr(0, 16)})
            if (again.GetNamedString(name) != lang.GetNamedString(name)) std::abort();
    }
    return 0;
}
