#!/usr/bin/env python3
"""Writes the shipped language files Bootmarshal.t00 (Deutsch), .t01 (English)
and .t02 (Français) from the texts below.

The committed .t0x files are what ships; this script is only a convenient way to
edit them. After changing a text here, run it once from any folder and commit
the script together with the three files. Every text number that the program
fetches must be present in all three languages.

Format: 8-bit Windows-1252, CR LF after every line, "[0]" first, the language's
own name second, "[END]" last. A text of several lines is written as several
lines; the program joins them with CR.
"""
import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))
HOME_PAGE = "https://www.veltmanix.com/bootmarshal/"
SUPPORT_MAIL = "support@veltmanix.com"
FORBIDDEN_NAME_CHARACTERS = '/ : * \\ ? " < > |'

COMMON = {
    1: "Bootmarshal",
    2: "Bootmarshal",
    3: HOME_PAGE,
    4: SUPPORT_MAIL,
    21: "Windows x64",
    25: "© Veltmanix",
    35: "Info",
    74: "Run Services",
    75: "Run Services Once",
    # The ribbon in every language but German: colour schemes and neutral tab names.
    423: "Blue",
    424: "Black",
    425: "Silver",
    426: "Skins",
    427: "Help & Contact",
}

# The ribbon's designed captions: German only, since every other language
# replaces them with the commands' own texts.
RIBBON_DEUTSCH = {
    400: "Hauptfunktionen",
    401: "Einstellungen",
    402: "Hilfe & Kontakt",
    403: "Hauptfunktionen",
    404: "Backups",
    405: "Eintragssperren",
    406: "Sonstiges",
    407: "Farbe der Oberfläche",
    408: "Informationen & Hilfe",
    409: "Kontakt zu Veltmanix",
    410: "Neuer Starteintrag",
    411: "Liste aktualisieren",
    412: "Eintragsliste Drucken",
    413: "Backups anfertigen",
    414: "Backups zurückspielen",
    415: "Einträge sperren",
    416: "Windows neu starten",
    417: "Webseite",
    418: "Bootmarshal beenden",
    419: "Über Bootmarshal",
    420: "Hilfe",
    421: "Dokumentation",
    422: "Email senden",
}

