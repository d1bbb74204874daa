# SPDX-License-Identifier: GPL-3.0-or-later
# German texts, part 3: veltrix-cli (its messages, help and text output), the panel program's
# command line and the panel face's captions.
TEXTS = {
    # veltrix-cli: the tool's own messages
    'No serial device found on this computer.\n': 'Auf diesem Computer wurde kein serielles Gerät gefunden.\n',
    'no device': 'kein Gerät',
    'the meter stopped answering; waiting for it': 'das Messgerät antwortet nicht mehr; es wird darauf gewartet',
    'the meter answers again': 'das Messgerät antwortet wieder',
    'the meter stopped answering': 'das Messgerät antwortet nicht mehr',
    'meter %1 on %2': 'Messgerät %1 an %2',
    'is full': 'ist voll',
    'was interrupted': 'wurde unterbrochen',
    'closed': 'wurde geschlossen',
    '%1 %2 (%3 records); continuing in %4': '%1 %2 (%3 Datensätze); weiter in %4',
    'recording stopped; the %1 records written before are kept':
        'Aufzeichnung beendet; die %1 zuvor geschriebenen Datensätze bleiben erhalten',
    '%1 records': '%1 Datensätze',
    'meter %1 on %2: recording every %3 s into %4; Ctrl-C stops':
        'Messgerät %1 an %2: Aufzeichnung alle %3 s in %4; Strg-C beendet',
    '%1 records written': '%1 Datensätze geschrieben',
    '%1 exists; give --overwrite to replace it': '%1 existiert bereits; mit --overwrite wird die Datei ersetzt',
    "clock expects 'set' or 'read', got '%1' (try --help)":
        "clock erwartet 'set' oder 'read', erhalten: '%1' (siehe --help)",
    'the PC clock reads %1; the meter keeps dates from 2000 to 2099 only':
        'die PC-Uhr zeigt %1; das Messgerät kennt nur Daten von 2000 bis 2099',
    'Meter clock set to %1\n': 'Uhr des Messgeräts gestellt auf %1\n',
    'the CSV file would replace the record file; give --out':
        'die CSV-Datei würde die Messdatei ersetzen; bitte --out angeben',
    '%1 records written to %2': '%1 Datensätze nach %2 geschrieben',
    "Reads, records and sets the Veltrix field meter on a serial line, from a terminal or a\nscript. The same link, record file and meter commands as the panel.\n\nCommands:\n  ports                        serial devices found and the COM1..COM8 bindings\n  read [--count N] [--interval S] [--format text|csv|jsonl|influx]\n                               one line per reading\n  record FILE [--interval S] [--count N | --duration D] [--rotate daily]\n                               a recording in the panel's record file format\n    read and record also feed: --prom FILE (node_exporter textfile),\n    --mqtt URL [--mqtt-prefix T] (MQTT, Home Assistant discovery), --config FILE\n  clock set | read             set the meter's clock from this computer's clock, or read it\n  logger list | download (--set N | --all) --out DIR | set-id N | set-interval S |\n         erase --yes           the meter's data logger\n  convert FILE.txt --to csv [--out PATH]\n                               a record file as CSV\n  stats FILE... [--threshold VALUE[mG|uT]]... [--reference NAME]... [--from ISO]\n        [--to ISO] [--format text|json|csv]\n                               survey figures of record files\n  report FILE... --out REPORT.pdf [the report dialog's fields, levels and range]\n                               a survey report as a PDF\n  survey new | add-room | add-point | measure | attach | list SURVEY-FILE [options]\n                               a survey file: rooms, points, spot measurements, recordings\n\nMeter commands take --port DEVICE, --com N (1-8) or --simulate.\n'veltrix-cli COMMAND --help' describes a command.\n\nExit status: 0 success, 1 failure (a file, the meter's refusal), 2 usage error,\n3 the port cannot be opened, 4 the meter does not answer, 5 the MQTT broker refused\nthe user name or password, 130 / 143 a logger or survey command stopped by SIGINT /\nSIGTERM.":
        "Liest, zeichnet auf und stellt das Veltrix-Feldmessgerät an einer seriellen Leitung, vom\nTerminal oder aus einem Skript. Dieselbe Verbindung, dieselben Messdateien und Gerätebefehle\nwie im Panel.\n\nBefehle:\n  ports                        gefundene serielle Geräte und die Zuordnung COM1..COM8\n  read [--count N] [--interval S] [--format text|csv|jsonl|influx]\n                               eine Zeile je Messwert\n  record FILE [--interval S] [--count N | --duration D] [--rotate daily]\n                               eine Aufzeichnung im Messdateiformat des Panels\n    read und record speisen auch: --prom FILE (node_exporter-Textdatei),\n    --mqtt URL [--mqtt-prefix T] (MQTT, Home-Assistant-Erkennung), --config FILE\n  clock set | read             die Uhr des Messgeräts nach der Uhr dieses Computers stellen\n                               oder sie lesen\n  logger list | download (--set N | --all) --out DIR | set-id N | set-interval S |\n         erase --yes           der Datenlogger des Messgeräts\n  convert FILE.txt --to csv [--out PATH]\n                               eine Messdatei als CSV\n  stats FILE... [--threshold VALUE[mG|uT]]... [--reference NAME]... [--from ISO]\n        [--to ISO] [--format text|json|csv]\n                               Kennwerte von Messdateien\n  report FILE... --out REPORT.pdf [Felder, Werte und Zeitraum des Berichtsdialogs]\n                               ein Messbericht als PDF\n  survey new | add-room | add-point | measure | attach | list SURVEY-FILE [Optionen]\n                               eine Messprojektdatei: Räume, Messpunkte, Spotmessungen,\n                               Aufzeichnungen\n\nGerätebefehle nehmen --port DEVICE, --com N (1-8) oder --simulate.\n'veltrix-cli BEFEHL --help' beschreibt einen Befehl.\n\nExit-Status: 0 Erfolg, 1 Fehler (eine Datei, das Messgerät lehnt ab), 2 falscher Aufruf,\n3 der Port lässt sich nicht öffnen, 4 das Messgerät antwortet nicht, 5 der MQTT-Broker\nlehnt Benutzername oder Passwort ab, 130 / 143 ein logger- oder survey-Befehl wurde durch\nSIGINT / SIGTERM beendet.",
    'cannot run the report writer %1: %2': 'der Berichtsschreiber %1 lässt sich nicht starten: %2',
    'See Commands above.': 'Siehe Befehle oben.',
    'COMMAND [options]': 'BEFEHL [Optionen]',
    ' (try --help)': ' (siehe --help)',
    'a command is needed (try --help)': 'ein Befehl fehlt (siehe --help)',
    "unknown command '%1' (try --help)": "unbekannter Befehl '%1' (siehe --help)",
    "--%1 expects a whole number from %2 to %3, got '%4'":
        "--%1 erwartet eine ganze Zahl von %2 bis %3, erhalten: '%4'",
    "--%1 expects seconds or a number ending in s, m, h or d, got '%2'":
        "--%1 erwartet Sekunden oder eine Zahl mit s, m, h oder d am Ende, erhalten: '%2'",
    'The subcommand.': 'Der Unterbefehl.',
    'missing argument (try --help)': 'Argument fehlt (siehe --help)',
    "unexpected argument '%1' (try --help)": "unerwartetes Argument '%1' (siehe --help)",
    '--%1 needs --%2': '--%1 braucht --%2',
    '--%1 and --%2 exclude each other': '--%1 und --%2 schließen einander aus',
    'interrupted (%1)': 'abgebrochen (%1)',
    'cannot start the virtual meter: %1': 'das virtuelle Messgerät lässt sich nicht starten: %1',
    'cannot open COM%1%2: %3': 'COM%1%2 lässt sich nicht öffnen: %3',
    'the meter on %1 does not answer': 'das Messgerät an %1 antwortet nicht',

    # the feeds: MQTT, the textfile, the configuration file
    'cannot create the MQTT client': 'der MQTT-Client lässt sich nicht anlegen',
    'cannot use the CA file %1: %2': 'die CA-Datei %1 ist nicht verwendbar: %2',
    'MQTT broker %1 not reachable (%2); trying again in the background':
        'MQTT-Broker %1 nicht erreichbar (%2); neuer Versuch im Hintergrund',
    'MQTT broker lost; readings are queued while trying again':
        'Verbindung zum MQTT-Broker verloren; Messwerte werden bis zum nächsten Versuch zwischengespeichert',
    'MQTT broker connected': 'MQTT-Broker verbunden',
    'MQTT broker connected; %1 readings dropped while it was away (the queue holds %2)':
        'MQTT-Broker verbunden; %1 Messwerte gingen während der Unterbrechung verloren (der Zwischenspeicher fasst %2)',
    'MQTT: %1': 'MQTT: %1',
    '--prom needs a file name': '--prom braucht einen Dateinamen',
    '--meter-id expects 1 to 64 printable characters': '--meter-id erwartet 1 bis 64 druckbare Zeichen',
    '--mqtt: %1': '--mqtt: %1',
    '--cafile needs an mqtts:// URL': '--cafile braucht eine mqtts://-URL',
    '--cafile: cannot read %1': '--cafile: %1 lässt sich nicht lesen',
    '--mqtt-prefix must be a topic without wildcards (+, #) and without a leading or trailing /':
        '--mqtt-prefix muss ein Topic ohne Platzhalter (+, #) und ohne / am Anfang oder Ende sein',
    '--mqtt-password-file: cannot read %1: %2': '--mqtt-password-file: %1 lässt sich nicht lesen: %2',
    'a broker password needs a user name (--mqtt-user or mqtt://user@host)':
        'ein Broker-Passwort braucht einen Benutzernamen (--mqtt-user oder mqtt://user@host)',
    'the MQTT broker %1 refused the connection: %2': 'der MQTT-Broker %1 hat die Verbindung abgelehnt: %2',
    'cannot write %1: %2; the last whole file stays':
        '%1 lässt sich nicht schreiben: %2; die letzte vollständige Datei bleibt',
    '%1 written again': '%1 wird wieder geschrieben',
    '--config needs a file name': '--config braucht einen Dateinamen',
    'cannot read %1: %2': '%1 lässt sich nicht lesen: %2',
    '%1 is not read: other users can change it (it must belong to root or to this user and be writable by its owner only)':
        '%1 wird nicht gelesen: andere Benutzer können die Datei ändern (sie muss root oder diesem Benutzer gehören und nur für ihren Eigentümer beschreibbar sein)',
    "%1:%2: not an option name: '%3'": "%1:%2: kein Optionsname: '%3'",
    "%1 holds a password but other users can read it; chmod 600 (or 640 with the service's group)":
        '%1 enthält ein Passwort, das andere Benutzer lesen können; chmod 600 (oder 640 mit der Gruppe des Dienstes)',

    # logger
    'memory status': 'Speicherstatus',
    'list of sets': 'Liste der Messreihen',
    'meter clock': 'Uhr des Messgeräts',
    'ID code: %1\n': 'ID-Code: %1\n',
    'Logging interval: %1 s\n': 'Aufzeichnungsintervall: %1 s\n',
    'Memory left: %1 K\n': 'Freier Speicher: %1 K\n',
    'Sets: %1\n': 'Messreihen: %1\n',
    'Set  Date      Time      Unit  Interval  Records\n':
        'Nr.  Datum     Uhrzeit   Einh. Intervall  Anzahl\n',
    'the folder %1 cannot be created': 'der Ordner %1 lässt sich nicht anlegen',
    'the meter holds %1 set(s); there is no set %2':
        'das Messgerät hat %1 Messreihe(n); eine Messreihe %2 gibt es nicht',
    'set %1 of %2: %3 of %4 records': 'Messreihe %1 von %2: %3 von %4 Datensätzen',
    '%1 of %2 set(s) saved in %3%4': '%1 von %2 Messreihe(n) in %3 gespeichert%4',
    '; what arrived of the last one is kept as an _incomplete file':
        '; was von der letzten ankam, bleibt als _incomplete-Datei erhalten',
    'logger download needs --set N or --all, and --out DIR':
        'logger download braucht --set N oder --all sowie --out DIR',
    "the ID code must be a number from 0 to %1, got '%2'":
        "der ID-Code muss eine Zahl von 0 bis %1 sein, erhalten: '%2'",
    'ID code set to %1\n': 'ID-Code gesetzt auf %1\n',
    "the interval must be 0.4 to 102.0 seconds in steps of 0.4 s, got '%1'":
        "das Intervall muss 0.4 bis 102.0 Sekunden in Schritten von 0.4 s betragen, erhalten: '%1'",
    'Logging interval set to %1 s\n': 'Aufzeichnungsintervall gesetzt auf %1 s\n',
    'logger erase deletes every logged set; give --yes to do it':
        'logger erase löscht alle aufgezeichneten Messreihen; dazu --yes angeben',
    "the meter's memory is locked: nothing was erased. Unlock it on the meter and try again.":
        'der Speicher des Messgeräts ist gesperrt: nichts wurde gelöscht. Entsperren Sie ihn am Gerät und versuchen Sie es erneut.',
    'All the memory in EEPROM was deleted.\n': 'Der gesamte EEPROM-Speicher wurde gelöscht.\n',
    'logger %1 needs a value (try --help)': 'logger %1 braucht einen Wert (siehe --help)',
    'logger needs an action (try --help)': 'logger braucht eine Aktion (siehe --help)',
    "unknown logger action '%1' (try --help)": "unbekannte logger-Aktion '%1' (siehe --help)",

    # the option table
    "The meter's serial device, e.g. /dev/ttyUSB0.": 'Das serielle Gerät des Messgeräts, z. B. /dev/ttyUSB0.',
    "The meter's port COM1..COM8 as the panel binds them (see 'veltrix-cli ports'). Default: 1.":
        "Der Port COM1..COM8 des Messgeräts, wie das Panel sie zuordnet (siehe 'veltrix-cli ports'). Standard: 1.",
    'Talk to the virtual meter (no hardware needed).': 'Mit dem virtuellen Messgerät arbeiten (keine Hardware nötig).',
    'Stop after N readings.': 'Nach N Messwerten aufhören.',
    'One reading every S seconds (1-86400), on whole seconds of the clock.':
        'Ein Messwert alle S Sekunden (1-86400), auf volle Sekunden der Uhr.',
    'text (default), csv, jsonl or influx (InfluxDB line protocol).':
        'text (Standard), csv, jsonl oder influx (InfluxDB-Line-Protocol).',
    "--format expects text, csv, jsonl or influx, got '%1'":
        "--format erwartet text, csv, jsonl oder influx, erhalten: '%1'",
    'Sampling time in seconds, 1-86400 (default 2, as in the panel).':
        'Messintervall in Sekunden, 1-86400 (Standard 2, wie im Panel).',
    'Stop after N records.': 'Nach N Datensätzen aufhören.',
    'Stop after D seconds; D may end in s, m, h or d (90m, 2h).':
        'Nach D Sekunden aufhören; D darf auf s, m, h oder d enden (90m, 2h).',
    'Replace FILE if it exists (by default an existing recording is never replaced).':
        'FILE ersetzen, wenn es existiert (sonst wird eine vorhandene Aufzeichnung nie ersetzt).',
    'Records per file.': 'Datensätze je Datei.',
    "daily: a new file every midnight, FILE's name with the date added (data-2026-12-07.txt).":
        'daily: jede Mitternacht eine neue Datei, der Name von FILE mit angehängtem Datum (data-2026-12-07.txt).',
    "--rotate expects daily, got '%1'": "--rotate erwartet daily, erhalten: '%1'",
    'influx: also print every record in InfluxDB line protocol on standard output.':
        'influx: jeden Datensatz zusätzlich im InfluxDB-Line-Protocol auf die Standardausgabe schreiben.',
    "--format expects influx, got '%1'": "--format erwartet influx, erhalten: '%1'",
    'Keep FILE a node_exporter textfile with the latest reading (replaced atomically on every reading).':
        'FILE als node_exporter-Textdatei mit dem neuesten Messwert führen (bei jedem Messwert atomar ersetzt).',
    'Publish to the broker at mqtt://[user@]host[:port] or mqtts://... (with Home Assistant discovery).':
        'An den Broker unter mqtt://[user@]host[:port] oder mqtts://... senden (mit Home-Assistant-Erkennung).',
    'Topic prefix (default veltrix/<meter ID>).': 'Topic-Präfix (Standard veltrix/<Geräte-ID>).',
    "The broker's user name.": 'Der Benutzername beim Broker.',
    "Read the broker's password from FILE (or set VELTRIX_MQTT_PASSWORD).":
        'Das Passwort des Brokers aus FILE lesen (oder VELTRIX_MQTT_PASSWORD setzen).',
    "mqtts: the CA certificate that signed the broker's (default: the system's CAs).":
        'mqtts: das CA-Zertifikat, das das des Brokers signiert hat (Standard: die CAs des Systems).',
    "The meter's name in every output (default: model and the logger's ID code).":
        'Der Name des Messgeräts in jeder Ausgabe (Standard: Modell und ID-Code des Loggers).',
    'Readings kept while the broker is away (default 10000; the oldest are dropped).':
        'Messwerte, die bei fehlendem Broker aufbewahrt werden (Standard 10000; die ältesten entfallen).',
    'The format: csv.': 'Das Format: csv.',
    'Where to write (default: FILE with .csv in place of its suffix; - for standard output).':
        'Wohin geschrieben wird (Standard: FILE mit .csv statt seiner Endung; - für die Standardausgabe).',
    'convert needs --to csv (try --help)': 'convert braucht --to csv (siehe --help)',
    'download: set N.': 'download: Messreihe N.',
    'download: every set.': 'download: alle Messreihen.',
    'download: the folder for the record files (created if need be).':
        'download: der Ordner für die Messdateien (wird bei Bedarf angelegt).',
    'erase: yes, erase all the logged sets.': 'erase: ja, alle aufgezeichneten Messreihen löschen.',
    'A level: VALUE[mG|uT]. May be repeated.': 'Ein Wert: VALUE[mG|uT]. Mehrfach möglich.',
    'A reference set by its key: a published one or one of --reference-file. May be repeated.':
        'Ein Richtwertsatz über seinen Schlüssel: ein veröffentlichter oder einer aus --reference-file. Mehrfach möglich.',
    'A reference set of your own (format: docs/reference-levels.md); --reference names it by its key. May be repeated.':
        'Ein eigener Richtwertsatz (Format: docs/reference-levels.md); --reference nennt ihn über seinen Schlüssel. Mehrfach möglich.',
    "The mains frequency, 50 (default) or 60: ICNIRP 1998's level depends on it.":
        'Die Netzfrequenz, 50 (Standard) oder 60: der Wert der ICNIRP 1998 hängt davon ab.',
    "--mains expects 50 or 60, got '%1'": "--mains erwartet 50 oder 60, erhalten: '%1'",
    'Only records at or after this ISO 8601 time.': 'Nur Datensätze ab diesem Zeitpunkt (ISO 8601).',
    'Only records at or before this ISO 8601 time (a date alone: to its end).':
        'Nur Datensätze bis zu diesem Zeitpunkt (ISO 8601; ein Datum allein: bis zu seinem Ende).',
    'text (default), json or csv.': 'text (Standard), json oder csv.',
    "unknown format '%1': text, json or csv": "unbekanntes Format '%1': text, json oder csv",
    'The PDF to write (replaced whole, or left as it was when it cannot be written).':
        'Die zu schreibende PDF-Datei (ganz ersetzt, oder unverändert gelassen, wenn sie sich nicht schreiben lässt).',
    "The report's title (default: Magnetic field survey).":
        'Der Titel des Berichts (Standard: Messung magnetischer Wechselfelder).',
    'The site.': 'Das Objekt.',
    'Who the survey is for.': 'Für wen die Messung ist.',
    'Where within the site (bedroom, bed head).': 'Wo im Objekt (Schlafzimmer, Kopfende).',
    'Who measured.': 'Wer gemessen hat.',
    'Their company.': 'Dessen Firma.',
    'Where the report is signed.': 'Wo der Bericht unterschrieben wird.',
    'Notes.': 'Bemerkungen.',
    'An instrument the report dialog remembers, by its model and serial or its serial alone; the options below change single fields of it.':
        'Ein Messgerät, das sich der Berichtsdialog gemerkt hat, über Modell und Seriennummer oder die Seriennummer allein; die folgenden Optionen ändern einzelne Felder davon.',
    "The meter's model.": 'Das Modell des Messgeräts.',
    'Its serial number or ID code.': 'Seine Seriennummer oder sein ID-Code.',
    'Its last calibration, YYYY-MM-DD.': 'Seine letzte Kalibrierung, JJJJ-MM-TT.',
    'Its frequency range (16 Hz - 2 kHz).': 'Sein Frequenzbereich (16 Hz - 2 kHz).',
    '1 (single axis) or 3 (isotropic).': '1 (einachsig) oder 3 (isotrop).',
    "--axes expects 1 or 3, got '%1'": "--axes erwartet 1 oder 3, erhalten: '%1'",
    'How the survey was made: where the meter stood, what ran meanwhile.':
        'Wie gemessen wurde: wo das Messgerät stand, was währenddessen lief.',
    'The unit of the figures: nT, uT or mG (default: mG where the locale measures in US units, else uT).':
        'Die Einheit der Kennwerte: nT, uT oder mG (Standard: mG, wo das Gebietsschema in US-Einheiten misst, sonst uT).',
    "--unit expects nT, uT or mG, got '%1'": "--unit erwartet nT, uT oder mG, erhalten: '%1'",
    'The conclusion.': 'Das Fazit.',
    'The recommendations.': 'Die Empfehlungen.',
    'Add the records as a table.': 'Die Datensätze als Tabelle anfügen.',
    'a4 or letter (default: letter where the locale measures in US units, else a4).':
        'a4 oder letter (Standard: letter, wo das Gebietsschema in US-Einheiten misst, sonst a4).',
    "--paper expects a4 or letter, got '%1'": "--paper erwartet a4 oder letter, erhalten: '%1'",
    'new: the site surveyed.': 'new: das gemessene Objekt.',
    'new: who the survey is for.': 'new: für wen die Messung ist.',
    'new: who measures.': 'new: wer misst.',
    "new: the site's mains frequency, 50 (default) or 60.": 'new: die Netzfrequenz am Objekt, 50 (Standard) oder 60.',
    'new: a reference set the report compares with, by its key. May be repeated.':
        'new: ein Richtwertsatz, mit dem der Bericht vergleicht, über seinen Schlüssel. Mehrfach möglich.',
    'new: the reference whose bands colour the points (default: buildingbiology).':
        'new: die Richtwerte, deren Stufen die Messpunkte einfärben (Standard: buildingbiology).',
    'new: the unit of the figures, nT, uT (default) or mG.': 'new: die Einheit der Kennwerte, nT, uT (Standard) oder mG.',
    "new: a session beyond before and after (may be repeated). measure, attach: the session the measurement belongs to (default: the survey's first, before).":
        'new: ein Messdurchgang neben before und after (mehrfach möglich). measure, attach: der Messdurchgang, zu dem die Messung gehört (Standard: der erste des Projekts, before).',
    'new: replace an existing file.': 'new: eine vorhandene Datei ersetzen.',
    "The room. add-point creates it when the survey has none of that name; measure and attach need it only when rooms share the point's name.":
        'Der Raum. add-point legt ihn an, wenn das Projekt keinen dieses Namens hat; measure und attach brauchen ihn nur, wenn mehrere Räume einen Messpunkt dieses Namens haben.',
    'The measuring point (names are unique within a room).': 'Der Messpunkt (Namen sind innerhalb eines Raums eindeutig).',
    'add-room, add-point: notes.': 'add-room, add-point: Bemerkungen.',
    "add-point: its place on the floor plan, as fractions 0..1 of the plan's width and height from its top-left corner (0.25,0.6).":
        'add-point: seine Lage im Grundriss, als Anteile 0..1 von Breite und Höhe des Plans ab der linken oberen Ecke (0.25,0.6).',
    'new, set-plan: the floor plan, a PNG or JPEG (copied into the survey).':
        'new, set-plan: der Grundriss, ein PNG oder JPEG (wird in das Projekt kopiert).',
    'add-point: a photo of the point, PNG or JPEG (copied into the survey).':
        'add-point: ein Foto des Messpunkts, PNG oder JPEG (wird in das Projekt kopiert).',
    "measure: the spot measurement's length in seconds (default 30).":
        'measure: die Dauer der Spotmessung in Sekunden (Standard 30).',
    'measure: one sample every S seconds, 1-86400 (default 2, as in the panel).':
        'measure: ein Messwert alle S Sekunden, 1-86400 (Standard 2, wie im Panel).',
    'attach: a record file, copied in byte for byte.': 'attach: eine Messdatei, Byte für Byte übernommen.',
    "attach: set N of the meter's data logger, downloaded now.":
        'attach: Messreihe N aus dem Datenlogger des Messgeräts, jetzt heruntergeladen.',
    'attach: a logger set downloaded before (its record file).':
        'attach: eine früher heruntergeladene Logger-Messreihe (ihre Messdatei).',
    'list: text (default) or json.': 'list: text (Standard) oder json.',
    "--format expects text or json, got '%1'": "--format erwartet text oder json, erhalten: '%1'",
    'Options from FILE.': 'Optionen aus FILE.',
    "The serial devices found on this computer and the ports COM1..COM8 they stand for, as the panel's Port window shows them.":
        'Die seriellen Geräte dieses Computers und die Ports COM1..COM8, für die sie stehen, wie das Port-Fenster des Panels sie zeigt.',
    'Identifies the meter, then prints one line per reading: ISO 8601 local date-time, value (a number or OL), unit and the hold and peak marks. Without --interval every poll gives a line (about four a second); Ctrl-C ends.':
        'Erkennt das Messgerät und gibt dann eine Zeile je Messwert aus: örtliches Datum und Uhrzeit nach ISO 8601, Wert (eine Zahl oder OL), Einheit sowie die Hold- und Peak-Markierungen. Ohne --interval ergibt jede Abfrage eine Zeile (etwa vier pro Sekunde); Strg-C beendet.',
    "Records the meter's readings into FILE in the panel's record file format, one record every S seconds on whole seconds of the clock. Every record is on the disk as soon as it is taken; Ctrl-C (or SIGTERM) stops cleanly. A full file (50000 records) is continued in FILE's name with a number added (data-2.txt, ...), and so is a recording after the meter stopped answering and came back.":
        'Zeichnet die Messwerte des Messgeräts in FILE im Messdateiformat des Panels auf, einen Datensatz alle S Sekunden auf volle Sekunden der Uhr. Jeder Datensatz steht sofort auf der Platte; Strg-C (oder SIGTERM) beendet sauber. Eine volle Datei (50000 Datensätze) wird unter dem Namen von FILE mit angehängter Nummer fortgesetzt (data-2.txt, ...), ebenso eine Aufzeichnung, nachdem das Messgerät nicht mehr antwortete und wieder da ist.',
    'The record file.': 'Die Messdatei.',
    "clock set: sets the meter's clock from this computer's clock.\nclock read: prints the meter's clock (ISO 8601).":
        'clock set: stellt die Uhr des Messgeräts nach der Uhr dieses Computers.\nclock read: gibt die Uhr des Messgeräts aus (ISO 8601).',
    'set or read.': 'set oder read.',
    'Converts a record file to CSV (UTF-8, header row, ISO 8601 date-time, value as a number or OL, unit mG or µT, hold and peak marks).':
        'Wandelt eine Messdatei in CSV um (UTF-8, Kopfzeile, Datum und Uhrzeit nach ISO 8601, Wert als Zahl oder OL, Einheit mG oder µT, Hold- und Peak-Markierungen).',
    'The meter\'s data logger, as the Memory window shows it.\n  list                         ID code, interval, memory left and the logged sets\n  download --set N --out DIR   one set as a record file in DIR\n  download --all --out DIR     every set, named as "Save all sets" names them\n  set-id N                     the identification code (0-65535)\n  set-interval S               the logging interval (0.4 to 102.0 s in 0.4 s steps)\n  erase --yes                  erases the whole logger memory (refused when the meter\'s memory is locked)':
        'Der Datenlogger des Messgeräts, wie ihn das Speicher-Fenster zeigt.\n  list                         ID-Code, Intervall, freier Speicher und die aufgezeichneten Messreihen\n  download --set N --out DIR   eine Messreihe als Messdatei in DIR\n  download --all --out DIR     alle Messreihen, benannt wie bei "Alle Messreihen speichern"\n  set-id N                     der Identifikationscode (0-65535)\n  set-interval S               das Aufzeichnungsintervall (0.4 bis 102.0 s in Schritten von 0.4 s)\n  erase --yes                  löscht den ganzen Logger-Speicher (abgelehnt, wenn der Speicher des Messgeräts gesperrt ist)',
    'list, download, set-id, set-interval or erase.': 'list, download, set-id, set-interval oder erase.',
    'Survey figures of record files, taken together in the order given: count, first and last time, duration, sampling time, minimum and maximum with their times, mean, median, 95th percentile, standard deviation, overloads (OL) and invalid readings apart, time above each level and the longest stretch above it, gaps and clocks set back.\nLevels: --threshold 5mG, 0.4uT (a bare number is in the unit of the first reading) or --reference NAME, each with a sentence comparing the figure it is meant for with it; NAME a key of --reference-file or one of: ':
        'Kennwerte von Messdateien, zusammengenommen in der angegebenen Reihenfolge: Anzahl, erster und letzter Zeitpunkt, Dauer, Messintervall, Minimum und Maximum mit ihren Zeitpunkten, Mittelwert, Median, 95. Perzentil, Standardabweichung, Übersteuerungen (OL) und ungültige Messwerte gesondert, Zeit über jedem Wert und die längste Strecke darüber, Lücken und zurückgestellte Uhren.\nWerte: --threshold 5mG, 0.4uT (eine bloße Zahl gilt in der Einheit des ersten Messwerts) oder --reference NAME, jeweils mit einem Satz, der den gemeinten Kennwert damit vergleicht; NAME ein Schlüssel aus --reference-file oder einer von: ',
    'Record files.': 'Messdateien.',
    "A survey report as a PDF, the same as the report dialog of the panel writes, of record files taken together in the order given: the figures, a chart of the whole period, the time above each level, the assessment against each reference, the instrument and the method, a signature line, and each file's SHA-256. Works without a desktop.\nA survey file (SURVEY.vsurvey) alone gives the report of its points, sessions and floor plan, with the fields, references and unit the survey holds: only --out and --reference-file apply to it.\nLevels: --threshold 5mG, 0.4uT (a bare number is in the unit of the first reading) or --reference NAME, NAME a key of --reference-file or one of: ":
        'Ein Messbericht als PDF, derselbe, den der Berichtsdialog des Panels schreibt, über Messdateien, zusammengenommen in der angegebenen Reihenfolge: die Kennwerte, ein Diagramm des ganzen Zeitraums, die Zeit über jedem Wert, die Bewertung nach jedem Richtwertsatz, Messgerät und Messverfahren, eine Unterschriftszeile und die SHA-256 jeder Datei. Geht ohne Desktop.\nEine Messprojektdatei (SURVEY.vsurvey) allein ergibt den Bericht ihrer Messpunkte, Messdurchgänge und ihres Grundrisses, mit den Feldern, Richtwerten und der Einheit des Projekts: nur --out und --reference-file gelten dafür.\nWerte: --threshold 5mG, 0.4uT (eine bloße Zahl gilt in der Einheit des ersten Messwerts) oder --reference NAME, NAME ein Schlüssel aus --reference-file oder einer von: ',
    'Record files, or one survey file.': 'Messdateien oder eine Messprojektdatei.',
    "A survey file: one site visit's rooms, measuring points and their measurements in sessions (before, after, ...), the file the Survey window opens and `report` turns into a PDF. Every action reads the file, changes it and writes it back whole; a file that cannot be read, or a refused action, leaves it as it was.\n  new [--site T] [--client T] [--operator N] [--mains HZ] [--reference KEY]...\n      [--guidance KEY] [--unit U] [--session NAME]... [--plan FILE] [--force]\n  set-plan --plan FILE           the floor plan, a PNG or JPEG (points keep their places)\n  add-room --room NAME [--notes T]\n  add-point --room NAME --point NAME [--notes T] [--position X,Y] [--photo FILE]\n  measure --point NAME [--room NAME] [--session NAME] [--seconds N] [--sampling S]\n      a spot measurement from the meter (--port, --com or --simulate)\n  attach --point NAME [--room NAME] [--session NAME]\n      (--recording FILE | --logger-set N | --logger-file FILE)\n  list [--format text|json]     rooms, points, measurements and each point's figures":
        'Eine Messprojektdatei: Räume, Messpunkte und deren Messungen eines Ortstermins in Messdurchgängen (before, after, ...), die Datei, die das Messprojekt-Fenster öffnet und `report` zu einem PDF macht. Jede Aktion liest die Datei, ändert sie und schreibt sie ganz zurück; eine unlesbare Datei oder eine abgelehnte Aktion lässt sie, wie sie war.\n  new [--site T] [--client T] [--operator N] [--mains HZ] [--reference KEY]...\n      [--guidance KEY] [--unit U] [--session NAME]... [--plan FILE] [--force]\n  set-plan --plan FILE           der Grundriss, ein PNG oder JPEG (Messpunkte behalten ihre Lage)\n  add-room --room NAME [--notes T]\n  add-point --room NAME --point NAME [--notes T] [--position X,Y] [--photo FILE]\n  measure --point NAME [--room NAME] [--session NAME] [--seconds N] [--sampling S]\n      eine Spotmessung mit dem Messgerät (--port, --com oder --simulate)\n  attach --point NAME [--room NAME] [--session NAME]\n      (--recording FILE | --logger-set N | --logger-file FILE)\n  list [--format text|json]     Räume, Messpunkte, Messungen und die Kennwerte jedes Messpunkts',
    'The action and the survey file.': 'Die Aktion und die Messprojektdatei.',

    # report
    "no instrument '%1' is remembered (%2)": "kein Messgerät '%1' gespeichert (%2)",
    'none is: the report dialog remembers the instruments it reported with':
        'es ist keines: der Berichtsdialog merkt sich die Messgeräte, mit denen er Berichte schrieb',
    'remembered: ': 'gespeichert: ',
    "--calibrated '%1' is not a date such as 2026-01-15": "--calibrated '%1' ist kein Datum wie 2026-01-15",
    'a survey file is reported on its own, not with other files':
        'eine Messprojektdatei wird allein berichtet, nicht zusammen mit anderen Dateien',
    "--%1 is for record files: a survey's report takes its fields, levels and unit from the survey file":
        '--%1 gilt für Messdateien: der Bericht eines Messprojekts nimmt Felder, Werte und Einheit aus der Projektdatei',
    'report needs --out REPORT.pdf (try --help)': 'report braucht --out REPORT.pdf (siehe --help)',
    "--threshold '%1' is not a level such as 5mG or 0.4uT": "--threshold '%1' ist kein Wert wie 5mG oder 0.4uT",

    # stats
    'record %1': 'Datensatz %1',
    '%1 record %2': '%1 Datensatz %2',
    'File': 'Datei',
    '%1  %2 records  SHA-256 %3': '%1  %2 Datensätze  SHA-256 %3',
    '%1: %2 readings, %3 %4 (OL), %5 invalid': '%1: %2 Messwerte, %3 %4 (OL), %5 ungültig',
    'overload': 'Übersteuerung',
    'overloads': 'Übersteuerungen',
    '; %1 converted to %2': '; %1 umgerechnet in %2',
    'First': 'Erster',
    'Last': 'Letzter',
    'unknown (one reading)': 'unbekannt (ein Messwert)',
    'none with a value: every one is an overload (OL)': 'keiner mit Wert: jeder ist eine Übersteuerung (OL)',
    '  at ': '  am ',
    'Measured': 'Gemessen',
    'Std deviation': 'Standardabw.',
    'Minimum': 'Minimum',
    '%1 (%2 readings and overloads × %3), the base of the shares':
        '%1 (%2 Messwerte und Übersteuerungen × %3), die Grundlage der Anteile',
    ', longest %1 from %2': ', am längsten %1 ab %2',
    ', overloads (OL) included: %1': ', Übersteuerungen (OL) eingeschlossen: %1',
    'Above ': 'Über ',
    'Gap': 'Lücke',
    'Clock set back': 'Uhr zurückgestellt',
    '%1 to %2%3': '%1 bis %2%3',
    '... and %1 more gaps and clock changes': '... und %1 weitere Lücken und Uhrumstellungen',
    '... and %1 more overloads (OL)': '... und %1 weitere Übersteuerungen (OL)',
    'Overload rule': 'Regel für OL',
    "an overload (OL) counts above a level only when the level is at most %1, the top of the meter's smallest range: the records do not say the range a reading was taken in":
        'eine Übersteuerung (OL) zählt nur dann als über einem Wert, wenn dieser höchstens %1 beträgt, das obere Ende des kleinsten Messbereichs: die Datensätze sagen nicht, in welchem Messbereich ein Messwert entstand',
    "--%1 '%2' is not an ISO 8601 date or date and time": "--%1 '%2' ist kein Datum und keine Zeit nach ISO 8601",
    '--to lies before --from: the range is empty': '--to liegt vor --from: der Zeitraum ist leer',
    "unknown reference '%1' (known: %2)": "unbekannte Richtwerte '%1' (bekannt: %2)",
    '%1 is not a record file': '%1 ist keine Messdatei',
    '%1 became shorter while it was read; run the command again':
        '%1 wurde beim Lesen kürzer; bitte den Befehl noch einmal ausführen',
    'reading the records, pass %1: %2 %': 'Datensätze werden gelesen, Durchgang %1: %2 %',
    '%1 holds no records': '%1 enthält keine Datensätze',
    'the files hold no records': 'die Dateien enthalten keine Datensätze',
    '%1 needs at least one record file (try --help)': '%1 braucht mindestens eine Messdatei (siehe --help)',

    # survey
    'survey %1 needs --%2 (try --help)': 'survey %1 braucht --%2 (siehe --help)',
    "the survey has no point '%1'": "das Projekt hat keinen Messpunkt '%1'",
    "the survey has no point '%1' in room '%2'": "das Projekt hat keinen Messpunkt '%1' im Raum '%2'",
    "rooms %1 each have a point '%2': give --room": "die Räume %1 haben jeweils einen Messpunkt '%2': bitte --room angeben",
    "the survey has no session '%1' (its sessions: %2)":
        "das Projekt hat keinen Messdurchgang '%1' (seine Messdurchgänge: %2)",
    "%1: %2, %3 records at '%4' (%5)\n": "%1: %2, %3 Datensätze an '%4' (%5)\n",
    "unknown guidance '%1' (known: %2)": "unbekannte Richtwerte für die Einfärbung '%1' (bekannt: %2)",
    '%1 exists; give --force to replace it': '%1 existiert bereits; mit --force wird die Datei ersetzt',
    "--session '%1': a session needs a name of its own": "--session '%1': ein Messdurchgang braucht einen eigenen Namen",
    "the survey has a room '%1' already": "das Projekt hat bereits einen Raum '%1'",
    "--position expects X,Y, each a fraction from 0 to 1 of the plan's width and height (0.25,0.6), got '%1'":
        "--position erwartet X,Y, jeweils einen Anteil von 0 bis 1 an Breite und Höhe des Plans (0.25,0.6), erhalten: '%1'",
    "room '%1' has a point '%2' already": "der Raum '%1' hat bereits einen Messpunkt '%2'",
    'meter %1 on %2: measuring for %3 s; Ctrl-C stops': 'Messgerät %1 an %2: Messung über %3 s; Strg-C beendet',
    'the meter stopped answering after %1 sample(s)': 'das Messgerät antwortete nach %1 Messwert(en) nicht mehr',
    'nothing was added to %1': 'zu %1 wurde nichts hinzugefügt',
    'survey attach needs one of --recording FILE, --logger-set N or --logger-file FILE':
        'survey attach braucht eines von --recording FILE, --logger-set N oder --logger-file FILE',
    '    %1: no measurement\n': '    %1: keine Messung\n',
    '    %1: %2 measurement(s), mean %3, max %4, 95th percentile %5, band: %6\n':
        '    %1: %2 Messung(en), Mittelwert %3, Max. %4, 95. Perzentil %5, Stufe: %6\n',
    ' or higher': ' oder höher',
    'Site: %1\nClient: %2\nSessions: %3\nGuidance: %4\n':
        'Objekt: %1\nAuftraggeber: %2\nMessdurchgänge: %3\nEinstufung nach: %4\n',
    ' at %1,%2': ' bei %1,%2',
    '\n    %1 %2 %3 %4 (%5 records)': '\n    %1 %2 %3 %4 (%5 Datensätze)',
    "unknown survey action '%1' (try --help)": "unbekannte survey-Aktion '%1' (siehe --help)",

    # the panel program's command line
    'Bind port N (1-8) to a device path, e.g. --com 1=/dev/ttyUSB0. Repeatable.':
        'Port N (1-8) einem Gerätepfad zuordnen, z. B. --com 1=/dev/ttyUSB0. Mehrfach möglich.',
    'Run the virtual meter on a pseudo-terminal bound to COM1 and open the panel on it (no hardware needed).':
        'Das virtuelle Messgerät an einem Pseudo-Terminal auf COM1 starten und das Panel darauf öffnen (keine Hardware nötig).',
    'Open the panel on COM<N> without asking.': 'Das Panel ohne Rückfrage an COM<N> öffnen.',
    "--com expects N=PATH with N from 1 to 8, got '%1'": "--com erwartet N=PATH mit N von 1 bis 8, erhalten: '%1'",
    'Virtual meter on %1 (COM1)': 'Virtuelles Messgerät an %1 (COM1)',
    'Desktop companion for the Veltrix field meter on a serial line.':
        'Desktop-Begleiter für das Veltrix-Feldmessgerät an einer seriellen Leitung.',

    # the panel face
    '%1 sec': '%1 s',
    'ElectroMagnetic Field': 'Elektromagnetisches Feld',
    'Data Logging': 'Datenaufzeichnung',
}
