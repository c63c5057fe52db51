; The installer's and uninstaller's own texts in the three shipped languages.
; NSIS's Modern UI brings everything else (page texts, buttons, install-mode page).

LangString DESC_SHORTCUT ${LANG_ENGLISH} "Shows and manages the programs Windows starts at logon"
LangString DESC_SHORTCUT ${LANG_GERMAN} "Zeigt und verwaltet die Programme, die Windows bei der Anmeldung startet"
LangString DESC_SHORTCUT ${LANG_FRENCH} "Affiche et gère les programmes que Windows démarre à l'ouverture de session"

LangString ASK_KEEP_DATA ${LANG_ENGLISH} "Keep your Bootmarshal data (block list, backups, language choice)?$\r$\n$\r$\nChoose Yes to keep it for a later installation, No to delete it."
LangString ASK_KEEP_DATA ${LANG_GERMAN} "Ihre Bootmarshal-Daten (Sperrliste, Sicherungen, Sprachwahl) behalten?$\r$\n$\r$\nWählen Sie Ja, um sie für eine spätere Installation zu behalten, Nein, um sie zu löschen."
LangString ASK_KEEP_DATA ${LANG_FRENCH} "Conserver vos données de Bootmarshal (liste de blocage, sauvegardes, choix de la langue) ?$\r$\n$\r$\nChoisissez Oui pour les garder pour une installation ultérieure, Non pour les supprimer."

LangString ASK_SWITCH_ON ${LANG_ENGLISH} "Autostart entries switched off with Bootmarshal: $0.$\r$\n$\r$\nYes: switch them all back on; Windows will start them again at logon.$\r$\nNo: keep them switched off; the small helper inactive.exe, which starts nothing, then stays in $INSTDIR so that they do not point at a missing program."
LangString ASK_SWITCH_ON ${LANG_GERMAN} "Mit Bootmarshal ausgeschaltete Autostart-Einträge: $0.$\r$\n$\r$\nJa: alle wieder einschalten; Windows startet sie dann wieder bei der Anmeldung.$\r$\nNein: ausgeschaltet lassen; das kleine Hilfsprogramm inactive.exe, das nichts startet, bleibt dann in $INSTDIR, damit sie nicht auf ein fehlendes Programm zeigen."
LangString ASK_SWITCH_ON ${LANG_FRENCH} "Entrées de démarrage automatique désactivées avec Bootmarshal : $0.$\r$\n$\r$\nOui : les réactiver toutes ; Windows les démarrera de nouveau à l'ouverture de session.$\r$\nNon : les laisser désactivées ; le petit programme inactive.exe, qui ne démarre rien, reste alors dans $INSTDIR pour qu'elles ne pointent pas vers un programme absent."

LangString COMPANION_KEPT ${LANG_ENGLISH} "inactive.exe stays in $INSTDIR: switched-off entries still start it. Switch them on or delete them with Bootmarshal, then the folder can go."
LangString COMPANION_KEPT ${LANG_GERMAN} "inactive.exe bleibt in $INSTDIR: ausgeschaltete Einträge starten es noch. Schalten Sie sie mit Bootmarshal ein oder löschen Sie sie, dann kann der Ordner weg."
LangString COMPANION_KEPT ${LANG_FRENCH} "inactive.exe reste dans $INSTDIR : des entrées désactivées le démarrent encore. Réactivez-les ou supprimez-les avec Bootmarshal, puis le dossier peut être supprimé."