DEUTSCH = {
    0: "Deutsch",
    6: "weiter",
    8: "Bitte warten …",
    10: "klicken Sie hier!",
    11: "Einen Eintrag, den Sie gerade nicht brauchen, müssen Sie nicht löschen: "
        "Mit „ändern“ unter „Status:“ schalten Sie ihn vorübergehend ab und später wieder ein.",
    12: "Neuigkeiten, Updates und Antworten auf häufige Fragen zu Bootmarshal finden Sie auf unserer Homepage:",
    13: "Bootmarshal sichert bei jedem Start alle Autostart-Einträge. "
        "Mit „Backups zurückspielen“ stellen Sie jederzeit einen früheren Stand wieder her.",
    14: "Möchten Sie Windows jetzt neu starten?\n"
        "Speichern Sie vorher Ihre offenen Dateien.",
    16: "Ja",
    17: "Nein",
    18: "Version:",
    20: "Plattform:",
    22: "Hersteller:",
    23: "Sprache:",
    24: "Copyright:",
    26: "Eintrag ist vorübergehend inaktiv",
    27: "Eintrag ist aktiv",
    28: "Registry",
    29: "Autostart-Ordner",
    30: "Abschnitt",
    31: "Aktueller Benutzer",
    32: "Alle Benutzer",
    33: "Möchten Sie die Auswahl wirklich löschen?",
    34: "Die Auswahl wurde gelöscht.",
    36: "In den beiden Autostart-Ordnern liegen Verknüpfungen zu Programmen, die Windows bei jeder "
        "Anmeldung startet. Der Ordner „Alle Benutzer“ gilt für jeden, der sich an diesem Computer "
        "anmeldet, der Ordner „Aktueller Benutzer“ nur für Sie. Beide Ordner finden Sie auch im "
        "Startmenü von Windows.",
    37: "In der Registry stehen die meisten Autostart-Einträge. Einträge unter Run starten bei jeder "
        "Anmeldung, Einträge unter RunOnce und RunOnceEx nur ein einziges Mal. RunServices und "
        "RunServicesOnce stammen aus älteren Windows-Versionen und starten besonders früh. Jeden "
        "dieser Abschnitte gibt es einmal für alle Benutzer und einmal für den aktuellen Benutzer.",
    38: "Die Listen load= und run= im Abschnitt [windows] der Datei win.ini sind ein Überbleibsel "
        "älterer Windows-Versionen. Programme darin werden bei der Anmeldung gestartet, mit load= "
        "als Symbol. Neue Einträge legen Sie besser im Autostart-Ordner oder in der Registry an.",
    39: "First Application",
    40: "Der Eintrag ist unvollständig.\n"
        "Bitte geben Sie einen Namen und das\n"
        "zu startende Programm an.",
    41: "Der Name enthält ein unzulässiges\n"
        "Zeichen. Nicht erlaubt sind:\n" + FORBIDDEN_NAME_CHARACTERS,
    42: "Der Eintrag wurde gespeichert.",
    43: "Das Backup wird angefertigt …",
    44: "Das Backup wurde angefertigt.",
    45: "Backup vom",
    46: "Einträge",
    47: "Möchten Sie dieses Backup einspielen?\n"
        "Alle aktuellen Einträge werden ersetzt.",
    48: "Das Backup wurde eingespielt.",
    56: "Name: ",
    57: "ändern",
    58: "Ort der Ausführung: ",
    59: "Zu startendes Programm: ",
    60: "wählen",
    61: "Speichern",
    62: "Nicht speichern",
    63: "Sprache:",
    65: "Supportinformationen: ",
    66: "Unsere Homepage",
    67: "E-Mail an uns senden",
    68: "Über Bootmarshal",
    69: "Information: ",
    70: "Autostart-Ordner",
    71: "Run-Abschnitt",
    72: "RunOnce-Abschnitt",
    73: "RunOnceEx-Abschnitt",
    76: "Bei Programmstarts der Registry: ",
    77: "Für alle Computerbenutzer",
    78: "Nur für den aktuellen Nutzer",
    79: "Win.ini-Datei",
    80: "Load-Abschnitt",
    81: "Run-Abschnitt",
    82: "Fügt das Programm als Symbol in den Startordner 'Autostart' ein, den Sie auch",
    83: "über das Startmenü von Windows sehen können.",
    84: "Hier wird das Programm nur beim aktuellen Nutzer des Computers gestartet.",
    85: "Fügt das Programm als Link in die Registry ein. Hier wird das Programm noch",
    86: "vor den Programmen des Autostart-Ordners gestartet.",
    87: "Hier wird das Programm nur einmal gestartet und dann wieder aus der Registry entfernt.",
    88: "Auch hier wird das Programm nur einmal gestartet, jedoch noch vor RunOnce.",
    89: "Hier wird das Programm zum frühestmöglichen Zeitpunkt (vor den",
    90: "Netzwerkverbindungen) gestartet.",
    91: "Hier wird der Eintrag ebenfalls im Service-Abschnitt ausgeführt, jedoch nur ein einziges Mal.",
    92: "Die Einträge der INI-Datei dienten in alten Windows-Versionen",
    93: "zum Start und sind veraltet.",
    94: "Bitte wählen Sie ein Backup aus, welches",
    95: "Sie nun wiederherstellen möchten:",
    96: "Backups: ",
    97: "Backup löschen",
    98: "Backup einspielen",
    # The backup commands' own messages.
    360: "Die Sprache „%s“ konnte nicht gelesen werden.\n"
         "Die bisherige Sprache bleibt eingestellt.",
    361: "Die Texte der Sprache „%s“ konnten nicht gespeichert werden.\n"
         "Die bisherige Sprache bleibt eingestellt.",
    362: "nach %s kann nicht geschrieben werden",
    363: "\"%s\" ist keine gültige XML-Datei!",
    364: "Datei \"%s\" kann nicht geöffnet werden",
    365: "Datei \"%s\" kann nicht gelesen werden",
    366: "Datei \"%s\" kann nicht erstellt werden",
    367: "\"%s\" ist keine gültige Backup-Datei: %s",
    368: "in \"%s\" fehlt das Element \"%s\"",
    369: "es fehlt das Element \"%s\"",
    370: "das Datum \"%s\" passt nicht zu den Ländereinstellungen",
    371: "\"%s\" in \"%s\" ist keine Zahl",
    372: "nach der XML-Deklaration folgt kein lesbarer Inhalt",
    350: "Die aktuellen Einträge konnten vorher nicht gesichert werden.\n"
         "Das Backup wurde deshalb nicht eingespielt; es wurde nichts verändert.",
    351: "Das Backup wurde eingespielt, bis auf diese Einträge:",
    352: "Diese Einträge konnten nicht entfernt werden und sind noch da:",
    353: "Die Backup-Datei konnte nicht gespeichert werden:",
    105: "Funktionen",
    106: "Neuer Starteintrag",
    107: "Liste aktualisieren",
    108: "Backup anfertigen",
    109: "Backups verwalten",
    110: "Windows neu starten",
    111: "Über Bootmarshal",
    112: "Hilfe",
    113: "Dokumentation",
    114: "Webseite",
    115: "E-Mail senden",
    116: "Bootmarshal beenden",
    117: "Quellen von Bootmarshal",
    118: "Aktuelle Informationen",
    119: "Aktueller Computernutzer",
    120: "Gefundene Einträge: ",
    121: "Details: ",
    122: "Eintrag:",
    123: "Eintrag löschen",
    124: "Eintrag ändern",
    125: "Eintrag starten",
    126: "Status:",
    127: "Ort der Ausführung: ",
    128: "ändern / Info",
    129: "Alle Computerbenutzer",
    131: "Standardeinträge von Windows werden in Orange dargestellt.",
    132: "Standardeintrag von Windows",
    133: "Eintragsliste drucken",
    134: "Bootmarshal - Liste der Autostart-Einträge",
    135: "Deaktivieren und bei Neueintrag automatisch löschen",
    137: "Sperren",
    138: "Sperre aufheben und Eintrag wieder aktivieren",
    139: "Gesperrte Einträge: ",
    140: "Ein gesperrter Eintrag bleibt an seinem Ort, ist aber abgeschaltet.\n"
         "Taucht derselbe Befehl wieder als aktiver Eintrag auf, löscht\n"
         "Bootmarshal ihn bei jeder Anmeldung an Windows automatisch.\n"
         "Löschen Sie eine Zeile aus der Liste, um die Sperre aufzuheben.",
    300: "Dieser Eintrag hat keinen Befehl, der gesperrt werden könnte.\n"
         "Eine leere Zeile in der Sperrliste würde bei jeder Anmeldung alle\n"
         "Einträge ohne Befehl löschen. Es wurde nichts verändert.",
    301: "Dies ist die Sperrprüfung von Bootmarshal selbst. Wenn sie gesperrt\n"
         "wäre, würde keine Sperre mehr wirken. Es wurde nichts verändert.",
    302: "Die Sperrliste konnte nicht gespeichert werden:",
    303: "Dieser Befehl kann nicht in die Sperrliste aufgenommen werden.\n"
         "Es wurde nichts verändert.",
    304: "Der Eintrag konnte nicht abgeschaltet werden.\n"
         "Der Befehl wurde wieder aus der Sperrliste genommen.",
    305: "Die Sperre wurde aufgehoben, aber der Eintrag konnte nicht wieder\n"
         "eingeschaltet werden.",
    306: "Der Eintrag wurde nicht geändert.",
    307: "Der Eintrag wurde nicht gelöscht.",
    310: "Dafür fehlen Ihnen die Rechte. Einträge für alle Benutzer lassen sich nur\n"
         "mit Administratorrechten ändern.",
    311: "An diesem Ort gibt es schon einen Eintrag mit diesem Namen.",
    312: "Der Eintrag hat sich verändert, seit die Liste eingelesen wurde.\n"
         "Die Liste zeigt jetzt den aktuellen Stand.",
    313: "Dieser Name kann an diesem Ort nicht gespeichert werden.",
    314: "Dieser Befehl kann an diesem Ort nicht gespeichert werden.",
    315: "Der Wert in der Registry ist kein Text; Bootmarshal verändert ihn nicht.",
    316: "Der Eintrag hat keinen gültigen Ort.",
    317: "Windows hat das Schreiben des Eintrags abgelehnt.",
    319: "Diese Bootmarshal-Kopie läuft mit Administratorrechten und ändert nur\n"
         "Einträge für alle Benutzer.",
    318: "Achtung: Der Eintrag konnte weder geschrieben noch an seinem alten Ort\n"
         "wiederhergestellt werden. Bitte legen Sie ihn neu an:",
    320: "Es ist kein Drucker eingerichtet. Die Liste wurde nicht gedruckt.",
    321: "Beim Drucken ist ein Fehler aufgetreten. Die Liste wurde nicht\n"
         "vollständig gedruckt.",
    322: "Ein unerwarteter Fehler ist aufgetreten:",
    380: "32-Bit",
    381: "Von Windows abgeschaltet (Task-Manager oder Einstellungen)",
    382: "Von einem anderen Programm abgeschaltet (AutorunsDisabled)",
    383: "Startet nicht: Programm fehlt:",
    384: "Startet nicht: Windows NT startet diesen Ort nicht",
    385: "Startet nicht: Windows hat den Eintrag abgeschaltet",
    386: "Dies ist ein RunOnce-Eintrag. Windows löscht ihn, sobald es ihn startet:\n"
         "Abgeschaltet ist er nach der nächsten Anmeldung verschwunden.\n"
         "Möchten Sie ihn trotzdem abschalten?",
    387: "Nach der nächsten Anmeldung ist er verschwunden (RunOnce).",
    388: "Möchten Sie Bootmarshal jetzt mit Administratorrechten neu starten,\n"
         "um Einträge für alle Benutzer zu ändern?",
    389: "(Administrator: nur Einträge für alle Benutzer)",
    390: "Rot: startet nicht (siehe Details).",
    391: "Alle Benutzer, 32-Bit-Programme",
    392: "Bootmarshal konnte nicht mit Administratorrechten gestartet werden.",
    428: "Die Sprachdatei %s ist beschädigt oder unvollständig.\n"
         "Fehlende Texte werden aus den mitgelieferten Sprachdateien von Bootmarshal genommen.",
    429: "Zeile %s: erwartet wird %s",
    430: "ein Elementname",
    431: "ein Element",
    432: "das Dateiende",
    433: "ein bekanntes Zeichen statt %s",
    434: "ein druckbares Zeichen",
    435: "Der Befehl von %s steht auf der Sperrliste: Die Sperrprüfung\n"
         "bei der nächsten Anmeldung würde den Eintrag entfernen.\n"
         "Möchten Sie die Sperre aufheben und den Eintrag einschalten?",
    436: "Sperrprüfung bei der Anmeldung (%s):",
    437: "%s gesperrte Einträge entfernt:",
    438: "%s konnten nicht entfernt werden:",
    439: "Die Backup-Datei war nicht lesbar. Sie wurde unverändert aufbewahrt als:\n"
         "%s\n"
         "Die neue Backup-Datei enthält nur die Backups, die sich noch lesen ließen,\n"
         "und diese Änderung.",
    440: "Der Wert ist kein Text; ein Backup enthält seine Daten nicht.",
    441: "Der Windows-Schalter, der den Eintrag abschaltet, ließ sich nicht setzen.",
    442: "Eine Verknüpfung braucht die Programmdatei für sich, doch an keinem Leerzeichen\n"
         "des Befehls endet der Pfad einer vorhandenen Datei. Setzen Sie den Pfad des\n"
         "Programms in Anführungszeichen.",
    443: "Der Eintrag konnte nicht gestartet werden.",
    444: "Die Programmdatei wurde nicht gefunden.",
    445: "Der Ordner des Programms wurde nicht gefunden.",
    446: "Der Zugriff auf das Programm wurde verweigert.",
    447: "Für diese Datei ist kein Programm zum Öffnen eingetragen.",
    448: "Diese Datei ist kein Programm, das Windows starten kann.",
    449: "Der Start wurde abgebrochen.",
    450: "Der Eintrag nennt kein Programm.",
    451: "Windows konnte ihn nicht starten (Fehler %s).",
    452: "Bootmarshal lässt die Datei unverändert. Bevor es das nächste Backup speichert,\n"
         "bewahrt es sie unter einem eigenen Namen daneben auf.",
    453: "Möchten Sie diesen Eintrag wirklich löschen?",
    454: "(Wert vom Typ %s, kein Programm)",
    455: "(leer, kein Programm)",
    456: "Strg",
    457: "Entf",
    458: "Eingabe",
    459: "Von einer Richtlinie gesetzt; wird über die Gruppenrichtlinien geändert",
    460: "Von der Windows-Anmeldung (Winlogon) gestartet; nur im Registrierungs-Editor zu ändern",
    461: "Hersteller:",
    462: "keine Versionsinformationen",
    463: "Art",
    464: "Ort",
    465: "Name",
    466: "Befehl",
    467: "Aktiv",
    468: "Abgeschaltet von",
    469: "Startet nicht",
    470: "Systemeintrag",
    471: "Bootmarshal",
    472: "Windows",
    473: "anderes Werkzeug",
    474: "Programm fehlt",
    475: "Windows NT startet diesen Ort nicht",
    476: "von Windows abgeschaltet",
    477: "Aufruf:\n"
         "  Bootmarshal /list [/csv | /json] [/out DATEI]   alle Autostart-Einträge auflisten\n"
         "  Bootmarshal /backup                             ein Backup aller Einträge anlegen\n"
         "  Bootmarshal /block \"Befehl\"                   Befehl sperren, passende Einträge abschalten\n"
         "  Bootmarshal /release \"Befehl\"                 Sperre aufheben, passende Einträge einschalten\n"
         "  Bootmarshal /compare N [/csv | /json] [/out DATEI]   Änderungen seit Backup N (1 = neuestes)\n"
         "  Bootmarshal /help oder /?                       diese Hilfe\n"
         "Rückgabewerte: 0 erledigt, 1 nichts gefunden, 2 falscher Aufruf,\n"
         "3 Zugriff verweigert, 4 eine Datei konnte nicht geschrieben werden.",
    478: "Unbekannter oder unvollständiger Schalter: %s (Bootmarshal /? zeigt die Hilfe)",
    479: "Kein Eintrag passt zu %s",
    480: "Zugriff verweigert: %s",
    481: "Gesperrt und abgeschaltet: %s",
    482: "Freigegeben und eingeschaltet: %s",
    483: "Backup angelegt: %s",
    484: "Es gibt kein Backup Nummer %s",
    485: "Nicht geändert: %s",
    486: "Änderung",
    487: "hinzugekommen",
    488: "entfernt",
    489: "geändert",
    490: "verschoben",
    491: "Art vorher",
    492: "Befehl vorher",
    493: "Aktiv vorher",
    494: "Filter:",
    495: "Name oder Befehl (Strg+E)",
    496: "Hersteller",
    497: "Zustand",
    498: "Computer: %s",
    499: "Benutzer: %s",
    500: "Gedruckt am %s",
    501: "Seite %s von %s",
    502: "%s: %s",
    503: "Mit jetzt vergleichen",
    504: "Änderungen seit dem Backup vom %s",
    505: "Einträge, die seit dem Backup hinzugekommen, entfernt oder geändert wurden. Ein entfernter oder "
         "geänderter Eintrag lässt sich einzeln so zurückholen, wie das Backup ihn enthält.",
    506: "Seit diesem Backup hat sich nichts geändert.",
    507: "Was sich geändert hat",
    508: "Befehl vorher: %s",
    509: "vorher eingeschaltet",
    510: "vorher abgeschaltet",
    511: "Ort vorher: %s",
    512: "Zurückholen",
    513: "Schließen",
    514: "Möchten Sie den Eintrag %s so zurückholen, wie das Backup ihn enthält?\n"
         "Nur dieser Eintrag wird geändert; vorher wird ein Backup des jetzigen Stands angelegt.",
    515: "Der Eintrag %s ist zurückgeholt.",
    516: "Der Eintrag %s konnte nicht zurückgeholt werden.",
    517: "Es wurde nichts geändert: das Backup des jetzigen Stands konnte nicht gespeichert werden.",
    518: "Eine geplante Aufgabe wird hier nur ein- und ausgeschaltet; angelegt, geändert\n"
         "und verschoben wird sie in der Aufgabenplanung.",
    519: "Startet nicht: die Aufgabe ist in der Aufgabenplanung deaktiviert",
    520: "Startet nicht: ihre Anmelde- und Start-Trigger sind deaktiviert",
    521: "Startet nicht: sie startet nur bei der Anmeldung eines anderen Benutzers",
    522: "Aufgabe deaktiviert",
    523: "Trigger deaktiviert",
    524: "nur bei Anmeldung anderer Benutzer",
    525: "Aufgabenplanung",
    526: "Geplante Aufgaben, die bei der Anmeldung oder beim Start von Windows ein Programm\n"
         "starten. Hier werden sie nur ein- und ausgeschaltet oder gelöscht; die Aufgaben von\n"
         "Windows selbst zeigt das Kästchen \"Aufgaben von Windows\".",
    527: "Bei Anmeldung oder Start",
    528: "Aufgaben von Windows",
    529: "Die Starttask einer Paket-App wird nicht gelöscht: Sie verschwindet mit der App, wenn diese\n"
         "deinstalliert wird. Schalten Sie sie stattdessen ab.",
    530: "Startet nicht: eine Richtlinie hält diese Starttask abgeschaltet",
    531: "von einer Richtlinie abgeschaltet",
    532: "Aufgaben und Apps",
    533: "Apps aus dem Microsoft Store (Paket-Apps) starten bei der Anmeldung über eigene Starttasks. Sie werden "
         "hier wie in den Einstellungen ab- und eingeschaltet, aber nie gelöscht oder geändert.",
    534: "Paket-Apps",
    535: "Starttask einer App",
    536: "Drücken",
    537: "Aktivieren",
    538: "Deaktivieren",
    539: "Wechseln",
    540: "Doppelklicken",
}

