; The setup's own texts in the program's four languages.
LangString StartNowText ${LANG_ENGLISH} "Start Zelvora now"
LangString StartNowText ${LANG_GERMAN} "Zelvora jetzt starten"
LangString StartNowText ${LANG_FRENCH} "Démarrer Zelvora maintenant"
LangString StartNowText ${LANG_ROMANIAN} "Porneşte Zelvora acum"

; As the program's menu item says it.
LangString AutostartText ${LANG_ENGLISH} "Start with Windows"
LangString AutostartText ${LANG_GERMAN} "Mit Windows starten"
LangString AutostartText ${LANG_FRENCH} "Démarrer avec Windows"
LangString AutostartText ${LANG_ROMANIAN} "Porneşte odată cu Windows"

LangString SetupAlreadyRunning ${LANG_ENGLISH} "The Zelvora setup is already running. Please finish it first."
LangString SetupAlreadyRunning ${LANG_GERMAN} "Das Zelvora-Setup läuft bereits. Bitte schließen Sie es zuerst ab."
LangString SetupAlreadyRunning ${LANG_FRENCH} "L'installation de Zelvora est déjà en cours. Veuillez d'abord la terminer."
LangString SetupAlreadyRunning ${LANG_ROMANIAN} "Instalarea Zelvora rulează deja. Vă rugăm să o încheiaţi mai întâi."

LangString FolderNotWritable ${LANG_ENGLISH} "Zelvora cannot be installed in$\r$\n$INSTDIR$\r$\nbecause that folder cannot be written. Nothing was changed. Please choose another folder."
LangString FolderNotWritable ${LANG_GERMAN} "Zelvora kann nicht in$\r$\n$INSTDIR$\r$\ninstalliert werden, weil dieser Ordner nicht beschrieben werden kann. Es wurde nichts verändert. Bitte wählen Sie einen anderen Ordner."
LangString FolderNotWritable ${LANG_FRENCH} "Zelvora ne peut pas être installé dans$\r$\n$INSTDIR$\r$\ncar ce dossier n'est pas accessible en écriture. Rien n'a été modifié. Veuillez choisir un autre dossier."
LangString FolderNotWritable ${LANG_ROMANIAN} "Zelvora nu poate fi instalat în$\r$\n$INSTDIR$\r$\ndeoarece în acest dosar nu se poate scrie. Nu s-a modificat nimic. Vă rugăm să alegeţi alt dosar."

LangString ZelvoraStillRunning ${LANG_ENGLISH} "Zelvora is still running and did not end. Please close it, then choose Retry."
LangString ZelvoraStillRunning ${LANG_GERMAN} "Zelvora läuft noch und wurde nicht beendet. Bitte schließen Sie es und wählen Sie dann Wiederholen."
LangString ZelvoraStillRunning ${LANG_FRENCH} "Zelvora est toujours en cours d'exécution. Veuillez le fermer, puis choisir Réessayer."
LangString ZelvoraStillRunning ${LANG_ROMANIAN} "Zelvora încă rulează. Vă rugăm să îl închideţi, apoi alegeţi Reîncercare."

LangString KeepSettingsQuestion ${LANG_ENGLISH} "Keep your Zelvora settings (pen, colour, shortcuts) for a later installation?"
LangString KeepSettingsQuestion ${LANG_GERMAN} "Ihre Zelvora-Einstellungen (Stift, Farbe, Tastenkürzel) für eine spätere Installation behalten?"
LangString KeepSettingsQuestion ${LANG_FRENCH} "Conserver vos réglages de Zelvora (crayon, couleur, raccourcis) pour une installation ultérieure ?"
LangString KeepSettingsQuestion ${LANG_ROMANIAN} "Păstraţi setările Zelvora (creion, culoare, comenzi rapide) pentru o instalare ulterioară?"

LangString FolderNotOurs ${LANG_ENGLISH} "The folder$\r$\n$INSTDIR$\r$\nalready holds other files. Zelvora is not installed there, so that no file of another program is replaced or later removed. Please choose an empty folder."
LangString FolderNotOurs ${LANG_GERMAN} "Der Ordner$\r$\n$INSTDIR$\r$\nenthält bereits andere Dateien. Zelvora wird dort nicht installiert, damit keine Datei eines anderen Programms ersetzt oder später entfernt wird. Bitte wählen Sie einen leeren Ordner."
LangString FolderNotOurs ${LANG_FRENCH} "Le dossier$\r$\n$INSTDIR$\r$\ncontient déjà d'autres fichiers. Zelvora n'y est pas installé, afin qu'aucun fichier d'un autre programme ne soit remplacé ou supprimé plus tard. Veuillez choisir un dossier vide."
LangString FolderNotOurs ${LANG_ROMANIAN} "Dosarul$\r$\n$INSTDIR$\r$\nconţine deja alte fişiere. Zelvora nu este instalat acolo, pentru ca niciun fişier al altui program să nu fie înlocuit sau şters mai târziu. Vă rugăm să alegeţi un dosar gol."
