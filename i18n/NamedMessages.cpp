#include "i18n/NamedMessages.h"

#include <array>

namespace zelvora {

namespace {

struct NamedMessage {
    std::string_view Name;
    std::array<std::string_view, kLanguageCount> Texts;  // 1252, 1252, 1252, 1250
};

constexpr std::array<NamedMessage, 1> kMessages{{
    {"sCantRegisterHotkey",
     {"Der Hotkey %s konnte nicht registriert werden. Bitte w\xE4hlen Sie einen anderen aus.",
      "Can't register the hotkey %s. Please select another.",
      "Il n'est pas possible d'enregistrer %s comme raccourci clavier. Choisissez une autre "
      "combinaison.",
      "Nu pot \xEEnregistra scurt\xE3tura %s. V\xE3 rog alege\xFEi alta."}},
}};

}  // namespace

std::string GetNamedString(std::string_view name, int language)
{
    if (language < 1 || language > kLanguageCount) return {};
    for (const NamedMessage& message : kMessages)
        if (message.Name == name) return std::string(message.Texts[static_cast<std::size_t>(language - 1)]);
    return {};
}

}  // namespace zelvora