ENGLISH = {
    0: "English",
    6: "Continue",
    8: "Please wait…",
    10: "click here!",
    11: "There is no need to delete an entry you don't need right now: switch it off with "
        "“change” under “Status:” and switch it back on later.",
    12: "News, updates and answers to common questions about Bootmarshal are waiting on our home page:",
    13: "Bootmarshal backs up all startup entries every time it starts. "
        "Use “Manage backups” to return to an earlier state at any time.",
    14: "Do you want to restart Windows now?\n"
        "Please save your open files first.",
    16: "Yes",
    17: "No",
    18: "Version:",
    20: "Platform:",
    22: "Publisher:",
    23: "Language:",
    24: "Copyright:",
    26: "Entry is temporarily inactive",
    27: "Entry is active",
    28: "Registry",
    29: "Startup folder",
    30: "list",
    31: "Current user",
    32: "All users",
    33: "Do you really want to delete\n"
        "the selected item?",
    34: "The selected item has been deleted.",
    36: "The two Startup folders hold shortcuts to programs that Windows starts every time you log on. "
        "The “All users” folder applies to everyone who logs on to this computer, the “Current user” "
        "folder only to you. You can also find both folders in the Windows Start menu.",
    37: "Most startup entries live in the registry. Entries under Run start at every logon, entries "
        "under RunOnce and RunOnceEx only once. RunServices and RunServicesOnce come from older "
        "versions of Windows and start especially early. Each of these keys exists once for all "
        "users and once for the current user.",
    38: "The load= and run= lists in the [windows] section of win.ini are left over from older "
        "versions of Windows. Programs listed there start when you log on, those in load= "
        "minimised. Better add new entries to a Startup folder or to the registry.",
    39: "First Application",
    40: "The entry is incomplete.\n"
        "Please enter a name and the\n"
        "program to start.",
    41: "The name contains a character\n"
        "that is not allowed:\n" + FORBIDDEN_NAME_CHARACTERS,
    42: "The entry has been saved.",
    43: "Making a backup…",
    44: "The backup is complete.",
    45: "Backup of",
    46: "entries",
    47: "Do you want to restore this backup?\n"
        "All current entries will be replaced.",
    48: "The backup has been restored.",
    56: "Name: ",
    57: "change",
    58: "Location: ",
    59: "Program to start: ",
    60: "browse",
    61: "Save",
    62: "Don't save",
    63: "Language:",
    65: "Support information: ",
    66: "Our home page",
    67: "Send us an e-mail",
    68: "About Bootmarshal",
    69: "Information: ",
    70: "Startup folders",
    71: "Run key",
    72: "RunOnce key",
    73: "RunOnceEx key",
    76: "Registry entries apply to: ",
    77: "All users of this computer",
    78: "Only the current user",
    79: "Win.ini file",
    80: "Load list",
    81: "Run list",
    82: "Adds the program as a shortcut to the 'Startup' folder, which you can also",
    83: "see in the Windows Start menu.",
    84: "Here the program starts only for the current user of this computer.",
    85: "Adds the program as a value to the registry. Here the program starts even",
    86: "before the programs in the Startup folder.",
    87: "Here the program starts only once and is then removed from the registry.",
    88: "This, too, starts the program only once, but even before RunOnce.",
    89: "Here the program starts as early as possible (before the",
    90: "network connections are made).",
    91: "Here the entry runs in the services section as well, but only a single time.",
    92: "The entries of the INI file started programs in old versions",
    93: "of Windows and are obsolete.",
    94: "Please select the backup that you",
    95: "would like to restore now:",
    96: "Backups: ",
    97: "Delete backup",
    98: "Restore backup",
    # The backup commands' own messages.
    360: "The language \"%s\" could not be read.\n"
         "The language stays as it was.",
    361: "The texts of the language \"%s\" could not be saved.\n"
         "The language stays as it was.",
    362: "%s cannot be written to",
    363: "\"%s\" is not a valid XML file!",
    364: "File \"%s\" cannot be opened",
    365: "File \"%s\" cannot be read",
    366: "File \"%s\" cannot be created",
    367: "\"%s\" is not a valid backup file: %s",
    368: "in \"%s\" the element \"%s\" is missing",
    369: "the element \"%s\" is missing",
    370: "the date \"%s\" does not match the regional settings",
    371: "\"%s\" in \"%s\" is not a number",
    372: "no readable content follows the XML declaration",
    350: "The current entries could not be backed up first.\n"
         "The backup was therefore not restored; nothing was changed.",
    351: "The backup has been restored except for these entries:",
    352: "These entries could not be removed and are still there:",
    353: "The backup file could not be saved:",
    105: "Commands",
    106: "New startup entry",
    107: "Refresh list",
    108: "Make a backup",
    109: "Manage backups",
    110: "Restart Windows",
    111: "About Bootmarshal",
    112: "Help",
    113: "Documentation",
    114: "Home page",
    115: "Send an e-mail",
    116: "Close Bootmarshal",
    117: "Startup sources",
    118: "News and tips",
    119: "Current user",
    120: "Entries found: ",
    121: "Details: ",
    122: "Command:",
    123: "Delete entry",
    124: "Change entry",
    125: "Launch entry",
    126: "Status:",
    127: "Location: ",
    128: "change / info",
    129: "All users",
    131: "Windows system entries are shown in orange.",
    132: "Windows system entry",
    133: "Print entry list",
    134: "Bootmarshal - list of startup entries",
    135: "Switch off and delete automatically whenever it comes back",
    137: "Blocked entries",
    138: "Unblock and switch the entry on again",
    139: "Blocked entries: ",
    140: "A blocked entry stays where it is, but switched off.\n"
         "If the same command turns up again as an active entry,\n"
         "Bootmarshal deletes it every time you log on to Windows.\n"
         "Delete a line from the list to lift its block.",
    300: "This entry has no command that could be blocked.\n"
         "An empty line on the block list would delete every entry without a\n"
         "command at each logon. Nothing was changed.",
    301: "This is Bootmarshal's own block check. If it were blocked, no block\n"
         "would work any more. Nothing was changed.",
    302: "The block list could not be saved:",
    303: "This command cannot be put on the block list.\n"
         "Nothing was changed.",
    304: "The entry could not be switched off.\n"
         "Its command was taken off the block list again.",
    305: "The block was lifted, but the entry could not be switched\n"
         "on again.",
    306: "The entry was not changed.",
    307: "The entry was not deleted.",
    310: "You do not have the rights for this. Entries for all users can only\n"
         "be changed with administrator rights.",
    311: "There already is an entry of this name in this place.",
    312: "The entry has changed since the list was read.\n"
         "The list now shows the current state.",
    313: "This name cannot be stored in this place.",
    314: "This command cannot be stored in this place.",
    315: "The registry value is not text; Bootmarshal does not change it.",
    316: "The entry has no valid place.",
    317: "Windows refused to write the entry.",
    319: "This copy of Bootmarshal runs with administrator rights and changes\n"
         "only entries for all users.",
    318: "Warning: the entry could neither be written nor restored in its old\n"
         "place. Please create it again:",
    320: "No printer is set up. The list was not printed.",
    321: "An error occurred while printing. The list was not printed\n"
         "completely.",
    322: "An unexpected error occurred:",
    380: "32-bit",
    381: "Switched off by Windows (Task Manager or Settings)",
    382: "Switched off by another tool (AutorunsDisabled)",
    383: "Will not start: program missing:",
    384: "Will not start: Windows NT does not start this location",
    385: "Will not start: Windows switched it off",
    386: "This is a RunOnce entry. Windows deletes it when it starts it:\n"
         "switched off, it will be gone after the next logon.\n"
         "Do you want to switch it off anyway?",
    387: "It will be gone after the next logon (RunOnce).",
    388: "Do you want to start Bootmarshal again with administrator rights\n"
         "to change entries for all users?",
    389: "(Administrator: entries for all users only)",
    390: "Red: will not start (see the details).",
    391: "All users, 32-bit programs",
    392: "Bootmarshal could not be started with administrator rights.",
    428: "The language file %s is damaged or incomplete.\n"
         "Texts missing from it are taken from the language files that came with Bootmarshal.",
    429: "Line %s: expected %s",
    430: "an element name",
    431: "an element",
    432: "the end of the file",
    433: "a known character instead of %s",
    434: "a printable character",
    435: "The command of %s is on the block list: the block check at the\n"
         "next logon would remove the entry.\n"
         "Do you want to lift the block and switch the entry on?",
    436: "Block check at logon (%s):",
    437: "%s blocked entries removed:",
    438: "%s could not be removed:",
    439: "The backup file could not be read. It has been kept unchanged as:\n"
         "%s\n"
         "The new backup file holds only the backups that could still be read,\n"
         "and this change.",
    440: "The value is not text; a backup does not hold its data.",
    441: "Windows' own switch that keeps the entry off could not be set.",
    442: "A link needs the program file apart, but no blank of the command ends the path\n"
         "of an existing file. Put the program's path in quotation marks.",
    443: "The entry could not be started.",
    444: "The program file was not found.",
    445: "The program's folder was not found.",
    446: "Access to the program was denied.",
    447: "No program is registered to open this file.",
    448: "This file is not a program that Windows can start.",
    449: "The start was cancelled.",
    450: "The entry names no program.",
    451: "Windows could not start it (error %s).",
    452: "Bootmarshal leaves the file as it is. Before it next saves a backup, it keeps\n"
         "the file beside it under a name of its own.",
    453: "Do you really want to delete this entry?",
    454: "(value of type %s, no program)",
    455: "(empty, no program)",
    456: "Ctrl",
    457: "Del",
    458: "Enter",
    459: "Set by a policy; changed through Group Policy",
    460: "Started by Windows' logon (Winlogon); changed only in the registry editor",
    461: "Made by:",
    462: "no version information",
    463: "Kind",
    464: "Location",
    465: "Name",
    466: "Command",
    467: "Active",
    468: "Switched off by",
    469: "Will not start",
    470: "System entry",
    471: "Bootmarshal",
    472: "Windows",
    473: "another tool",
    474: "program missing",
    475: "Windows NT does not start this location",
    476: "switched off by Windows",
    477: "Usage:\n"
         "  Bootmarshal /list [/csv | /json] [/out FILE]   list every autostart entry\n"
         "  Bootmarshal /backup                            take a backup of all entries\n"
         "  Bootmarshal /block \"command\"                  block a command, switch its entries off\n"
         "  Bootmarshal /release \"command\"                release a command, switch its entries on\n"
         "  Bootmarshal /compare N [/csv | /json] [/out FILE]   changes since backup N (1 = newest)\n"
         "  Bootmarshal /help or /?                        this help\n"
         "Exit codes: 0 done, 1 nothing matched, 2 usage error,\n"
         "3 access denied, 4 a file could not be written.",
    478: "Unknown or incomplete switch: %s (Bootmarshal /? shows the usage)",
    479: "No entry matches %s",
    480: "Access denied: %s",
    481: "Blocked and switched off: %s",
    482: "Released and switched on: %s",
    483: "Backup taken: %s",
    484: "There is no backup number %s",
    485: "Not changed: %s",
    486: "Change",
    487: "added",
    488: "removed",
    489: "changed",
    490: "moved",
    491: "Kind before",
    492: "Command before",
    493: "Active before",
    494: "Filter:",
    495: "Name or command (Ctrl+E)",
    496: "Made by",
    497: "State",
    498: "Computer: %s",
    499: "User: %s",
    500: "Printed %s",
    501: "Page %s of %s",
    502: "%s: %s",
    503: "Compare with now",
    504: "Changes since the backup of %s",
    505: "Entries added, removed or changed since the backup. A removed or changed entry can be brought "
         "back on its own, as the backup holds it.",
    506: "Nothing has changed since this backup.",
    507: "What changed",
    508: "command before: %s",
    509: "switched on before",
    510: "switched off before",
    511: "location before: %s",
    512: "Bring back",
    513: "Close",
    514: "Do you want to bring back the entry %s as the backup holds it?\n"
         "Only this entry changes; a backup of the entries as they are now is made first.",
    515: "The entry %s is back as the backup holds it.",
    516: "The entry %s could not be brought back.",
    517: "Nothing was changed: the backup of the entries as they are now could not be saved.",
    518: "A scheduled task is only switched on and off here; it is made, changed and moved\n"
         "in the Task Scheduler.",
    519: "Will not start: the task is disabled in the Task Scheduler",
    520: "Will not start: its logon and boot triggers are disabled",
    521: "Will not start: it starts only at another user's logon",
    522: "task disabled",
    523: "triggers disabled",
    524: "only at another user's logon",
    525: "Task Scheduler",
    526: "Scheduled tasks that start a program when a user logs on or Windows starts. They\n"
         "are only switched on and off or deleted here; Windows' own tasks are shown by the\n"
         "box \"Windows' own tasks\".",
    527: "At logon or boot",
    528: "Windows' own tasks",
    529: "A packaged app's startup task is not deleted: it goes with the app when the app is\n"
         "uninstalled. Switch it off instead.",
    530: "Will not start: a policy keeps this startup task switched off",
    531: "kept off by a policy",
    532: "Tasks and apps",
    533: "Apps from the Microsoft Store (packaged apps) start at logon through startup tasks of their own. They "
         "are switched off and on here as in Settings, but never deleted or changed.",
    534: "Packaged apps",
    535: "Startup task of an app",
    536: "Press",
    537: "Check",
    538: "Uncheck",
    539: "Switch",
    540: "Double Click",
}

