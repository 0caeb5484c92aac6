#include "i18n/NamedMessages.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(NamedMessages, CantRegisterHotkeyInEveryLanguage)
{
    EXPECT_EQ(GetNamedString("sCantRegisterHotkey", 1),
              "Der Hotkey %s konnte nicht registriert werden. Bitte w\xE4hlen Sie einen anderen aus.");
    EXPECT_EQ(GetNamedString("sCantRegisterHotkey", 2), "Can't register the hotkey %s. Please select another.");
    EXPECT_EQ(GetNamedString("sCantRegisterHotkey", 3),
              "Il n'est pas possible d'enregistrer %s comme raccourci clavier. Choisissez une autre combinaison.");
    // Windows-1250: i circumflex 0xEE, a breve 0xE3, t cedilla 0xFE.
    EXPECT_EQ(GetNamedString("sCantRegisterHotkey", 4),
              "Nu pot \xEEnregistra scurt\xE3tura %s. V\xE3 rog alege\xFEi alta.");
}

TEST(NamedMessages, InstructionTextsInEveryLanguage)
{
    EXPECT_EQ(GetNamedString("sPaint", 1),
              "Halten Sie %s gedr\xFC" "ckt und fahren Sie mit der Maus um zu zeichnen. Mit %s wird das gezeichnete "
              "wieder gel\xF6scht.");
    EXPECT_EQ(GetNamedString("sPaint", 2), "To draw hold down %s and move the mouse. Press %s to delete the drawing");
    // Windows-1250: s cedilla 0xBA, t cedilla 0xFE.
    EXPECT_EQ(GetNamedString("sPaint", 4).substr(0, 35), "Pentru a desena \xFEine\xFEi ap\xE3sat %s \xBAi");
    EXPECT_EQ(GetNamedString("sMode", 3), "Appuyez sur %s pour changer de mode.");
    EXPECT_EQ(GetNamedString("sPenAndPanel", 1), "Stift und Fl\xE4" "che");
    EXPECT_EQ(GetNamedString("sPenAndPanel", 4), "Creion \xBAi culoare de umplere");
    EXPECT_EQ(GetNamedString("sPaintPanel", 2), "Drawing");
    EXPECT_EQ(GetNamedString("sModePanel", 4), "Mod");
}

TEST(NamedMessages, UnknownNameOrLanguageGivesEmptyText)
{
    EXPECT_EQ(GetNamedString("sNoSuchMessage", 2), "");
    EXPECT_EQ(GetNamedString("scantregisterhotkey", 2), "");
    EXPECT_EQ(GetNamedString("sCantRegisterHotkey", 0), "");
    EXPECT_EQ(GetNamedString("sCantRegisterHotkey", 5), "");
    EXPECT_EQ(GetNamedString("sCantRegisterHotkey", -1), "");
}

}  // namespace
}  // namespace zelvora
