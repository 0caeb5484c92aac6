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