FRANCAIS = {
    0: "Français",
    # The ribbon's tabs and colour schemes in French.
    423: "Bleu",
    424: "Noir",
    425: "Argent",
    426: "Apparence",
    427: "Aide et contact",
    6: "Continuer",
    8: "Veuillez patienter…",
    10: "cliquez ici !",
    11: "Inutile de supprimer une entrée dont vous n'avez pas besoin pour l'instant : désactivez-la "
        "avec « modifier » sous « État : », puis réactivez-la plus tard.",
    12: "Nouveautés, mises à jour et réponses aux questions fréquentes sur Bootmarshal vous attendent "
        "sur notre site web :",
    13: "À chaque démarrage, Bootmarshal sauvegarde toutes les entrées de démarrage. Avec « Gérer les "
        "sauvegardes », vous revenez à tout moment à un état antérieur.",
    14: "Redémarrer Windows maintenant ?\n"
        "Enregistrez d'abord vos fichiers ouverts.",
    16: "Oui",
    17: "Non",
    18: "Version :",
    20: "Plateforme :",
    22: "Éditeur :",
    23: "Langue :",
    24: "Copyright :",
    26: "L'entrée est temporairement inactive",
    27: "L'entrée est active",
    28: "Registre",
    29: "Dossier Démarrage",
    30: "liste",
    31: "Utilisateur actuel",
    32: "Tous les utilisateurs",
    33: "Voulez-vous vraiment supprimer\n"
        "l'élément sélectionné ?",
    34: "L'élément sélectionné a été supprimé.",
    36: "Les deux dossiers Démarrage contiennent des raccourcis vers les programmes que Windows lance "
        "à chaque ouverture de session. Le dossier « Tous les utilisateurs » vaut pour toute personne "
        "qui se connecte à cet ordinateur, le dossier « Utilisateur actuel » pour vous seul. Vous les "
        "retrouvez aussi dans le menu Démarrer de Windows.",
    37: "La plupart des entrées de démarrage se trouvent dans le registre. Celles de la clé Run "
        "démarrent à chaque ouverture de session, celles de RunOnce et RunOnceEx une seule fois. "
        "RunServices et RunServicesOnce viennent d'anciennes versions de Windows et démarrent très "
        "tôt. Chacune de ces clés existe pour tous les utilisateurs et pour l'utilisateur actuel.",
    38: "Les listes load= et run= de la section [windows] du fichier win.ini sont un héritage des "
        "anciennes versions de Windows. Les programmes qui y figurent démarrent à l'ouverture de "
        "session, ceux de load= en fenêtre réduite. Ajoutez plutôt les nouvelles entrées dans un "
        "dossier Démarrage ou dans le registre.",
    39: "Nouveau programme",
    40: "L'entrée est incomplète.\n"
        "Indiquez un nom et le programme\n"
        "à lancer.",
    41: "Le nom contient un caractère\n"
        "non autorisé :\n" + FORBIDDEN_NAME_CHARACTERS,
    42: "L'entrée a été enregistrée.",
    43: "Création de la sauvegarde…",
    44: "La sauvegarde a été créée.",
    45: "Sauvegarde du",
    46: "entrées",
    47: "Voulez-vous restaurer cette sauvegarde ?\n"
        "Les entrées actuelles seront remplacées.",
    48: "La sauvegarde a été restaurée.",
    56: "Nom : ",
    57: "modifier",
    58: "Emplacement : ",
    59: "Programme à lancer : ",
    60: "parcourir",
    61: "Enregistrer",
    62: "Ne pas enregistrer",
    63: "Langue :",
    65: "Assistance : ",
    66: "Notre site web",
    67: "Nous écrire un e-mail",
    68: "À propos de Bootmarshal",
    69: "Information : ",
    70: "Dossiers Démarrage",
    71: "Clé Run",
    72: "Clé RunOnce",
    73: "Clé RunOnceEx",
    76: "Entrées du registre valables pour : ",
    77: "Tous les utilisateurs de l'ordinateur",
    78: "L'utilisateur actuel seulement",
    79: "Fichier Win.ini",
    80: "Liste Load",
    81: "Liste Run",
    82: "Ajoute le programme sous forme de raccourci au dossier « Démarrage », que vous",
    83: "voyez aussi dans le menu Démarrer de Windows.",
    84: "Ici, le programme ne démarre que pour l'utilisateur actuel de l'ordinateur.",
    85: "Ajoute le programme comme valeur dans le registre. Ici, le programme démarre",
    86: "avant ceux du dossier Démarrage.",
    87: "Ici, le programme ne démarre qu'une seule fois, puis il est retiré du registre.",
    88: "Ici aussi, le programme ne démarre qu'une fois, mais encore avant RunOnce.",
    89: "Ici, le programme démarre le plus tôt possible (avant l'établissement",
    90: "des connexions réseau).",
    91: "Ici, l'entrée s'exécute aussi dans la section des services, mais une seule fois.",
    92: "Les entrées du fichier INI lançaient les programmes dans les anciennes",
    93: "versions de Windows et sont obsolètes.",
    94: "Veuillez choisir la sauvegarde que",
    95: "vous souhaitez restaurer :",
    96: "Sauvegardes : ",
    97: "Supprimer la sauvegarde",
    98: "Restaurer la sauvegarde",
    # The backup commands' own messages.
    360: "La langue « %s » n'a pas pu être lue.\n"
         "La langue actuelle reste en place.",
    361: "Les textes de la langue « %s » n'ont pas pu être enregistrés.\n"
         "La langue actuelle reste en place.",
    362: "impossible d'écrire dans %s",
    363: "« %s » n'est pas un fichier XML valide !",
    364: "Le fichier « %s » ne peut pas être ouvert",
    365: "Le fichier « %s » ne peut pas être lu",
    366: "Le fichier « %s » ne peut pas être créé",
    367: "« %s » n'est pas un fichier de sauvegarde valide : %s",
    368: "dans « %s », il manque l'élément « %s »",
    369: "il manque l'élément « %s »",
    370: "la date « %s » ne correspond pas aux paramètres régionaux",
    371: "« %s » dans « %s » n'est pas un nombre",
    372: "aucun contenu lisible ne suit la déclaration XML",
    350: "Les entrées actuelles n'ont pas pu être sauvegardées au préalable.\n"
         "La sauvegarde n'a donc pas été restaurée ; rien n'a été modifié.",
    351: "La sauvegarde a été restaurée, sauf ces entrées :",
    352: "Ces entrées n'ont pas pu être supprimées et sont toujours là :",
    353: "Le fichier de sauvegarde n'a pas pu être enregistré :",
    105: "Commandes",
    106: "Nouvelle entrée",
    107: "Actualiser la liste",
    108: "Créer une sauvegarde",
    109: "Gérer les sauvegardes",
    110: "Redémarrer Windows",
    111: "À propos de Bootmarshal",
    112: "Aide",
    113: "Documentation",
    114: "Site web",
    115: "Envoyer un e-mail",
    116: "Quitter Bootmarshal",
    117: "Sources de démarrage",
    118: "Astuces et nouveautés",
    119: "Utilisateur actuel",
    120: "Entrées trouvées : ",
    121: "Détails : ",
    122: "Commande :",
    123: "Supprimer l'entrée",
    124: "Modifier l'entrée",
    125: "Lancer l'entrée",
    126: "État :",
    127: "Emplacement : ",
    128: "modifier / info",
    129: "Tous les utilisateurs",
    131: "Les entrées système de Windows sont affichées en orange.",
    132: "entrée système de Windows",
    133: "Imprimer la liste",
    134: "Bootmarshal - liste des entrées de démarrage",
    135: "Désactiver et supprimer automatiquement à chaque retour",
    137: "Entrées bloquées",
    138: "Débloquer et réactiver l'entrée",
    139: "Entrées bloquées : ",
    140: "Une entrée bloquée reste à sa place, mais elle est désactivée.\n"
         "Si la même commande réapparaît comme entrée active, Bootmarshal\n"
         "la supprime à chaque ouverture de session Windows.\n"
         "Supprimez une ligne de la liste pour lever le blocage.",
    300: "Cette entrée n'a aucune commande qui puisse être bloquée.\n"
         "Une ligne vide dans la liste de blocage supprimerait à chaque ouverture\n"
         "de session toutes les entrées sans commande. Rien n'a été modifié.",
    301: "Il s'agit du contrôle de blocage de Bootmarshal lui-même. S'il était\n"
         "bloqué, plus aucun blocage ne fonctionnerait. Rien n'a été modifié.",
    302: "La liste de blocage n'a pas pu être enregistrée :",
    303: "Cette commande ne peut pas être ajoutée à la liste de blocage.\n"
         "Rien n'a été modifié.",
    304: "L'entrée n'a pas pu être désactivée.\n"
         "Sa commande a été retirée de la liste de blocage.",
    305: "Le blocage a été levé, mais l'entrée n'a pas pu être\n"
         "réactivée.",
    306: "L'entrée n'a pas été modifiée.",
    307: "L'entrée n'a pas été supprimée.",
    310: "Vous n'avez pas les droits nécessaires. Les entrées pour tous les\n"
         "utilisateurs ne peuvent être modifiées qu'avec les droits d'administrateur.",
    311: "Il existe déjà une entrée de ce nom à cet emplacement.",
    312: "L'entrée a changé depuis la lecture de la liste.\n"
         "La liste affiche maintenant l'état actuel.",
    313: "Ce nom ne peut pas être enregistré à cet emplacement.",
    314: "Cette commande ne peut pas être enregistrée à cet emplacement.",
    315: "La valeur du registre n'est pas du texte ; Bootmarshal ne la modifie pas.",
    316: "L'entrée n'a pas d'emplacement valide.",
    317: "Windows a refusé d'écrire l'entrée.",
    319: "Cette copie de Bootmarshal fonctionne avec les droits d'administrateur\n"
         "et ne modifie que les entrées de tous les utilisateurs.",
    318: "Attention : l'entrée n'a pu ni être écrite ni être rétablie à son ancien\n"
         "emplacement. Veuillez la recréer :",
    320: "Aucune imprimante n'est installée. La liste n'a pas été imprimée.",
    321: "Une erreur s'est produite pendant l'impression. La liste n'a pas été\n"
         "imprimée entièrement.",
    322: "Une erreur inattendue s'est produite :",
    380: "32 bits",
    381: "Désactivée par Windows (Gestionnaire des tâches ou Paramètres)",
    382: "Désactivée par un autre outil (AutorunsDisabled)",
    383: "Ne démarrera pas : programme introuvable :",
    384: "Ne démarrera pas : Windows NT ne démarre pas cet emplacement",
    385: "Ne démarrera pas : Windows l'a désactivée",
    386: "Ceci est une entrée RunOnce. Windows la supprime au démarrage :\n"
         "désactivée, elle aura disparu après la prochaine ouverture de session.\n"
         "Voulez-vous quand même la désactiver ?",
    387: "Elle aura disparu après la prochaine ouverture de session (RunOnce).",
    388: "Voulez-vous redémarrer Bootmarshal avec les droits d'administrateur\n"
         "pour modifier les entrées de tous les utilisateurs ?",
    389: "(Administrateur : entrées de tous les utilisateurs seulement)",
    390: "En rouge : ne démarrera pas (voir les détails).",
    391: "Tous, programmes 32 bits",
    392: "Bootmarshal n'a pas pu être démarré avec les droits d'administrateur.",
    428: "Le fichier de langue %s est endommagé ou incomplet.\n"
         "Les textes qui y manquent sont repris des fichiers de langue livrés avec Bootmarshal.",
    429: "Ligne %s : attendu : %s",
    430: "un nom d'élément",
    431: "un élément",
    432: "la fin du fichier",
    433: "un caractère connu au lieu de %s",
    434: "un caractère imprimable",
    435: "La commande de %s figure dans la liste de blocage : le contrôle\n"
         "de blocage la supprimerait à la prochaine ouverture de session.\n"
         "Voulez-vous lever le blocage et activer l'entrée ?",
    436: "Contrôle de blocage à l'ouverture de session (%s) :",
    437: "%s entrées bloquées supprimées :",
    438: "%s n'ont pas pu être supprimées :",
    439: "Le fichier de sauvegarde était illisible. Il a été conservé tel quel sous le nom :\n"
         "%s\n"
         "Le nouveau fichier de sauvegarde ne contient que les sauvegardes encore lisibles,\n"
         "et cette modification.",
    440: "La valeur n'est pas du texte ; une sauvegarde ne contient pas ses données.",
    441: "L'interrupteur de Windows qui désactive l'entrée n'a pas pu être réglé.",
    442: "Un raccourci a besoin du fichier du programme à part, mais aucun espace de la\n"
         "commande ne termine le chemin d'un fichier existant. Mettez le chemin du\n"
         "programme entre guillemets.",
    443: "L'entrée n'a pas pu être démarrée.",
    444: "Le fichier du programme est introuvable.",
    445: "Le dossier du programme est introuvable.",
    446: "L'accès au programme a été refusé.",
    447: "Aucun programme n'est enregistré pour ouvrir ce fichier.",
    448: "Ce fichier n'est pas un programme que Windows peut démarrer.",
    449: "Le démarrage a été annulé.",
    450: "L'entrée ne désigne aucun programme.",
    451: "Windows n'a pas pu la démarrer (erreur %s).",
    452: "Bootmarshal laisse le fichier tel quel. Avant d'enregistrer la prochaine sauvegarde,\n"
         "il le conserve à côté sous un nom qui lui est propre.",
    453: "Voulez-vous vraiment supprimer cette entrée ?",
    454: "(valeur de type %s, aucun programme)",
    455: "(vide, aucun programme)",
    456: "Ctrl",
    457: "Suppr",
    458: "Entrée",
    459: "Défini par une stratégie ; se modifie par la stratégie de groupe",
    460: "Lancé par l'ouverture de session de Windows (Winlogon) ; se modifie uniquement dans l'éditeur du Registre",
    461: "Éditeur :",
    462: "aucune information de version",
    463: "Type",
    464: "Emplacement",
    465: "Nom",
    466: "Commande",
    467: "Actif",
    468: "Désactivé par",
    469: "Ne démarre pas",
    470: "Entrée système",
    471: "Bootmarshal",
    472: "Windows",
    473: "un autre outil",
    474: "programme absent",
    475: "Windows NT ne démarre pas cet emplacement",
    476: "désactivé par Windows",
    477: "Utilisation :\n"
         "  Bootmarshal /list [/csv | /json] [/out FICHIER]   lister toutes les entrées de démarrage\n"
         "  Bootmarshal /backup                               sauvegarder toutes les entrées\n"
         "  Bootmarshal /block \"commande\"                    bloquer une commande, désactiver ses entrées\n"
         "  Bootmarshal /release \"commande\"                  débloquer une commande, activer ses entrées\n"
         "  Bootmarshal /compare N [/csv | /json] [/out FICHIER]   changements depuis la sauvegarde N (1 = la plus récente)\n"
         "  Bootmarshal /help ou /?                           cette aide\n"
         "Codes de sortie : 0 fait, 1 rien ne correspond, 2 appel incorrect,\n"
         "3 accès refusé, 4 un fichier n'a pas pu être écrit.",
    478: "Commutateur inconnu ou incomplet : %s (Bootmarshal /? affiche l'aide)",
    479: "Aucune entrée ne correspond à %s",
    480: "Accès refusé : %s",
    481: "Bloquée et désactivée : %s",
    482: "Débloquée et activée : %s",
    483: "Sauvegarde effectuée : %s",
    484: "Il n'y a pas de sauvegarde numéro %s",
    485: "Non modifiée : %s",
    486: "Changement",
    487: "ajoutée",
    488: "supprimée",
    489: "modifiée",
    490: "déplacée",
    491: "Type avant",
    492: "Commande avant",
    493: "Actif avant",
    494: "Filtre :",
    495: "Nom ou commande (Ctrl+E)",
    496: "Éditeur",
    497: "État",
    498: "Ordinateur : %s",
    499: "Utilisateur : %s",
    500: "Imprimé le %s",
    501: "Page %s sur %s",
    502: "%s : %s",
    503: "Comparer avec maintenant",
    504: "Modifications depuis la sauvegarde du %s",
    505: "Entrées ajoutées, supprimées ou modifiées depuis la sauvegarde. Une entrée supprimée ou modifiée "
         "peut être rétablie seule, telle que la sauvegarde la contient.",
    506: "Rien n’a changé depuis cette sauvegarde.",
    507: "Ce qui a changé",
    508: "commande avant : %s",
    509: "activée avant",
    510: "désactivée avant",
    511: "emplacement avant : %s",
    512: "Rétablir",
    513: "Fermer",
    514: "Voulez-vous rétablir l’entrée %s telle que la sauvegarde la contient ?\n"
         "Seule cette entrée change ; une sauvegarde des entrées actuelles est faite d’abord.",
    515: "L’entrée %s est rétablie telle que la sauvegarde la contient.",
    516: "L’entrée %s n’a pas pu être rétablie.",
    517: "Rien n’a été modifié : la sauvegarde des entrées actuelles n’a pas pu être enregistrée.",
    518: "Une tâche planifiée n'est qu'activée ou désactivée ici ; elle est créée, modifiée\n"
         "et déplacée dans le Planificateur de tâches.",
    519: "Ne démarre pas : la tâche est désactivée dans le Planificateur de tâches",
    520: "Ne démarre pas : ses déclencheurs d'ouverture de session et de démarrage sont désactivés",
    521: "Ne démarre pas : elle ne démarre qu'à l'ouverture de session d'un autre utilisateur",
    522: "tâche désactivée",
    523: "déclencheurs désactivés",
    524: "seulement à l'ouverture de session d'un autre utilisateur",
    525: "Planificateur de tâches",
    526: "Tâches planifiées qui démarrent un programme à l'ouverture de session ou au démarrage\n"
         "de Windows. Ici, elles sont seulement activées, désactivées ou supprimées ; la case\n"
         "« Tâches de Windows » montre les tâches de Windows lui-même.",
    527: "À la connexion ou au démarrage",
    528: "Tâches de Windows",
    529: "La tâche de démarrage d'une application empaquetée n'est pas supprimée : elle disparaît avec\n"
         "l'application lorsque celle-ci est désinstallée. Désactivez-la plutôt.",
    530: "Ne démarre pas : une stratégie maintient cette tâche de démarrage désactivée",
    531: "désactivée par une stratégie",
    532: "Tâches et applications",
    533: "Les applications du Microsoft Store (applications empaquetées) démarrent à l'ouverture de session par "
         "leurs propres tâches de démarrage. Elles sont désactivées et activées ici comme dans les Paramètres, "
         "mais jamais supprimées ni modifiées.",
    534: "Applications empaquetées",
    535: "Tâche de démarrage d'une application",
    536: "Appuyer",
    537: "Cocher",
    538: "Décocher",
    539: "Basculer",
    540: "Double-cliquer",
}

