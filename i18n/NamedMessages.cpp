#include "i18n/NamedMessages.h"

#include <array>

namespace zelvora {

namespace {

struct NamedMessage {
    std::string_view Name;
    std::array<std::string_view, kLanguageCount> Texts;  // 1252, 1252, 1252, 1250
};

constexpr std::array<NamedMessage, 6> kMessages{{
    {"sPaint",
     {"Halten Sie %s gedr\xFC" "ckt und fahren Sie mit der Maus um zu zeichnen. Mit %s wird das gezeichnete "
      "wieder gel\xF6scht.",
      "To draw hold down %s and move the mouse. Press %s to delete the drawing",
      "Appuyez sur %s pour activer le crayon et d\xE9placez la souris pour dessiner. Appuyez sur %s pour "
      "supprimer les dessins",
      "Pentru a desena \xFEine\xFEi ap\xE3sat %s \xBAi mi\xBA" "ca\xFEi \xBAoarecele. Ap\xE3sa\xFEi %s pentru a "
      "\xBAterge desenul."}},
    {"sMode",
     {"Mit der Tastenkombination %s kann der Modus gewechselt werden.", "Press %s to change the mode.",
      "Appuyez sur %s pour changer de mode.", "Ap\xE3sa\xFEi %s pentru a schimba modul."}},
    {"sPenAndPanel", {"Stift und Fl\xE4" "che", "Pen and Fill", "Crayon et remplissage", "Creion \xBAi culoare de umplere"}},
    {"sPaintPanel", {"Zeichnen", "Drawing", "Dessin", "Desen"}},
    {"sModePanel", {"Modus", "Mode", "Mode", "Mod"}},
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