NBSP = "\u00a0"


def french_spacing(line):
    """Non-breaking spaces before : ; ? ! and inside « », as French typesetting wants."""
    if line == FORBIDDEN_NAME_CHARACTERS:
        return line
    line = re.sub(r" ([:;?!])", NBSP + r"\1", line)
    return line.replace("« ", "«" + NBSP).replace(" »", NBSP + "»")


def is_header(line):
    inner = line[1:-1]
    return len(line) >= 3 and line[0] == "[" and line[-1] == "]" and (inner == "END" or inner.isdigit())


def write_language(number, texts, adjust=lambda line: line):
    merged = dict(COMMON)
    merged.update(texts)
    lines = []
    for text_number in sorted(merged):
        lines.append("[%d]" % text_number)
        for line in merged[text_number].split("\n"):
            assert not is_header(line), line
            lines.append(adjust(line))
    lines.append("[END]")
    data = ("\r\n".join(lines) + "\r\n").encode("cp1252")
    with open(os.path.join(HERE, "Bootmarshal.t0%d" % number), "wb") as out:
        out.write(data)
    return merged


if __name__ == "__main__":
    numbers = [set(write_language(0, {**DEUTSCH, **RIBBON_DEUTSCH})) - set(RIBBON_DEUTSCH), set(write_language(1, ENGLISH)),
               set(write_language(2, FRANCAIS, french_spacing))]
    assert numbers[0] == numbers[1] == numbers[2], "every language needs the same text numbers"
