<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Alarm</name>
    <message>
        <source>Invalid settings, try again!</source>
        <translation>Ungültige Einstellungen, bitte erneut versuchen!</translation>
    </message>
</context>
<context>
    <name>Assessment</name>
    <message>
        <source>0 %</source>
        <translation>0 %</translation>
    </message>
    <message>
        <source>&lt; 0.01 %</source>
        <translation>&lt; 0,01 %</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>an overload says only that the field reached the top of its range or beyond</source>
        <translation>eine Übersteuerung besagt nur, dass das Feld das Ende seines Messbereichs erreicht oder überschritten hat</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>above %1 (%2), %3 of it</source>
        <translation>über %1 (%2), %3 davon</translation>
    </message>
    <message>
        <source>above %1 (%2)</source>
        <translation>über %1 (%2)</translation>
    </message>
    <message>
        <source>it may exceed %1 (%2); %3</source>
        <translation>möglicherweise über %1 (%2); %3</translation>
    </message>
    <message>
        <source>%1 of %2 (%3)</source>
        <translation>%1 von %2 (%3)</translation>
    </message>
    <message>
        <source>below %1 (%2)</source>
        <translation>unter %1 (%2)</translation>
    </message>
    <message>
        <source>within %1 (%2)</source>
        <translation>im Bereich von %1 (%2)</translation>
    </message>
    <message>
        <source>at least %1 by %2; %3</source>
        <translation>mindestens %1 nach %2; %3</translation>
    </message>
    <message>
        <source>%1 by %2</source>
        <translation>%1 nach %2</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>95th percentile</source>
        <translation>95. Perzentil</translation>
    </message>
    <message>
        <source>%1: none, every reading is an overload (OL); no assessment by %2.</source>
        <translation>%1: keiner, jeder Messwert ist eine Übersteuerung (OL); keine Bewertung nach %2.</translation>
    </message>
    <message>
        <source>%1 at least %2 (an overload, OL)</source>
        <translation>%1 mindestens %2 (eine Übersteuerung, OL)</translation>
    </message>
    <message>
        <source>%1 %2 (overloads, OL, left out)</source>
        <translation>%1 %2 (Übersteuerungen, OL, nicht berücksichtigt)</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>no device</source>
        <translation>kein Gerät</translation>
    </message>
    <message>
        <source>No serial device found on this computer.
</source>
        <translation>Auf diesem Computer wurde kein serielles Gerät gefunden.
</translation>
    </message>
    <message>
        <source>the meter stopped answering; waiting for it</source>
        <translation>das Messgerät antwortet nicht mehr; es wird darauf gewartet</translation>
    </message>
    <message>
        <source>the meter answers again</source>
        <translation>das Messgerät antwortet wieder</translation>
    </message>
    <message>
        <source>the meter stopped answering</source>
        <translation>das Messgerät antwortet nicht mehr</translation>
    </message>
    <message>
        <source>meter %1 on %2</source>
        <translation>Messgerät %1 an %2</translation>
    </message>
    <message>
        <source>is full</source>
        <translation>ist voll</translation>
    </message>
    <message>
        <source>was interrupted</source>
        <translation>wurde unterbrochen</translation>
    </message>
    <message>
        <source>closed</source>
        <translation>wurde geschlossen</translation>
    </message>
    <message>
        <source>%1 %2 (%3 records); continuing in %4</source>
        <translation>%1 %2 (%3 Datensätze); weiter in %4</translation>
    </message>
    <message>
        <source>recording stopped; the %1 records written before are kept</source>
        <translation>Aufzeichnung beendet; die %1 zuvor geschriebenen Datensätze bleiben erhalten</translation>
    </message>
    <message>
        <source>%1 records</source>
        <translation>%1 Datensätze</translation>
    </message>
    <message>
        <source>meter %1 on %2: recording every %3 s into %4; Ctrl-C stops</source>
        <translation>Messgerät %1 an %2: Aufzeichnung alle %3 s in %4; Strg-C beendet</translation>
    </message>
    <message>
        <source>%1 records written</source>
        <translation>%1 Datensätze geschrieben</translation>
    </message>
    <message>
        <source>%1 exists; give --overwrite to replace it</source>
        <translation>%1 existiert bereits; mit --overwrite wird die Datei ersetzt</translation>
    </message>
    <message>
        <source>clock expects &apos;set&apos; or &apos;read&apos;, got &apos;%1&apos; (try --help)</source>
        <translation>clock erwartet &apos;set&apos; oder &apos;read&apos;, erhalten: &apos;%1&apos; (siehe --help)</translation>
    </message>
    <message>
        <source>the PC clock reads %1; the meter keeps dates from 2000 to 2099 only</source>
        <translation>die PC-Uhr zeigt %1; das Messgerät kennt nur Daten von 2000 bis 2099</translation>
    </message>
    <message>
        <source>Meter clock set to %1
</source>
        <translation>Uhr des Messgeräts gestellt auf %1
</translation>
    </message>
    <message>
        <source>the CSV file would replace the record file; give --out</source>
        <translation>die CSV-Datei würde die Messdatei ersetzen; bitte --out angeben</translation>
    </message>
    <message>
        <source>%1 records written to %2</source>
        <translation>%1 Datensätze nach %2 geschrieben</translation>
    </message>
    <message>
        <source>Reads, records and sets the Veltrix field meter on a serial line, from a terminal or a
script. The same link, record file and meter commands as the panel.

Commands:
  ports                        serial devices found and the COM1..COM8 bindings
  read [--count N] [--interval S] [--format text|csv|jsonl|influx]
                               one line per reading
  record FILE [--interval S] [--count N | --duration D] [--rotate daily]
                               a recording in the panel&apos;s record file format
    read and record also feed: --prom FILE (node_exporter textfile),
    --mqtt URL [--mqtt-prefix T] (MQTT, Home Assistant discovery), --config FILE
  clock set | read             set the meter&apos;s clock from this computer&apos;s clock, or read it
  logger list | download (--set N | --all) --out DIR | set-id N | set-interval S |
         erase --yes           the meter&apos;s data logger
  convert FILE.txt --to csv [--out PATH]
                               a record file as CSV
  stats FILE... [--threshold VALUE[mG|uT]]... [--reference NAME]... [--from ISO]
        [--to ISO] [--format text|json|csv]
                               survey figures of record files
  report FILE... --out REPORT.pdf [the report dialog&apos;s fields, levels and range]
                               a survey report as a PDF
  survey new | add-room | add-point | measure | attach | list SURVEY-FILE [options]
                               a survey file: rooms, points, spot measurements, recordings

Meter commands take --port DEVICE, --com N (1-8) or --simulate.
&apos;veltrix-cli COMMAND --help&apos; describes a command.

Exit status: 0 success, 1 failure (a file, the meter&apos;s refusal), 2 usage error,
3 the port cannot be opened, 4 the meter does not answer, 5 the MQTT broker refused
the user name or password, 130 / 143 a logger or survey command stopped by SIGINT /
SIGTERM.</source>
        <translation>Liest, zeichnet auf und stellt das Veltrix-Feldmessgerät an einer seriellen Leitung, vom
Terminal oder aus einem Skript. Dieselbe Verbindung, dieselben Messdateien und Gerätebefehle
wie im Panel.

Befehle:
  ports                        gefundene serielle Geräte und die Zuordnung COM1..COM8
  read [--count N] [--interval S] [--format text|csv|jsonl|influx]
                               eine Zeile je Messwert
  record FILE [--interval S] [--count N | --duration D] [--rotate daily]
                               eine Aufzeichnung im Messdateiformat des Panels
    read und record speisen auch: --prom FILE (node_exporter-Textdatei),
    --mqtt URL [--mqtt-prefix T] (MQTT, Home-Assistant-Erkennung), --config FILE
  clock set | read             die Uhr des Messgeräts nach der Uhr dieses Computers stellen
                               oder sie lesen
  logger list | download (--set N | --all) --out DIR | set-id N | set-interval S |
         erase --yes           der Datenlogger des Messgeräts
  convert FILE.txt --to csv [--out PATH]
                               eine Messdatei als CSV
  stats FILE... [--threshold VALUE[mG|uT]]... [--reference NAME]... [--from ISO]
        [--to ISO] [--format text|json|csv]
                               Kennwerte von Messdateien
  report FILE... --out REPORT.pdf [Felder, Werte und Zeitraum des Berichtsdialogs]
                               ein Messbericht als PDF
  survey new | add-room | add-point | measure | attach | list SURVEY-FILE [Optionen]
                               eine Messprojektdatei: Räume, Messpunkte, Spotmessungen,
                               Aufzeichnungen

Gerätebefehle nehmen --port DEVICE, --com N (1-8) oder --simulate.
&apos;veltrix-cli BEFEHL --help&apos; beschreibt einen Befehl.

Exit-Status: 0 Erfolg, 1 Fehler (eine Datei, das Messgerät lehnt ab), 2 falscher Aufruf,
3 der Port lässt sich nicht öffnen, 4 das Messgerät antwortet nicht, 5 der MQTT-Broker
lehnt Benutzername oder Passwort ab, 130 / 143 ein logger- oder survey-Befehl wurde durch
SIGINT / SIGTERM beendet.</translation>
    </message>
    <message>
        <source>cannot run the report writer %1: %2</source>
        <translation>der Berichtsschreiber %1 lässt sich nicht starten: %2</translation>
    </message>
    <message>
        <source>See Commands above.</source>
        <translation>Siehe Befehle oben.</translation>
    </message>
    <message>
        <source> (try --help)</source>
        <translation> (siehe --help)</translation>
    </message>
    <message>
        <source>a command is needed (try --help)</source>
        <translation>ein Befehl fehlt (siehe --help)</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos; (try --help)</source>
        <translation>unbekannter Befehl &apos;%1&apos; (siehe --help)</translation>
    </message>
    <message>
        <source>--%1 expects a whole number from %2 to %3, got &apos;%4&apos;</source>
        <translation>--%1 erwartet eine ganze Zahl von %2 bis %3, erhalten: &apos;%4&apos;</translation>
    </message>
    <message>
        <source>--%1 expects seconds or a number ending in s, m, h or d, got &apos;%2&apos;</source>
        <translation>--%1 erwartet Sekunden oder eine Zahl mit s, m, h oder d am Ende, erhalten: &apos;%2&apos;</translation>
    </message>
    <message>
        <source>The subcommand.</source>
        <translation>Der Unterbefehl.</translation>
    </message>
    <message>
        <source>missing argument (try --help)</source>
        <translation>Argument fehlt (siehe --help)</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos; (try --help)</source>
        <translation>unerwartetes Argument &apos;%1&apos; (siehe --help)</translation>
    </message>
    <message>
        <source>--%1 needs --%2</source>
        <translation>--%1 braucht --%2</translation>
    </message>
    <message>
        <source>--%1 and --%2 exclude each other</source>
        <translation>--%1 und --%2 schließen einander aus</translation>
    </message>
    <message>
        <source>interrupted (%1)</source>
        <translation>abgebrochen (%1)</translation>
    </message>
    <message>
        <source>cannot start the virtual meter: %1</source>
        <translation>das virtuelle Messgerät lässt sich nicht starten: %1</translation>
    </message>
    <message>
        <source>cannot open COM%1%2: %3</source>
        <translation>COM%1%2 lässt sich nicht öffnen: %3</translation>
    </message>
    <message>
        <source>the meter on %1 does not answer</source>
        <translation>das Messgerät an %1 antwortet nicht</translation>
    </message>
    <message>
        <source>COMMAND [options]</source>
        <translation>BEFEHL [Optionen]</translation>
    </message>
</context>
<context>
    <name>CliFeeds</name>
    <message>
        <source>cannot create the MQTT client</source>
        <translation>der MQTT-Client lässt sich nicht anlegen</translation>
    </message>
    <message>
        <source>cannot use the CA file %1: %2</source>
        <translation>die CA-Datei %1 ist nicht verwendbar: %2</translation>
    </message>
    <message>
        <source>MQTT broker %1 not reachable (%2); trying again in the background</source>
        <translation>MQTT-Broker %1 nicht erreichbar (%2); neuer Versuch im Hintergrund</translation>
    </message>
    <message>
        <source>MQTT broker lost; readings are queued while trying again</source>
        <translation>Verbindung zum MQTT-Broker verloren; Messwerte werden bis zum nächsten Versuch zwischengespeichert</translation>
    </message>
    <message>
        <source>MQTT broker connected</source>
        <translation>MQTT-Broker verbunden</translation>
    </message>
    <message>
        <source>MQTT broker connected; %1 readings dropped while it was away (the queue holds %2)</source>
        <translation>MQTT-Broker verbunden; %1 Messwerte gingen während der Unterbrechung verloren (der Zwischenspeicher fasst %2)</translation>
    </message>
    <message>
        <source>MQTT: %1</source>
        <translation>MQTT: %1</translation>
    </message>
    <message>
        <source>--prom needs a file name</source>
        <translation>--prom braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>--meter-id expects 1 to 64 printable characters</source>
        <translation>--meter-id erwartet 1 bis 64 druckbare Zeichen</translation>
    </message>
    <message>
        <source>--mqtt: %1</source>
        <translation>--mqtt: %1</translation>
    </message>
    <message>
        <source>--cafile needs an mqtts:// URL</source>
        <translation>--cafile braucht eine mqtts://-URL</translation>
    </message>
    <message>
        <source>--cafile: cannot read %1</source>
        <translation>--cafile: %1 lässt sich nicht lesen</translation>
    </message>
    <message>
        <source>--mqtt-prefix must be a topic without wildcards (+, #) and without a leading or trailing /</source>
        <translation>--mqtt-prefix muss ein Topic ohne Platzhalter (+, #) und ohne / am Anfang oder Ende sein</translation>
    </message>
    <message>
        <source>--mqtt-password-file: cannot read %1: %2</source>
        <translation>--mqtt-password-file: %1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>a broker password needs a user name (--mqtt-user or mqtt://user@host)</source>
        <translation>ein Broker-Passwort braucht einen Benutzernamen (--mqtt-user oder mqtt://user@host)</translation>
    </message>
    <message>
        <source>the MQTT broker %1 refused the connection: %2</source>
        <translation>der MQTT-Broker %1 hat die Verbindung abgelehnt: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2; the last whole file stays</source>
        <translation>%1 lässt sich nicht schreiben: %2; die letzte vollständige Datei bleibt</translation>
    </message>
    <message>
        <source>%1 written again</source>
        <translation>%1 wird wieder geschrieben</translation>
    </message>
    <message>
        <source>--config needs a file name</source>
        <translation>--config braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>%1 is not read: other users can change it (it must belong to root or to this user and be writable by its owner only)</source>
        <translation>%1 wird nicht gelesen: andere Benutzer können die Datei ändern (sie muss root oder diesem Benutzer gehören und nur für ihren Eigentümer beschreibbar sein)</translation>
    </message>
    <message>
        <source>%1:%2: not an option name: &apos;%3&apos;</source>
        <translation>%1:%2: kein Optionsname: &apos;%3&apos;</translation>
    </message>
    <message>
        <source>%1 holds a password but other users can read it; chmod 600 (or 640 with the service&apos;s group)</source>
        <translation>%1 enthält ein Passwort, das andere Benutzer lesen können; chmod 600 (oder 640 mit der Gruppe des Dienstes)</translation>
    </message>
</context>
<context>
    <name>CliLogger</name>
    <message>
        <source>memory status</source>
        <translation>Speicherstatus</translation>
    </message>
    <message>
        <source>list of sets</source>
        <translation>Liste der Messreihen</translation>
    </message>
    <message>
        <source>ID code: %1
</source>
        <translation>ID-Code: %1
</translation>
    </message>
    <message>
        <source>Logging interval: %1 s
</source>
        <translation>Aufzeichnungsintervall: %1 s
</translation>
    </message>
    <message>
        <source>Memory left: %1 K
</source>
        <translation>Freier Speicher: %1 K
</translation>
    </message>
    <message>
        <source>Sets: %1
</source>
        <translation>Messreihen: %1
</translation>
    </message>
    <message>
        <source>Set  Date      Time      Unit  Interval  Records
</source>
        <translation>Nr.  Datum     Uhrzeit   Einh. Intervall  Anzahl
</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created</source>
        <translation>der Ordner %1 lässt sich nicht anlegen</translation>
    </message>
    <message>
        <source>the meter holds %1 set(s); there is no set %2</source>
        <translation>das Messgerät hat %1 Messreihe(n); eine Messreihe %2 gibt es nicht</translation>
    </message>
    <message>
        <source>set %1 of %2: %3 of %4 records</source>
        <translation>Messreihe %1 von %2: %3 von %4 Datensätzen</translation>
    </message>
    <message>
        <source>%1 of %2 set(s) saved in %3%4</source>
        <translation>%1 von %2 Messreihe(n) in %3 gespeichert%4</translation>
    </message>
    <message>
        <source>; what arrived of the last one is kept as an _incomplete file</source>
        <translation>; was von der letzten ankam, bleibt als _incomplete-Datei erhalten</translation>
    </message>
    <message>
        <source>logger download needs --set N or --all, and --out DIR</source>
        <translation>logger download braucht --set N oder --all sowie --out DIR</translation>
    </message>
    <message>
        <source>the ID code must be a number from 0 to %1, got &apos;%2&apos;</source>
        <translation>der ID-Code muss eine Zahl von 0 bis %1 sein, erhalten: &apos;%2&apos;</translation>
    </message>
    <message>
        <source>ID code set to %1
</source>
        <translation>ID-Code gesetzt auf %1
</translation>
    </message>
    <message>
        <source>the interval must be 0.4 to 102.0 seconds in steps of 0.4 s, got &apos;%1&apos;</source>
        <translation>das Intervall muss 0.4 bis 102.0 Sekunden in Schritten von 0.4 s betragen, erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Logging interval set to %1 s
</source>
        <translation>Aufzeichnungsintervall gesetzt auf %1 s
</translation>
    </message>
    <message>
        <source>logger erase deletes every logged set; give --yes to do it</source>
        <translation>logger erase löscht alle aufgezeichneten Messreihen; dazu --yes angeben</translation>
    </message>
    <message>
        <source>the meter on %1 does not answer</source>
        <translation>das Messgerät an %1 antwortet nicht</translation>
    </message>
    <message>
        <source>the meter&apos;s memory is locked: nothing was erased. Unlock it on the meter and try again.</source>
        <translation>der Speicher des Messgeräts ist gesperrt: nichts wurde gelöscht. Entsperren Sie ihn am Gerät und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>All the memory in EEPROM was deleted.
</source>
        <translation>Der gesamte EEPROM-Speicher wurde gelöscht.
</translation>
    </message>
    <message>
        <source>logger %1 needs a value (try --help)</source>
        <translation>logger %1 braucht einen Wert (siehe --help)</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos; (try --help)</source>
        <translation>unerwartetes Argument &apos;%1&apos; (siehe --help)</translation>
    </message>
    <message>
        <source>logger needs an action (try --help)</source>
        <translation>logger braucht eine Aktion (siehe --help)</translation>
    </message>
    <message>
        <source>unknown logger action &apos;%1&apos; (try --help)</source>
        <translation>unbekannte logger-Aktion &apos;%1&apos; (siehe --help)</translation>
    </message>
    <message>
        <source>meter clock</source>
        <translation>Uhr des Messgeräts</translation>
    </message>
</context>
<context>
    <name>CliOptions</name>
    <message>
        <source>The meter&apos;s serial device, e.g. /dev/ttyUSB0.</source>
        <translation>Das serielle Gerät des Messgeräts, z. B. /dev/ttyUSB0.</translation>
    </message>
    <message>
        <source>The meter&apos;s port COM1..COM8 as the panel binds them (see &apos;veltrix-cli ports&apos;). Default: 1.</source>
        <translation>Der Port COM1..COM8 des Messgeräts, wie das Panel sie zuordnet (siehe &apos;veltrix-cli ports&apos;). Standard: 1.</translation>
    </message>
    <message>
        <source>Talk to the virtual meter (no hardware needed).</source>
        <translation>Mit dem virtuellen Messgerät arbeiten (keine Hardware nötig).</translation>
    </message>
    <message>
        <source>Stop after N readings.</source>
        <translation>Nach N Messwerten aufhören.</translation>
    </message>
    <message>
        <source>One reading every S seconds (1-86400), on whole seconds of the clock.</source>
        <translation>Ein Messwert alle S Sekunden (1-86400), auf volle Sekunden der Uhr.</translation>
    </message>
    <message>
        <source>text (default), csv, jsonl or influx (InfluxDB line protocol).</source>
        <translation>text (Standard), csv, jsonl oder influx (InfluxDB-Line-Protocol).</translation>
    </message>
    <message>
        <source>--format expects text, csv, jsonl or influx, got &apos;%1&apos;</source>
        <translation>--format erwartet text, csv, jsonl oder influx, erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Sampling time in seconds, 1-86400 (default 2, as in the panel).</source>
        <translation>Messintervall in Sekunden, 1-86400 (Standard 2, wie im Panel).</translation>
    </message>
    <message>
        <source>Stop after N records.</source>
        <translation>Nach N Datensätzen aufhören.</translation>
    </message>
    <message>
        <source>Stop after D seconds; D may end in s, m, h or d (90m, 2h).</source>
        <translation>Nach D Sekunden aufhören; D darf auf s, m, h oder d enden (90m, 2h).</translation>
    </message>
    <message>
        <source>Replace FILE if it exists (by default an existing recording is never replaced).</source>
        <translation>FILE ersetzen, wenn es existiert (sonst wird eine vorhandene Aufzeichnung nie ersetzt).</translation>
    </message>
    <message>
        <source>Records per file.</source>
        <translation>Datensätze je Datei.</translation>
    </message>
    <message>
        <source>daily: a new file every midnight, FILE&apos;s name with the date added (data-2026-12-07.txt).</source>
        <translation>daily: jede Mitternacht eine neue Datei, der Name von FILE mit angehängtem Datum (data-2026-12-07.txt).</translation>
    </message>
    <message>
        <source>--rotate expects daily, got &apos;%1&apos;</source>
        <translation>--rotate erwartet daily, erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>influx: also print every record in InfluxDB line protocol on standard output.</source>
        <translation>influx: jeden Datensatz zusätzlich im InfluxDB-Line-Protocol auf die Standardausgabe schreiben.</translation>
    </message>
    <message>
        <source>--format expects influx, got &apos;%1&apos;</source>
        <translation>--format erwartet influx, erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Keep FILE a node_exporter textfile with the latest reading (replaced atomically on every reading).</source>
        <translation>FILE als node_exporter-Textdatei mit dem neuesten Messwert führen (bei jedem Messwert atomar ersetzt).</translation>
    </message>
    <message>
        <source>Publish to the broker at mqtt://[user@]host[:port] or mqtts://... (with Home Assistant discovery).</source>
        <translation>An den Broker unter mqtt://[user@]host[:port] oder mqtts://... senden (mit Home-Assistant-Erkennung).</translation>
    </message>
    <message>
        <source>Topic prefix (default veltrix/&lt;meter ID&gt;).</source>
        <translation>Topic-Präfix (Standard veltrix/&lt;Geräte-ID&gt;).</translation>
    </message>
    <message>
        <source>The broker&apos;s user name.</source>
        <translation>Der Benutzername beim Broker.</translation>
    </message>
    <message>
        <source>Read the broker&apos;s password from FILE (or set VELTRIX_MQTT_PASSWORD).</source>
        <translation>Das Passwort des Brokers aus FILE lesen (oder VELTRIX_MQTT_PASSWORD setzen).</translation>
    </message>
    <message>
        <source>mqtts: the CA certificate that signed the broker&apos;s (default: the system&apos;s CAs).</source>
        <translation>mqtts: das CA-Zertifikat, das das des Brokers signiert hat (Standard: die CAs des Systems).</translation>
    </message>
    <message>
        <source>The meter&apos;s name in every output (default: model and the logger&apos;s ID code).</source>
        <translation>Der Name des Messgeräts in jeder Ausgabe (Standard: Modell und ID-Code des Loggers).</translation>
    </message>
    <message>
        <source>Readings kept while the broker is away (default 10000; the oldest are dropped).</source>
        <translation>Messwerte, die bei fehlendem Broker aufbewahrt werden (Standard 10000; die ältesten entfallen).</translation>
    </message>
    <message>
        <source>The format: csv.</source>
        <translation>Das Format: csv.</translation>
    </message>
    <message>
        <source>convert needs --to csv (try --help)</source>
        <translation>convert braucht --to csv (siehe --help)</translation>
    </message>
    <message>
        <source>Where to write (default: FILE with .csv in place of its suffix; - for standard output).</source>
        <translation>Wohin geschrieben wird (Standard: FILE mit .csv statt seiner Endung; - für die Standardausgabe).</translation>
    </message>
    <message>
        <source>download: set N.</source>
        <translation>download: Messreihe N.</translation>
    </message>
    <message>
        <source>download: every set.</source>
        <translation>download: alle Messreihen.</translation>
    </message>
    <message>
        <source>download: the folder for the record files (created if need be).</source>
        <translation>download: der Ordner für die Messdateien (wird bei Bedarf angelegt).</translation>
    </message>
    <message>
        <source>erase: yes, erase all the logged sets.</source>
        <translation>erase: ja, alle aufgezeichneten Messreihen löschen.</translation>
    </message>
    <message>
        <source>A level: VALUE[mG|uT]. May be repeated.</source>
        <translation>Ein Wert: VALUE[mG|uT]. Mehrfach möglich.</translation>
    </message>
    <message>
        <source>A reference set by its key: a published one or one of --reference-file. May be repeated.</source>
        <translation>Ein Richtwertsatz über seinen Schlüssel: ein veröffentlichter oder einer aus --reference-file. Mehrfach möglich.</translation>
    </message>
    <message>
        <source>A reference set of your own (format: docs/reference-levels.md); --reference names it by its key. May be repeated.</source>
        <translation>Ein eigener Richtwertsatz (Format: docs/reference-levels.md); --reference nennt ihn über seinen Schlüssel. Mehrfach möglich.</translation>
    </message>
    <message>
        <source>The mains frequency, 50 (default) or 60: ICNIRP 1998&apos;s level depends on it.</source>
        <translation>Die Netzfrequenz, 50 (Standard) oder 60: der Wert der ICNIRP 1998 hängt davon ab.</translation>
    </message>
    <message>
        <source>--mains expects 50 or 60, got &apos;%1&apos;</source>
        <translation>--mains erwartet 50 oder 60, erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Only records at or after this ISO 8601 time.</source>
        <translation>Nur Datensätze ab diesem Zeitpunkt (ISO 8601).</translation>
    </message>
    <message>
        <source>Only records at or before this ISO 8601 time (a date alone: to its end).</source>
        <translation>Nur Datensätze bis zu diesem Zeitpunkt (ISO 8601; ein Datum allein: bis zu seinem Ende).</translation>
    </message>
    <message>
        <source>text (default), json or csv.</source>
        <translation>text (Standard), json oder csv.</translation>
    </message>
    <message>
        <source>unknown format &apos;%1&apos;: text, json or csv</source>
        <translation>unbekanntes Format &apos;%1&apos;: text, json oder csv</translation>
    </message>
    <message>
        <source>The PDF to write (replaced whole, or left as it was when it cannot be written).</source>
        <translation>Die zu schreibende PDF-Datei (ganz ersetzt, oder unverändert gelassen, wenn sie sich nicht schreiben lässt).</translation>
    </message>
    <message>
        <source>The report&apos;s title (default: Magnetic field survey).</source>
        <translation>Der Titel des Berichts (Standard: Messung magnetischer Wechselfelder).</translation>
    </message>
    <message>
        <source>The site.</source>
        <translation>Das Objekt.</translation>
    </message>
    <message>
        <source>Who the survey is for.</source>
        <translation>Für wen die Messung ist.</translation>
    </message>
    <message>
        <source>Where within the site (bedroom, bed head).</source>
        <translation>Wo im Objekt (Schlafzimmer, Kopfende).</translation>
    </message>
    <message>
        <source>Who measured.</source>
        <translation>Wer gemessen hat.</translation>
    </message>
    <message>
        <source>Their company.</source>
        <translation>Dessen Firma.</translation>
    </message>
    <message>
        <source>Where the report is signed.</source>
        <translation>Wo der Bericht unterschrieben wird.</translation>
    </message>
    <message>
        <source>Notes.</source>
        <translation>Bemerkungen.</translation>
    </message>
    <message>
        <source>An instrument the report dialog remembers, by its model and serial or its serial alone; the options below change single fields of it.</source>
        <translation>Ein Messgerät, das sich der Berichtsdialog gemerkt hat, über Modell und Seriennummer oder die Seriennummer allein; die folgenden Optionen ändern einzelne Felder davon.</translation>
    </message>
    <message>
        <source>The meter&apos;s model.</source>
        <translation>Das Modell des Messgeräts.</translation>
    </message>
    <message>
        <source>Its serial number or ID code.</source>
        <translation>Seine Seriennummer oder sein ID-Code.</translation>
    </message>
    <message>
        <source>Its last calibration, YYYY-MM-DD.</source>
        <translation>Seine letzte Kalibrierung, JJJJ-MM-TT.</translation>
    </message>
    <message>
        <source>Its frequency range (16 Hz - 2 kHz).</source>
        <translation>Sein Frequenzbereich (16 Hz - 2 kHz).</translation>
    </message>
    <message>
        <source>1 (single axis) or 3 (isotropic).</source>
        <translation>1 (einachsig) oder 3 (isotrop).</translation>
    </message>
    <message>
        <source>--axes expects 1 or 3, got &apos;%1&apos;</source>
        <translation>--axes erwartet 1 oder 3, erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>How the survey was made: where the meter stood, what ran meanwhile.</source>
        <translation>Wie gemessen wurde: wo das Messgerät stand, was währenddessen lief.</translation>
    </message>
    <message>
        <source>The unit of the figures: nT, uT or mG (default: mG where the locale measures in US units, else uT).</source>
        <translation>Die Einheit der Kennwerte: nT, uT oder mG (Standard: mG, wo das Gebietsschema in US-Einheiten misst, sonst uT).</translation>
    </message>
    <message>
        <source>--unit expects nT, uT or mG, got &apos;%1&apos;</source>
        <translation>--unit erwartet nT, uT oder mG, erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>The conclusion.</source>
        <translation>Das Fazit.</translation>
    </message>
    <message>
        <source>The recommendations.</source>
        <translation>Die Empfehlungen.</translation>
    </message>
    <message>
        <source>Add the records as a table.</source>
        <translation>Die Datensätze als Tabelle anfügen.</translation>
    </message>
    <message>
        <source>a4 or letter (default: letter where the locale measures in US units, else a4).</source>
        <translation>a4 oder letter (Standard: letter, wo das Gebietsschema in US-Einheiten misst, sonst a4).</translation>
    </message>
    <message>
        <source>--paper expects a4 or letter, got &apos;%1&apos;</source>
        <translation>--paper erwartet a4 oder letter, erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>new: the site surveyed.</source>
        <translation>new: das gemessene Objekt.</translation>
    </message>
    <message>
        <source>new: who the survey is for.</source>
        <translation>new: für wen die Messung ist.</translation>
    </message>
    <message>
        <source>new: who measures.</source>
        <translation>new: wer misst.</translation>
    </message>
    <message>
        <source>new: the site&apos;s mains frequency, 50 (default) or 60.</source>
        <translation>new: die Netzfrequenz am Objekt, 50 (Standard) oder 60.</translation>
    </message>
    <message>
        <source>new: a reference set the report compares with, by its key. May be repeated.</source>
        <translation>new: ein Richtwertsatz, mit dem der Bericht vergleicht, über seinen Schlüssel. Mehrfach möglich.</translation>
    </message>
    <message>
        <source>new: the reference whose bands colour the points (default: buildingbiology).</source>
        <translation>new: die Richtwerte, deren Stufen die Messpunkte einfärben (Standard: buildingbiology).</translation>
    </message>
    <message>
        <source>new: the unit of the figures, nT, uT (default) or mG.</source>
        <translation>new: die Einheit der Kennwerte, nT, uT (Standard) oder mG.</translation>
    </message>
    <message>
        <source>new: a session beyond before and after (may be repeated). measure, attach: the session the measurement belongs to (default: the survey&apos;s first, before).</source>
        <translation>new: ein Messdurchgang neben before und after (mehrfach möglich). measure, attach: der Messdurchgang, zu dem die Messung gehört (Standard: der erste des Projekts, before).</translation>
    </message>
    <message>
        <source>new: replace an existing file.</source>
        <translation>new: eine vorhandene Datei ersetzen.</translation>
    </message>
    <message>
        <source>The room. add-point creates it when the survey has none of that name; measure and attach need it only when rooms share the point&apos;s name.</source>
        <translation>Der Raum. add-point legt ihn an, wenn das Projekt keinen dieses Namens hat; measure und attach brauchen ihn nur, wenn mehrere Räume einen Messpunkt dieses Namens haben.</translation>
    </message>
    <message>
        <source>The measuring point (names are unique within a room).</source>
        <translation>Der Messpunkt (Namen sind innerhalb eines Raums eindeutig).</translation>
    </message>
    <message>
        <source>add-room, add-point: notes.</source>
        <translation>add-room, add-point: Bemerkungen.</translation>
    </message>
    <message>
        <source>add-point: its place on the floor plan, as fractions 0..1 of the plan&apos;s width and height from its top-left corner (0.25,0.6).</source>
        <translation>add-point: seine Lage im Grundriss, als Anteile 0..1 von Breite und Höhe des Plans ab der linken oberen Ecke (0.25,0.6).</translation>
    </message>
    <message>
        <source>new, set-plan: the floor plan, a PNG or JPEG (copied into the survey).</source>
        <translation>new, set-plan: der Grundriss, ein PNG oder JPEG (wird in das Projekt kopiert).</translation>
    </message>
    <message>
        <source>add-point: a photo of the point, PNG or JPEG (copied into the survey).</source>
        <translation>add-point: ein Foto des Messpunkts, PNG oder JPEG (wird in das Projekt kopiert).</translation>
    </message>
    <message>
        <source>measure: the spot measurement&apos;s length in seconds (default 30).</source>
        <translation>measure: die Dauer der Spotmessung in Sekunden (Standard 30).</translation>
    </message>
    <message>
        <source>measure: one sample every S seconds, 1-86400 (default 2, as in the panel).</source>
        <translation>measure: ein Messwert alle S Sekunden, 1-86400 (Standard 2, wie im Panel).</translation>
    </message>
    <message>
        <source>attach: a record file, copied in byte for byte.</source>
        <translation>attach: eine Messdatei, Byte für Byte übernommen.</translation>
    </message>
    <message>
        <source>attach: set N of the meter&apos;s data logger, downloaded now.</source>
        <translation>attach: Messreihe N aus dem Datenlogger des Messgeräts, jetzt heruntergeladen.</translation>
    </message>
    <message>
        <source>attach: a logger set downloaded before (its record file).</source>
        <translation>attach: eine früher heruntergeladene Logger-Messreihe (ihre Messdatei).</translation>
    </message>
    <message>
        <source>list: text (default) or json.</source>
        <translation>list: text (Standard) oder json.</translation>
    </message>
    <message>
        <source>--format expects text or json, got &apos;%1&apos;</source>
        <translation>--format erwartet text oder json, erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Options from FILE.</source>
        <translation>Optionen aus FILE.</translation>
    </message>
    <message>
        <source>The serial devices found on this computer and the ports COM1..COM8 they stand for, as the panel&apos;s Port window shows them.</source>
        <translation>Die seriellen Geräte dieses Computers und die Ports COM1..COM8, für die sie stehen, wie das Port-Fenster des Panels sie zeigt.</translation>
    </message>
    <message>
        <source>Identifies the meter, then prints one line per reading: ISO 8601 local date-time, value (a number or OL), unit and the hold and peak marks. Without --interval every poll gives a line (about four a second); Ctrl-C ends.</source>
        <translation>Erkennt das Messgerät und gibt dann eine Zeile je Messwert aus: örtliches Datum und Uhrzeit nach ISO 8601, Wert (eine Zahl oder OL), Einheit sowie die Hold- und Peak-Markierungen. Ohne --interval ergibt jede Abfrage eine Zeile (etwa vier pro Sekunde); Strg-C beendet.</translation>
    </message>
    <message>
        <source>Records the meter&apos;s readings into FILE in the panel&apos;s record file format, one record every S seconds on whole seconds of the clock. Every record is on the disk as soon as it is taken; Ctrl-C (or SIGTERM) stops cleanly. A full file (50000 records) is continued in FILE&apos;s name with a number added (data-2.txt, ...), and so is a recording after the meter stopped answering and came back.</source>
        <translation>Zeichnet die Messwerte des Messgeräts in FILE im Messdateiformat des Panels auf, einen Datensatz alle S Sekunden auf volle Sekunden der Uhr. Jeder Datensatz steht sofort auf der Platte; Strg-C (oder SIGTERM) beendet sauber. Eine volle Datei (50000 Datensätze) wird unter dem Namen von FILE mit angehängter Nummer fortgesetzt (data-2.txt, ...), ebenso eine Aufzeichnung, nachdem das Messgerät nicht mehr antwortete und wieder da ist.</translation>
    </message>
    <message>
        <source>The record file.</source>
        <translation>Die Messdatei.</translation>
    </message>
    <message>
        <source>clock set: sets the meter&apos;s clock from this computer&apos;s clock.
clock read: prints the meter&apos;s clock (ISO 8601).</source>
        <translation>clock set: stellt die Uhr des Messgeräts nach der Uhr dieses Computers.
clock read: gibt die Uhr des Messgeräts aus (ISO 8601).</translation>
    </message>
    <message>
        <source>set or read.</source>
        <translation>set oder read.</translation>
    </message>
    <message>
        <source>Converts a record file to CSV (UTF-8, header row, ISO 8601 date-time, value as a number or OL, unit mG or µT, hold and peak marks).</source>
        <translation>Wandelt eine Messdatei in CSV um (UTF-8, Kopfzeile, Datum und Uhrzeit nach ISO 8601, Wert als Zahl oder OL, Einheit mG oder µT, Hold- und Peak-Markierungen).</translation>
    </message>
    <message>
        <source>The meter&apos;s data logger, as the Memory window shows it.
  list                         ID code, interval, memory left and the logged sets
  download --set N --out DIR   one set as a record file in DIR
  download --all --out DIR     every set, named as &quot;Save all sets&quot; names them
  set-id N                     the identification code (0-65535)
  set-interval S               the logging interval (0.4 to 102.0 s in 0.4 s steps)
  erase --yes                  erases the whole logger memory (refused when the meter&apos;s memory is locked)</source>
        <translation>Der Datenlogger des Messgeräts, wie ihn das Speicher-Fenster zeigt.
  list                         ID-Code, Intervall, freier Speicher und die aufgezeichneten Messreihen
  download --set N --out DIR   eine Messreihe als Messdatei in DIR
  download --all --out DIR     alle Messreihen, benannt wie bei &quot;Alle Messreihen speichern&quot;
  set-id N                     der Identifikationscode (0-65535)
  set-interval S               das Aufzeichnungsintervall (0.4 bis 102.0 s in Schritten von 0.4 s)
  erase --yes                  löscht den ganzen Logger-Speicher (abgelehnt, wenn der Speicher des Messgeräts gesperrt ist)</translation>
    </message>
    <message>
        <source>list, download, set-id, set-interval or erase.</source>
        <translation>list, download, set-id, set-interval oder erase.</translation>
    </message>
    <message>
        <source>Survey figures of record files, taken together in the order given: count, first and last time, duration, sampling time, minimum and maximum with their times, mean, median, 95th percentile, standard deviation, overloads (OL) and invalid readings apart, time above each level and the longest stretch above it, gaps and clocks set back.
Levels: --threshold 5mG, 0.4uT (a bare number is in the unit of the first reading) or --reference NAME, each with a sentence comparing the figure it is meant for with it; NAME a key of --reference-file or one of: </source>
        <translation>Kennwerte von Messdateien, zusammengenommen in der angegebenen Reihenfolge: Anzahl, erster und letzter Zeitpunkt, Dauer, Messintervall, Minimum und Maximum mit ihren Zeitpunkten, Mittelwert, Median, 95. Perzentil, Standardabweichung, Übersteuerungen (OL) und ungültige Messwerte gesondert, Zeit über jedem Wert und die längste Strecke darüber, Lücken und zurückgestellte Uhren.
Werte: --threshold 5mG, 0.4uT (eine bloße Zahl gilt in der Einheit des ersten Messwerts) oder --reference NAME, jeweils mit einem Satz, der den gemeinten Kennwert damit vergleicht; NAME ein Schlüssel aus --reference-file oder einer von: </translation>
    </message>
    <message>
        <source>Record files.</source>
        <translation>Messdateien.</translation>
    </message>
    <message>
        <source>A survey report as a PDF, the same as the report dialog of the panel writes, of record files taken together in the order given: the figures, a chart of the whole period, the time above each level, the assessment against each reference, the instrument and the method, a signature line, and each file&apos;s SHA-256. Works without a desktop.
A survey file (SURVEY.vsurvey) alone gives the report of its points, sessions and floor plan, with the fields, references and unit the survey holds: only --out and --reference-file apply to it.
Levels: --threshold 5mG, 0.4uT (a bare number is in the unit of the first reading) or --reference NAME, NAME a key of --reference-file or one of: </source>
        <translation>Ein Messbericht als PDF, derselbe, den der Berichtsdialog des Panels schreibt, über Messdateien, zusammengenommen in der angegebenen Reihenfolge: die Kennwerte, ein Diagramm des ganzen Zeitraums, die Zeit über jedem Wert, die Bewertung nach jedem Richtwertsatz, Messgerät und Messverfahren, eine Unterschriftszeile und die SHA-256 jeder Datei. Geht ohne Desktop.
Eine Messprojektdatei (SURVEY.vsurvey) allein ergibt den Bericht ihrer Messpunkte, Messdurchgänge und ihres Grundrisses, mit den Feldern, Richtwerten und der Einheit des Projekts: nur --out und --reference-file gelten dafür.
Werte: --threshold 5mG, 0.4uT (eine bloße Zahl gilt in der Einheit des ersten Messwerts) oder --reference NAME, NAME ein Schlüssel aus --reference-file oder einer von: </translation>
    </message>
    <message>
        <source>Record files, or one survey file.</source>
        <translation>Messdateien oder eine Messprojektdatei.</translation>
    </message>
    <message>
        <source>A survey file: one site visit&apos;s rooms, measuring points and their measurements in sessions (before, after, ...), the file the Survey window opens and `report` turns into a PDF. Every action reads the file, changes it and writes it back whole; a file that cannot be read, or a refused action, leaves it as it was.
  new [--site T] [--client T] [--operator N] [--mains HZ] [--reference KEY]...
      [--guidance KEY] [--unit U] [--session NAME]... [--plan FILE] [--force]
  set-plan --plan FILE           the floor plan, a PNG or JPEG (points keep their places)
  add-room --room NAME [--notes T]
  add-point --room NAME --point NAME [--notes T] [--position X,Y] [--photo FILE]
  measure --point NAME [--room NAME] [--session NAME] [--seconds N] [--sampling S]
      a spot measurement from the meter (--port, --com or --simulate)
  attach --point NAME [--room NAME] [--session NAME]
      (--recording FILE | --logger-set N | --logger-file FILE)
  list [--format text|json]     rooms, points, measurements and each point&apos;s figures</source>
        <translation>Eine Messprojektdatei: Räume, Messpunkte und deren Messungen eines Ortstermins in Messdurchgängen (before, after, ...), die Datei, die das Messprojekt-Fenster öffnet und `report` zu einem PDF macht. Jede Aktion liest die Datei, ändert sie und schreibt sie ganz zurück; eine unlesbare Datei oder eine abgelehnte Aktion lässt sie, wie sie war.
  new [--site T] [--client T] [--operator N] [--mains HZ] [--reference KEY]...
      [--guidance KEY] [--unit U] [--session NAME]... [--plan FILE] [--force]
  set-plan --plan FILE           der Grundriss, ein PNG oder JPEG (Messpunkte behalten ihre Lage)
  add-room --room NAME [--notes T]
  add-point --room NAME --point NAME [--notes T] [--position X,Y] [--photo FILE]
  measure --point NAME [--room NAME] [--session NAME] [--seconds N] [--sampling S]
      eine Spotmessung mit dem Messgerät (--port, --com oder --simulate)
  attach --point NAME [--room NAME] [--session NAME]
      (--recording FILE | --logger-set N | --logger-file FILE)
  list [--format text|json]     Räume, Messpunkte, Messungen und die Kennwerte jedes Messpunkts</translation>
    </message>
    <message>
        <source>The action and the survey file.</source>
        <translation>Die Aktion und die Messprojektdatei.</translation>
    </message>
</context>
<context>
    <name>CliReport</name>
    <message>
        <source>no instrument &apos;%1&apos; is remembered (%2)</source>
        <translation>kein Messgerät &apos;%1&apos; gespeichert (%2)</translation>
    </message>
    <message>
        <source>none is: the report dialog remembers the instruments it reported with</source>
        <translation>es ist keines: der Berichtsdialog merkt sich die Messgeräte, mit denen er Berichte schrieb</translation>
    </message>
    <message>
        <source>remembered: </source>
        <translation>gespeichert: </translation>
    </message>
    <message>
        <source>--calibrated &apos;%1&apos; is not a date such as 2026-01-15</source>
        <translation>--calibrated &apos;%1&apos; ist kein Datum wie 2026-01-15</translation>
    </message>
    <message>
        <source>a survey file is reported on its own, not with other files</source>
        <translation>eine Messprojektdatei wird allein berichtet, nicht zusammen mit anderen Dateien</translation>
    </message>
    <message>
        <source>--%1 is for record files: a survey&apos;s report takes its fields, levels and unit from the survey file</source>
        <translation>--%1 gilt für Messdateien: der Bericht eines Messprojekts nimmt Felder, Werte und Einheit aus der Projektdatei</translation>
    </message>
    <message>
        <source>report needs --out REPORT.pdf (try --help)</source>
        <translation>report braucht --out REPORT.pdf (siehe --help)</translation>
    </message>
    <message>
        <source>--threshold &apos;%1&apos; is not a level such as 5mG or 0.4uT</source>
        <translation>--threshold &apos;%1&apos; ist kein Wert wie 5mG oder 0.4uT</translation>
    </message>
</context>
<context>
    <name>CliStats</name>
    <message>
        <source>record %1</source>
        <translation>Datensatz %1</translation>
    </message>
    <message>
        <source>%1 record %2</source>
        <translation>%1 Datensatz %2</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>%1  %2 records  SHA-256 %3</source>
        <translation>%1  %2 Datensätze  SHA-256 %3</translation>
    </message>
    <message>
        <source>%1: %2 readings, %3 %4 (OL), %5 invalid</source>
        <translation>%1: %2 Messwerte, %3 %4 (OL), %5 ungültig</translation>
    </message>
    <message>
        <source>overload</source>
        <translation>Übersteuerung</translation>
    </message>
    <message>
        <source>overloads</source>
        <translation>Übersteuerungen</translation>
    </message>
    <message>
        <source>; %1 converted to %2</source>
        <translation>; %1 umgerechnet in %2</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Datensätze</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Erster</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Letzter</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Sampling time</source>
        <translation>Messintervall</translation>
    </message>
    <message>
        <source>unknown (one reading)</source>
        <translation>unbekannt (ein Messwert)</translation>
    </message>
    <message>
        <source>Readings</source>
        <translation>Messwerte</translation>
    </message>
    <message>
        <source>none with a value: every one is an overload (OL)</source>
        <translation>keiner mit Wert: jeder ist eine Übersteuerung (OL)</translation>
    </message>
    <message>
        <source>  at </source>
        <translation>  am </translation>
    </message>
    <message>
        <source>Measured</source>
        <translation>Gemessen</translation>
    </message>
    <message>
        <source>%1 (%2 readings and overloads × %3), the base of the shares</source>
        <translation>%1 (%2 Messwerte und Übersteuerungen × %3), die Grundlage der Anteile</translation>
    </message>
    <message>
        <source>, longest %1 from %2</source>
        <translation>, am längsten %1 ab %2</translation>
    </message>
    <message>
        <source>, overloads (OL) included: %1</source>
        <translation>, Übersteuerungen (OL) eingeschlossen: %1</translation>
    </message>
    <message>
        <source>Above </source>
        <translation>Über </translation>
    </message>
    <message>
        <source>Assessment</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>Lücke</translation>
    </message>
    <message>
        <source>Clock set back</source>
        <translation>Uhr zurückgestellt</translation>
    </message>
    <message>
        <source>%1 to %2%3</source>
        <translation>%1 bis %2%3</translation>
    </message>
    <message>
        <source>... and %1 more gaps and clock changes</source>
        <translation>... und %1 weitere Lücken und Uhrumstellungen</translation>
    </message>
    <message>
        <source>Overload (OL)</source>
        <translation>Übersteuerung (OL)</translation>
    </message>
    <message>
        <source>... and %1 more overloads (OL)</source>
        <translation>... und %1 weitere Übersteuerungen (OL)</translation>
    </message>
    <message>
        <source>Overload rule</source>
        <translation>Regel für OL</translation>
    </message>
    <message>
        <source>an overload (OL) counts above a level only when the level is at most %1, the top of the meter&apos;s smallest range: the records do not say the range a reading was taken in</source>
        <translation>eine Übersteuerung (OL) zählt nur dann als über einem Wert, wenn dieser höchstens %1 beträgt, das obere Ende des kleinsten Messbereichs: die Datensätze sagen nicht, in welchem Messbereich ein Messwert entstand</translation>
    </message>
    <message>
        <source>--%1 &apos;%2&apos; is not an ISO 8601 date or date and time</source>
        <translation>--%1 &apos;%2&apos; ist kein Datum und keine Zeit nach ISO 8601</translation>
    </message>
    <message>
        <source>--to lies before --from: the range is empty</source>
        <translation>--to liegt vor --from: der Zeitraum ist leer</translation>
    </message>
    <message>
        <source>unknown reference &apos;%1&apos; (known: %2)</source>
        <translation>unbekannte Richtwerte &apos;%1&apos; (bekannt: %2)</translation>
    </message>
    <message>
        <source>%1 is not a record file</source>
        <translation>%1 ist keine Messdatei</translation>
    </message>
    <message>
        <source>%1 became shorter while it was read; run the command again</source>
        <translation>%1 wurde beim Lesen kürzer; bitte den Befehl noch einmal ausführen</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>--threshold &apos;%1&apos; is not a level such as 5mG or 0.4uT</source>
        <translation>--threshold &apos;%1&apos; ist kein Wert wie 5mG oder 0.4uT</translation>
    </message>
    <message>
        <source>reading the records, pass %1: %2 %</source>
        <translation>Datensätze werden gelesen, Durchgang %1: %2 %</translation>
    </message>
    <message>
        <source>%1 holds no records</source>
        <translation>%1 enthält keine Datensätze</translation>
    </message>
    <message>
        <source>the files hold no records</source>
        <translation>die Dateien enthalten keine Datensätze</translation>
    </message>
    <message>
        <source>%1 needs at least one record file (try --help)</source>
        <translation>%1 braucht mindestens eine Messdatei (siehe --help)</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>95th percentile</source>
        <translation>95. Perzentil</translation>
    </message>
    <message>
        <source>Std deviation</source>
        <translation>Standardabw.</translation>
    </message>
</context>
<context>
    <name>CliSurvey</name>
    <message>
        <source>survey %1 needs --%2 (try --help)</source>
        <translation>survey %1 braucht --%2 (siehe --help)</translation>
    </message>
    <message>
        <source>the survey has no point &apos;%1&apos;</source>
        <translation>das Projekt hat keinen Messpunkt &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the survey has no point &apos;%1&apos; in room &apos;%2&apos;</source>
        <translation>das Projekt hat keinen Messpunkt &apos;%1&apos; im Raum &apos;%2&apos;</translation>
    </message>
    <message>
        <source>rooms %1 each have a point &apos;%2&apos;: give --room</source>
        <translation>die Räume %1 haben jeweils einen Messpunkt &apos;%2&apos;: bitte --room angeben</translation>
    </message>
    <message>
        <source>the survey has no session &apos;%1&apos; (its sessions: %2)</source>
        <translation>das Projekt hat keinen Messdurchgang &apos;%1&apos; (seine Messdurchgänge: %2)</translation>
    </message>
    <message>
        <source>%1: %2, %3 records at &apos;%4&apos; (%5)
</source>
        <translation>%1: %2, %3 Datensätze an &apos;%4&apos; (%5)
</translation>
    </message>
    <message>
        <source>unknown reference &apos;%1&apos; (known: %2)</source>
        <translation>unbekannte Richtwerte &apos;%1&apos; (bekannt: %2)</translation>
    </message>
    <message>
        <source>unknown guidance &apos;%1&apos; (known: %2)</source>
        <translation>unbekannte Richtwerte für die Einfärbung &apos;%1&apos; (bekannt: %2)</translation>
    </message>
    <message>
        <source>%1 exists; give --force to replace it</source>
        <translation>%1 existiert bereits; mit --force wird die Datei ersetzt</translation>
    </message>
    <message>
        <source>--session &apos;%1&apos;: a session needs a name of its own</source>
        <translation>--session &apos;%1&apos;: ein Messdurchgang braucht einen eigenen Namen</translation>
    </message>
    <message>
        <source>the survey has a room &apos;%1&apos; already</source>
        <translation>das Projekt hat bereits einen Raum &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--position expects X,Y, each a fraction from 0 to 1 of the plan&apos;s width and height (0.25,0.6), got &apos;%1&apos;</source>
        <translation>--position erwartet X,Y, jeweils einen Anteil von 0 bis 1 an Breite und Höhe des Plans (0.25,0.6), erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>room &apos;%1&apos; has a point &apos;%2&apos; already</source>
        <translation>der Raum &apos;%1&apos; hat bereits einen Messpunkt &apos;%2&apos;</translation>
    </message>
    <message>
        <source>meter %1 on %2: measuring for %3 s; Ctrl-C stops</source>
        <translation>Messgerät %1 an %2: Messung über %3 s; Strg-C beendet</translation>
    </message>
    <message>
        <source>the meter stopped answering after %1 sample(s)</source>
        <translation>das Messgerät antwortete nach %1 Messwert(en) nicht mehr</translation>
    </message>
    <message>
        <source>nothing was added to %1</source>
        <translation>zu %1 wurde nichts hinzugefügt</translation>
    </message>
    <message>
        <source>survey attach needs one of --recording FILE, --logger-set N or --logger-file FILE</source>
        <translation>survey attach braucht eines von --recording FILE, --logger-set N oder --logger-file FILE</translation>
    </message>
    <message>
        <source>    %1: no measurement
</source>
        <translation>    %1: keine Messung
</translation>
    </message>
    <message>
        <source>    %1: %2 measurement(s), mean %3, max %4, 95th percentile %5, band: %6
</source>
        <translation>    %1: %2 Messung(en), Mittelwert %3, Max. %4, 95. Perzentil %5, Stufe: %6
</translation>
    </message>
    <message>
        <source> or higher</source>
        <translation> oder höher</translation>
    </message>
    <message>
        <source>Site: %1
Client: %2
Sessions: %3
Guidance: %4
</source>
        <translation>Objekt: %1
Auftraggeber: %2
Messdurchgänge: %3
Einstufung nach: %4
</translation>
    </message>
    <message>
        <source> at %1,%2</source>
        <translation> bei %1,%2</translation>
    </message>
    <message>
        <source>
    %1 %2 %3 %4 (%5 records)</source>
        <translation>
    %1 %2 %3 %4 (%5 Datensätze)</translation>
    </message>
    <message>
        <source>unknown survey action &apos;%1&apos; (try --help)</source>
        <translation>unbekannte survey-Aktion &apos;%1&apos; (siehe --help)</translation>
    </message>
</context>
<context>
    <name>DeviceLock</name>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (Prozess %2)</translation>
    </message>
</context>
<context>
    <name>PanelMain</name>
    <message>
        <source>Bind port N (1-8) to a device path, e.g. --com 1=/dev/ttyUSB0. Repeatable.</source>
        <translation>Port N (1-8) einem Gerätepfad zuordnen, z. B. --com 1=/dev/ttyUSB0. Mehrfach möglich.</translation>
    </message>
    <message>
        <source>Run the virtual meter on a pseudo-terminal bound to COM1 and open the panel on it (no hardware needed).</source>
        <translation>Das virtuelle Messgerät an einem Pseudo-Terminal auf COM1 starten und das Panel darauf öffnen (keine Hardware nötig).</translation>
    </message>
    <message>
        <source>Open the panel on COM&lt;N&gt; without asking.</source>
        <translation>Das Panel ohne Rückfrage an COM&lt;N&gt; öffnen.</translation>
    </message>
    <message>
        <source>--com expects N=PATH with N from 1 to 8, got &apos;%1&apos;</source>
        <translation>--com erwartet N=PATH mit N von 1 bis 8, erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>cannot start the virtual meter: %1</source>
        <translation>das virtuelle Messgerät lässt sich nicht starten: %1</translation>
    </message>
    <message>
        <source>Virtual meter on %1 (COM1)</source>
        <translation>Virtuelles Messgerät an %1 (COM1)</translation>
    </message>
    <message>
        <source>Desktop companion for the Veltrix field meter on a serial line.</source>
        <translation>Desktop-Begleiter für das Veltrix-Feldmessgerät an einer seriellen Leitung.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>%1 of %2 bytes arrived</source>
        <translation>%1 von %2 Bytes angekommen</translation>
    </message>
    <message>
        <source>the reply was too long</source>
        <translation>die Antwort war zu lang</translation>
    </message>
    <message>
        <source>the meter did not answer</source>
        <translation>das Messgerät hat nicht geantwortet</translation>
    </message>
    <message>
        <source>the reply stopped short</source>
        <translation>die Antwort brach vorzeitig ab</translation>
    </message>
    <message>
        <source>%1: %2 (%3)</source>
        <translation>%1: %2 (%3)</translation>
    </message>
    <message>
        <source>set %1: stopped (%2)</source>
        <translation>Datensatz %1: abgebrochen (%2)</translation>
    </message>
    <message>
        <source>set %1</source>
        <translation>Datensatz %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Invalid, Numbers of Records &gt;=10, Try again!</source>
        <translation>Ungültig, Anzahl der Datensätze &gt;= 10, bitte erneut versuchen!</translation>
    </message>
    <message>
        <source>Invalid, Numbers of Records &lt;= %1, Try again!</source>
        <translation>Ungültig, Anzahl der Datensätze &lt;= %1, bitte erneut versuchen!</translation>
    </message>
    <message>
        <source>Invalid, Min. Range &gt;= 0 ; Max. Range &gt; Min. Range</source>
        <translation>Ungültig, Min. Bereich &gt;= 0 ; Max. Bereich &gt; Min. Bereich</translation>
    </message>
    <message>
        <source>Invalid, Try again!</source>
        <translation>Ungültig, bitte erneut versuchen!</translation>
    </message>
    <message>
        <source>%1 is not a record file.</source>
        <translation>%1 ist keine Messdatei.</translation>
    </message>
    <message>
        <source>%1 is too large to be a record file.</source>
        <translation>%1 ist zu groß für eine Messdatei.</translation>
    </message>
    <message>
        <source>The record file %1 cannot be read: %2</source>
        <translation>Die Messdatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The CSV file %1 could not be written: %2</source>
        <translation>Die CSV-Datei %1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The record file %1 cannot be created: %2</source>
        <translation>Die Messdatei %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>No record file is open.</source>
        <translation>Keine Messdatei geöffnet.</translation>
    </message>
    <message>
        <source>Record %1 could not be written to %2: %3</source>
        <translation>Datensatz %1 konnte nicht in %2 geschrieben werden: %3</translation>
    </message>
    <message>
        <source>The record file %1 has been deleted.</source>
        <translation>Die Messdatei %1 wurde gelöscht.</translation>
    </message>
    <message>
        <source>The file %1 could not be saved.
%2</source>
        <translation>Die Datei %1 konnte nicht gespeichert werden.
%2</translation>
    </message>
    <message>
        <source>Aready in recording mode, close it and try again !</source>
        <translation>Die Aufzeichnung läuft bereits, bitte beenden und erneut versuchen!</translation>
    </message>
    <message>
        <source>The listing could not be printed.
%1</source>
        <translation>Die Liste konnte nicht gedruckt werden.
%1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Choose a folder</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>The file %1 could not be written.</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The printer %1 could not be used.</source>
        <translation>Der Drucker %1 konnte nicht verwendet werden.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>There is no picture to save.</source>
        <translation>Es gibt kein Bild zum Speichern.</translation>
    </message>
    <message>
        <source>The picture could not be encoded.</source>
        <translation>Das Bild konnte nicht kodiert werden.</translation>
    </message>
    <message>
        <source>The picture could not be saved to %1.
%2</source>
        <translation>Das Bild konnte nicht unter %1 gespeichert werden.
%2</translation>
    </message>
    <message numerus="yes">
        <source>Plot window, %n sample(s) in view</source>
        <translation>
            <numerusform>Diagrammfenster, %n Messwert sichtbar</numerusform>
            <numerusform>Diagrammfenster, %n Messwerte sichtbar</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReferenceLevels</name>
    <message>
        <source>larger than 64 KiB, too large for a reference file</source>
        <translation>größer als 64 KiB, zu groß für eine Richtwertdatei</translation>
    </message>
    <message>
        <source>not UTF-8 text</source>
        <translation>kein UTF-8-Text</translation>
    </message>
    <message>
        <source>longer than %1 characters</source>
        <translation>länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>a control character in the text</source>
        <translation>ein Steuerzeichen im Text</translation>
    </message>
    <message>
        <source>a second &apos;key&apos; line</source>
        <translation>eine zweite &apos;key&apos;-Zeile</translation>
    </message>
    <message>
        <source>a key is up to 40 letters, digits, &apos;-&apos; and &apos;_&apos;, not &apos;%1&apos;</source>
        <translation>ein Schlüssel besteht aus bis zu 40 Buchstaben, Ziffern, &apos;-&apos; und &apos;_&apos;, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is the key of a published set</source>
        <translation>&apos;%1&apos; ist der Schlüssel eines veröffentlichten Satzes</translation>
    </message>
    <message>
        <source>a second &apos;statistic&apos; line</source>
        <translation>eine zweite &apos;statistic&apos;-Zeile</translation>
    </message>
    <message>
        <source>unknown statistic &apos;%1&apos; (mean, maximum, median or p95)</source>
        <translation>unbekannte Kenngröße &apos;%1&apos; (mean, maximum, median oder p95)</translation>
    </message>
    <message>
        <source>unknown keyword &apos;%1&apos; (key, name, source, meaning, statistic, level or band)</source>
        <translation>unbekanntes Schlüsselwort &apos;%1&apos; (key, name, source, meaning, statistic, level oder band)</translation>
    </message>
    <message>
        <source>a second &apos;%1&apos; line</source>
        <translation>eine zweite &apos;%1&apos;-Zeile</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a text after it</source>
        <translation>nach &apos;%1&apos; muss ein Text folgen</translation>
    </message>
    <message>
        <source>a set has level lines or band lines, not both</source>
        <translation>ein Satz hat level-Zeilen oder band-Zeilen, nicht beides</translation>
    </message>
    <message>
        <source>more than %1 levels or bands</source>
        <translation>mehr als %1 Werte oder Stufen</translation>
    </message>
    <message>
        <source>a band line is &apos;band VALUE UNIT NAME&apos;, e.g. &apos;band 20 nT slight&apos;</source>
        <translation>eine band-Zeile lautet &apos;band WERT EINHEIT NAME&apos;, z. B. &apos;band 20 nT schwach&apos;</translation>
    </message>
    <message>
        <source>a level line is &apos;level VALUE UNIT NAME&apos;, e.g. &apos;level 0.4 uT Precaution&apos;</source>
        <translation>eine level-Zeile lautet &apos;level WERT EINHEIT NAME&apos;, z. B. &apos;level 0.4 uT Vorsorge&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a number</source>
        <translation>&apos;%1&apos; ist keine Zahl</translation>
    </message>
    <message>
        <source>unknown unit &apos;%1&apos; (nT, µT, uT, mT or mG)</source>
        <translation>unbekannte Einheit &apos;%1&apos; (nT, µT, uT, mT oder mG)</translation>
    </message>
    <message>
        <source>the first band starts at 0, not at %1 %2</source>
        <translation>die erste Stufe beginnt bei 0, nicht bei %1 %2</translation>
    </message>
    <message>
        <source>a level lies above 0 and at most 1 T, not %1 %2</source>
        <translation>ein Wert liegt über 0 und höchstens bei 1 T, nicht bei %1 %2</translation>
    </message>
    <message>
        <source>a band starts above the band before it, not at %1 %2</source>
        <translation>eine Stufe beginnt über der vorigen Stufe, nicht bei %1 %2</translation>
    </message>
    <message>
        <source>%1 from %2 %3</source>
        <translation>%1 ab %2 %3</translation>
    </message>
    <message>
        <source>no &apos;%1&apos; line</source>
        <translation>keine &apos;%1&apos;-Zeile</translation>
    </message>
    <message>
        <source>no &apos;statistic&apos; line (mean, maximum, median or p95)</source>
        <translation>keine &apos;statistic&apos;-Zeile (mean, maximum, median oder p95)</translation>
    </message>
    <message>
        <source>one band alone: bands need two band lines or more</source>
        <translation>nur eine Stufe: Stufen brauchen zwei band-Zeilen oder mehr</translation>
    </message>
    <message>
        <source>no level line and no band line</source>
        <translation>weder level-Zeile noch band-Zeile</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>ICNIRP 2010, general public, 50/60 Hz</source>
        <translation>ICNIRP 2010, Allgemeinbevölkerung, 50/60 Hz</translation>
    </message>
    <message>
        <source>Reference level for exposure of the general public to 50 and 60 Hz magnetic fields.</source>
        <translation>Referenzwert für die Exposition der Allgemeinbevölkerung gegenüber Magnetfeldern von 50 und 60 Hz.</translation>
    </message>
    <message>
        <source>ICNIRP 2010: 200 µT</source>
        <translation>ICNIRP 2010: 200 µT</translation>
    </message>
    <message>
        <source>ICNIRP, Guidelines for limiting exposure to time-varying electric and magnetic fields (1 Hz to 100 kHz), Health Physics 99(6):818-836, 2010.</source>
        <translation>ICNIRP, Guidelines for limiting exposure to time-varying electric and magnetic fields (1 Hz to 100 kHz), Health Physics 99(6):818-836, 2010.</translation>
    </message>
    <message>
        <source>the ICNIRP 2010 general-public reference level</source>
        <translation>dem ICNIRP-2010-Referenzwert für die Allgemeinbevölkerung</translation>
    </message>
    <message>
        <source>ICNIRP 2010, occupational, 50/60 Hz</source>
        <translation>ICNIRP 2010, beruflich, 50/60 Hz</translation>
    </message>
    <message>
        <source>Reference level for workers exposed to 50 and 60 Hz magnetic fields in the course of their work.</source>
        <translation>Referenzwert für Beschäftigte, die bei ihrer Arbeit Magnetfeldern von 50 und 60 Hz ausgesetzt sind.</translation>
    </message>
    <message>
        <source>ICNIRP 2010 occupational: 1000 µT</source>
        <translation>ICNIRP 2010 beruflich: 1000 µT</translation>
    </message>
    <message>
        <source>the ICNIRP 2010 occupational reference level</source>
        <translation>dem beruflichen ICNIRP-2010-Referenzwert</translation>
    </message>
    <message>
        <source>ICNIRP 1998 and EU Council Recommendation 1999/519/EC, 50 Hz</source>
        <translation>ICNIRP 1998 und Empfehlung des Rates 1999/519/EG, 50 Hz</translation>
    </message>
    <message>
        <source>ICNIRP 1998 and EU Council Recommendation 1999/519/EC, 60 Hz</source>
        <translation>ICNIRP 1998 und Empfehlung des Rates 1999/519/EG, 60 Hz</translation>
    </message>
    <message>
        <source>Reference level for the general public at 50 Hz, adopted by the European Union.</source>
        <translation>Referenzwert für die Allgemeinbevölkerung bei 50 Hz, von der Europäischen Union übernommen.</translation>
    </message>
    <message>
        <source>Reference level for the general public at 60 Hz, as ICNIRP 1998 and the European Union give it.</source>
        <translation>Referenzwert für die Allgemeinbevölkerung bei 60 Hz nach ICNIRP 1998 und der Europäischen Union.</translation>
    </message>
    <message>
        <source>ICNIRP 1998 / 1999/519/EC: 100 µT</source>
        <translation>ICNIRP 1998 / 1999/519/EG: 100 µT</translation>
    </message>
    <message>
        <source>ICNIRP 1998 / 1999/519/EC: 83.3 µT</source>
        <translation>ICNIRP 1998 / 1999/519/EG: 83,3 µT</translation>
    </message>
    <message>
        <source>General public, 5/f mT from 25 to 800 Hz: 100 µT at 50 Hz. </source>
        <translation>Allgemeinbevölkerung, 5/f mT von 25 bis 800 Hz: 100 µT bei 50 Hz. </translation>
    </message>
    <message>
        <source>General public, 5/f mT from 25 to 800 Hz: 83.3 µT at 60 Hz. </source>
        <translation>Allgemeinbevölkerung, 5/f mT von 25 bis 800 Hz: 83,3 µT bei 60 Hz. </translation>
    </message>
    <message>
        <source>ICNIRP, Guidelines for limiting exposure to time-varying electric, magnetic and electromagnetic fields (up to 300 GHz), Health Physics 74(4):494-522, 1998; Council Recommendation 1999/519/EC of 12 July 1999, Official Journal L 199, 30.7.1999.</source>
        <translation>ICNIRP, Guidelines for limiting exposure to time-varying electric, magnetic and electromagnetic fields (up to 300 GHz), Health Physics 74(4):494-522, 1998; Empfehlung des Rates 1999/519/EG vom 12. Juli 1999, Amtsblatt L 199, 30.7.1999.</translation>
    </message>
    <message>
        <source>the ICNIRP 1998 general-public reference level</source>
        <translation>dem ICNIRP-1998-Referenzwert für die Allgemeinbevölkerung</translation>
    </message>
    <message>
        <source>IARC 2002, epidemiological level 0.3-0.4 µT (time-averaged)</source>
        <translation>IARC 2002, epidemiologischer Wert 0,3-0,4 µT (zeitlich gemittelt)</translation>
    </message>
    <message>
        <source>Time-averaged level above which the pooled studies cited by IARC saw a statistical association with childhood leukaemia (classification 2B, possibly carcinogenic). Compare it with the mean, not with single readings.</source>
        <translation>Zeitlich gemittelter Wert, oberhalb dessen die von der IARC zitierten gepoolten Studien einen statistischen Zusammenhang mit Leukämie im Kindesalter fanden (Einstufung 2B, möglicherweise krebserregend). Mit dem Mittelwert vergleichen, nicht mit einzelnen Messwerten.</translation>
    </message>
    <message>
        <source>IARC 2002: 0.3 µT</source>
        <translation>IARC 2002: 0,3 µT</translation>
    </message>
    <message>
        <source>IARC 2002: 0.4 µT</source>
        <translation>IARC 2002: 0,4 µT</translation>
    </message>
    <message>
        <source>IARC Monographs on the Evaluation of Carcinogenic Risks to Humans, Volume 80: Non-ionizing radiation, Part 1: static and extremely low-frequency (ELF) electric and magnetic fields, Lyon, 2002.</source>
        <translation>IARC Monographs on the Evaluation of Carcinogenic Risks to Humans, Volume 80: Non-ionizing radiation, Part 1: static and extremely low-frequency (ELF) electric and magnetic fields, Lyon, 2002.</translation>
    </message>
    <message>
        <source>the IARC 2002 epidemiological level</source>
        <translation>dem epidemiologischen IARC-2002-Wert</translation>
    </message>
    <message>
        <source>Building biology, sleeping areas, SBM-2015</source>
        <translation>Baubiologie, Schlafbereiche, SBM-2015</translation>
    </message>
    <message>
        <source>Precautionary guidance for sleeping areas: below 20 nT no anomaly, 20-100 nT slight, 100-500 nT severe, above 500 nT extreme anomaly; a value on an edge belongs to the band above it. The band is taken for the 95th percentile of the readings.</source>
        <translation>Vorsorgliche Richtwerte für Schlafbereiche: unter 20 nT unauffällig, 20-100 nT schwach auffällig, 100-500 nT stark auffällig, über 500 nT extrem auffällig; ein Wert auf einer Grenze gehört zur Stufe darüber. Die Stufe gilt für das 95. Perzentil der Messwerte.</translation>
    </message>
    <message>
        <source>SBM-2015: 20 nT, slight</source>
        <translation>SBM-2015: 20 nT, schwach auffällig</translation>
    </message>
    <message>
        <source>SBM-2015: 100 nT, severe</source>
        <translation>SBM-2015: 100 nT, stark auffällig</translation>
    </message>
    <message>
        <source>SBM-2015: 500 nT, extreme</source>
        <translation>SBM-2015: 500 nT, extrem auffällig</translation>
    </message>
    <message>
        <source>Standard of Building Biology Testing Methods SBM-2015, Building Biology Evaluation Guidelines for Sleeping Areas, Institut für Baubiologie + Nachhaltigkeit IBN, 2015.</source>
        <translation>Standard der baubiologischen Messtechnik SBM-2015, Baubiologische Richtwerte für Schlafbereiche, Institut für Baubiologie + Nachhaltigkeit IBN, 2015.</translation>
    </message>
    <message>
        <source>no anomaly</source>
        <translation>unauffällig</translation>
    </message>
    <message>
        <source>slight anomaly</source>
        <translation>schwach auffällig</translation>
    </message>
    <message>
        <source>severe anomaly</source>
        <translation>stark auffällig</translation>
    </message>
    <message>
        <source>extreme anomaly</source>
        <translation>extrem auffällig</translation>
    </message>
    <message>
        <source>the building-biology bands for sleeping areas, SBM-2015</source>
        <translation>den baubiologischen Richtwerten für Schlafbereiche, SBM-2015</translation>
    </message>
    <message>
        <source>Reference file %1: not a regular file</source>
        <translation>Richtwertdatei %1: keine reguläre Datei</translation>
    </message>
    <message>
        <source>Reference file %1: %2</source>
        <translation>Richtwertdatei %1: %2</translation>
    </message>
    <message>
        <source>Reference file %1, line %2: %3</source>
        <translation>Richtwertdatei %1, Zeile %2: %3</translation>
    </message>
    <message>
        <source>Reference file %1: the key &apos;%2&apos; is taken by %3</source>
        <translation>Richtwertdatei %1: der Schlüssel &apos;%2&apos; ist bereits durch %3 belegt</translation>
    </message>
    <message>
        <source>Your high alarm: %1</source>
        <translation>Ihr oberer Alarm: %1</translation>
    </message>
    <message>
        <source>Your low alarm: %1</source>
        <translation>Ihr unterer Alarm: %1</translation>
    </message>
</context>
<context>
    <name>ReportRequest</name>
    <message>
        <source>Your level: %1</source>
        <translation>Ihr Wert: %1</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>&lt; 0.1 %</source>
        <translation>&lt; 0,1 %</translation>
    </message>
    <message>
        <source>&gt; 99.9 %</source>
        <translation>&gt; 99,9 %</translation>
    </message>
    <message>
        <source>No records between %1 and %2.</source>
        <translation>Keine Datensätze zwischen %1 und %2.</translation>
    </message>
    <message>
        <source>the start</source>
        <translation>dem Anfang</translation>
    </message>
    <message>
        <source>the end</source>
        <translation>dem Ende</translation>
    </message>
    <message>
        <source>There are no records.</source>
        <translation>Es gibt keine Datensätze.</translation>
    </message>
    <message numerus="yes">
        <source>None of the %n record(s) holds a reading that can be read.</source>
        <translation>
            <numerusform>Der %n Datensatz enthält keinen lesbaren Messwert.</numerusform>
            <numerusform>Keiner der %n Datensätze enthält einen lesbaren Messwert.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SurveyProject</name>
    <message>
        <source>&apos;%1&apos; must be text</source>
        <translation>&apos;%1&apos; muss ein Text sein</translation>
    </message>
    <message>
        <source>&apos;%1&apos; must be a whole number from %2 to %3</source>
        <translation>&apos;%1&apos; muss eine ganze Zahl von %2 bis %3 sein</translation>
    </message>
    <message>
        <source>&apos;%1&apos; must be a date as YYYY-MM-DD</source>
        <translation>&apos;%1&apos; muss ein Datum der Form JJJJ-MM-TT sein</translation>
    </message>
    <message>
        <source>&apos;%1&apos; must be a date and time with its offset from UTC (2026-12-05T15:32:39+01:00)</source>
        <translation>&apos;%1&apos; muss Datum und Uhrzeit mit Abstand zu UTC sein (2026-12-05T15:32:39+01:00)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not valid base64</source>
        <translation>&apos;%1&apos; ist kein gültiges Base64</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a PNG or JPEG image</source>
        <translation>&apos;%1&apos; ist kein PNG- oder JPEG-Bild</translation>
    </message>
    <message>
        <source>&apos;%1&apos; must be a list of texts</source>
        <translation>&apos;%1&apos; muss eine Liste von Texten sein</translation>
    </message>
    <message>
        <source>&apos;%1&apos; must be an object</source>
        <translation>&apos;%1&apos; muss ein Objekt sein</translation>
    </message>
    <message>
        <source>&apos;%1&apos; must be a list of objects</source>
        <translation>&apos;%1&apos; muss eine Liste von Objekten sein</translation>
    </message>
    <message>
        <source>&apos;id&apos; is missing</source>
        <translation>&apos;id&apos; fehlt</translation>
    </message>
    <message>
        <source>the id &apos;%1&apos; is used twice</source>
        <translation>die ID &apos;%1&apos; kommt zweimal vor</translation>
    </message>
    <message>
        <source>&apos;position&apos; must be two numbers from 0 to 1</source>
        <translation>&apos;position&apos; muss aus zwei Zahlen von 0 bis 1 bestehen</translation>
    </message>
    <message>
        <source>measurement %1</source>
        <translation>Messung %1</translation>
    </message>
    <message>
        <source>&apos;kind&apos; must be spot, recording or logger-set, not &apos;%1&apos;</source>
        <translation>&apos;kind&apos; muss spot, recording oder logger-set sein, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the session &apos;%1&apos; is not one of the survey&apos;s sessions (%2)</source>
        <translation>die Sitzung &apos;%1&apos; gehört nicht zu den Sitzungen der Untersuchung (%2)</translation>
    </message>
    <message>
        <source>its readings do not match their SHA-256 (damaged)</source>
        <translation>ihre Messwerte passen nicht zu ihrer SHA-256-Prüfsumme (beschädigt)</translation>
    </message>
    <message>
        <source>point &apos;%1&apos;</source>
        <translation>Messpunkt &apos;%1&apos;</translation>
    </message>
    <message>
        <source>details</source>
        <translation>Angaben</translation>
    </message>
    <message>
        <source>instrument</source>
        <translation>Messgerät</translation>
    </message>
    <message>
        <source>&apos;mains&apos; must be 50 or 60</source>
        <translation>&apos;mains&apos; muss 50 oder 60 sein</translation>
    </message>
    <message>
        <source>&apos;unit&apos; must be nT, uT or mG</source>
        <translation>&apos;unit&apos; muss nT, uT oder mG sein</translation>
    </message>
    <message>
        <source>&apos;sessions&apos; must name each session once, none empty</source>
        <translation>&apos;sessions&apos; muss jede Sitzung einmal nennen, keine leer</translation>
    </message>
    <message>
        <source>plan</source>
        <translation>Grundriss</translation>
    </message>
    <message>
        <source>&apos;aspect&apos; must be a number from 0.05 to 20</source>
        <translation>&apos;aspect&apos; muss eine Zahl von 0.05 bis 20 sein</translation>
    </message>
    <message>
        <source>room %1</source>
        <translation>Raum %1</translation>
    </message>
    <message>
        <source>not a survey file, or a damaged one: %1 at byte %2</source>
        <translation>keine oder eine beschädigte Untersuchungsdatei: %1 bei Byte %2</translation>
    </message>
    <message>
        <source>not a survey file</source>
        <translation>keine Untersuchungsdatei</translation>
    </message>
    <message>
        <source>not a survey file: it has no &apos;version&apos;</source>
        <translation>keine Untersuchungsdatei: &apos;version&apos; fehlt</translation>
    </message>
    <message>
        <source>written by a newer version (format %1); this program reads format %2</source>
        <translation>von einer neueren Version geschrieben (Format %1); dieses Programm liest Format %2</translation>
    </message>
    <message>
        <source>The survey file %1 cannot be written: %2</source>
        <translation>Die Untersuchungsdatei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>it could not be read</source>
        <translation>sie konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>The survey file %1 cannot be opened: %2</source>
        <translation>Die Untersuchungsdatei %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>measurement %1 holds no records</source>
        <translation>Messung %1 enthält keine Datensätze</translation>
    </message>
    <message>
        <source>below %1</source>
        <translation>unter %1</translation>
    </message>
    <message>
        <source>above %1</source>
        <translation>über %1</translation>
    </message>
    <message>
        <source>larger than %1 MB, not %2</source>
        <translation>größer als %1 MB, also nicht %2</translation>
    </message>
    <message>
        <source>a survey file</source>
        <translation>eine Untersuchungsdatei</translation>
    </message>
    <message>
        <source>a record file</source>
        <translation>eine Messdatei</translation>
    </message>
    <message>
        <source>not a record file: %1</source>
        <translation>keine Messdatei: %1</translation>
    </message>
    <message>
        <source>%1 cannot be attached: %2</source>
        <translation>%1 kann nicht angehängt werden: %2</translation>
    </message>
    <message>
        <source>a photo or plan</source>
        <translation>ein Foto oder Grundriss</translation>
    </message>
    <message>
        <source>not a PNG or JPEG image</source>
        <translation>kein PNG- oder JPEG-Bild</translation>
    </message>
    <message>
        <source>%1 cannot be taken: %2</source>
        <translation>%1 kann nicht übernommen werden: %2</translation>
    </message>
</context>
<context>
    <name>SurveyReport</name>
    <message>
        <source>before</source>
        <translation>davor</translation>
    </message>
    <message>
        <source>after</source>
        <translation>danach</translation>
    </message>
    <message>
        <source>%1 (or higher)</source>
        <translation>%1 (oder höher)</translation>
    </message>
    <message>
        <source>none chosen</source>
        <translation>keine gewählt</translation>
    </message>
    <message>
        <source>%1 is not known here (a reference file of your own must be loaded first)</source>
        <translation>%1 ist hier nicht bekannt (eine eigene Richtwertdatei muss zuerst geladen werden)</translation>
    </message>
    <message>
        <source>references %1: their files are not loaded, they are left out</source>
        <translation>Richtwerte %1: ihre Dateien sind nicht geladen, sie entfallen</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Auftraggeber</translation>
    </message>
    <message>
        <source>Measured by</source>
        <translation>Gemessen von</translation>
    </message>
    <message>
        <source>Visit</source>
        <translation>Termin</translation>
    </message>
    <message>
        <source>Survey</source>
        <translation>Untersuchung</translation>
    </message>
    <message numerus="yes">
        <source>%n point(s) in %1, %2 measurement(s), sessions: %3</source>
        <translation>
            <numerusform>%n Messpunkt in %1, %2 Messung(en), Sitzungen: %3</numerusform>
            <numerusform>%n Messpunkte in %1, %2 Messung(en), Sitzungen: %3</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n room(s)</source>
        <translation>
            <numerusform>%n Raum</numerusform>
            <numerusform>%n Räumen</numerusform>
        </translation>
    </message>
    <message>
        <source>Guidance</source>
        <translation>Richtwerte</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>Report written</source>
        <translation>Bericht erstellt</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Bemerkungen</translation>
    </message>
    <message>
        <source>Change %1 → %2, %3: %4</source>
        <translation>Änderung %1 → %2, %3: %4</translation>
    </message>
    <message>
        <source>; band %1 → %2</source>
        <translation>; Stufe %1 → %2</translation>
    </message>
    <message>
        <source>no reading</source>
        <translation>kein Messwert</translation>
    </message>
    <message>
        <source>no measurement</source>
        <translation>keine Messung</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Point</source>
        <translation>Messpunkt</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>95th pct.</source>
        <translation>95. Perz.</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Summary of the points (%1)</source>
        <translation>Übersicht der Messpunkte (%1)</translation>
    </message>
    <message>
        <source>below %1</source>
        <translation>unter %1</translation>
    </message>
    <message>
        <source>above %1</source>
        <translation>über %1</translation>
    </message>
    <message>
        <source>Floor plan</source>
        <translation>Grundriss</translation>
    </message>
    <message>
        <source>No guidance chosen: the markers show the points&apos; places only.</source>
        <translation>Keine Richtwerte gewählt: die Markierungen zeigen nur die Lage der Messpunkte.</translation>
    </message>
    <message>
        <source>No point has a measurement yet.</source>
        <translation>Noch kein Messpunkt hat eine Messung.</translation>
    </message>
    <message>
        <source>Markers coloured by the band of each point&apos;s %1 in the session &quot;%2&quot;, the last one measured.</source>
        <translation>Markierungen gefärbt nach der Stufe des %1 jedes Messpunkts in der Sitzung „%2“, der zuletzt gemessenen.</translation>
    </message>
    <message>
        <source>The plan&apos;s image could not be read: a blank grid stands for it.</source>
        <translation>Das Bild des Grundrisses konnte nicht gelesen werden: ein leeres Raster steht dafür.</translation>
    </message>
    <message>
        <source>Logger set</source>
        <translation>Datenlogger-Satz</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufzeichnung</translation>
    </message>
    <message>
        <source>%1 at point %2, %3</source>
        <translation>%1 an Messpunkt %2, %3</translation>
    </message>
    <message>
        <source> (set %1 of the logger%2)</source>
        <translation> (Satz %1 des Datenloggers%2)</translation>
    </message>
    <message>
        <source>, ID code %1</source>
        <translation>, ID-Code %1</translation>
    </message>
    <message>
        <source>Room</source>
        <translation>Raum</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>%1 to %2 (%3)</source>
        <translation>%1 bis %2 (%3)</translation>
    </message>
    <message>
        <source>Record data</source>
        <translation>Messdaten</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Bemerkung</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>The whole recording</source>
        <translation>Die gesamte Aufzeichnung</translation>
    </message>
    <message>
        <source>Assessment</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>By %1:</source>
        <translation>Nach %1:</translation>
    </message>
    <message>
        <source> by %1</source>
        <translation> nach %1</translation>
    </message>
    <message>
        <source>%1 %2, %3: %4</source>
        <translation>%1 %2, %3: %4</translation>
    </message>
    <message>
        <source>The highest point for %1: %2 %3, %4: %5</source>
        <translation>Der höchste Messpunkt für %1: %2 %3, %4: %5</translation>
    </message>
    <message>
        <source>Conclusion</source>
        <translation>Fazit</translation>
    </message>
    <message>
        <source>Recommendations</source>
        <translation>Empfehlungen</translation>
    </message>
    <message>
        <source>Magnetic field survey</source>
        <translation>Messung magnetischer Wechselfelder</translation>
    </message>
    <message>
        <source>, later </source>
        <translation>, später </translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>3-D (isotropic)</source>
        <translation>3-D (isotrop)</translation>
    </message>
    <message>
        <source>1-D (single axis)</source>
        <translation>1-D (einachsig)</translation>
    </message>
    <message>
        <source>Instrument and method</source>
        <translation>Messgerät und Messverfahren</translation>
    </message>
    <message>
        <source>Instrument</source>
        <translation>Messgerät</translation>
    </message>
    <message>
        <source>Serial / ID</source>
        <translation>Seriennummer / ID</translation>
    </message>
    <message>
        <source>Calibrated</source>
        <translation>Kalibriert</translation>
    </message>
    <message>
        <source>Frequency range</source>
        <translation>Frequenzbereich</translation>
    </message>
    <message>
        <source>Axes</source>
        <translation>Achsen</translation>
    </message>
    <message>
        <source>Mains frequency</source>
        <translation>Netzfrequenz</translation>
    </message>
    <message>
        <source>60 Hz</source>
        <translation>60 Hz</translation>
    </message>
    <message>
        <source>50 Hz</source>
        <translation>50 Hz</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Messverfahren</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Datensätze</translation>
    </message>
    <message>
        <source>Readings</source>
        <translation>Messwerte</translation>
    </message>
    <message>
        <source>Overloads (OL)</source>
        <translation>Übersteuerungen (OL)</translation>
    </message>
    <message>
        <source>, not in the figures</source>
        <translation>, nicht in den Kennwerten</translation>
    </message>
    <message>
        <source>Invalid readings</source>
        <translation>Ungültige Messwerte</translation>
    </message>
    <message>
        <source>Sampling time</source>
        <translation>Messintervall</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>Niedrigster</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>Höchster</translation>
    </message>
    <message>
        <source>Median (typical)</source>
        <translation>Median (typisch)</translation>
    </message>
    <message>
        <source>95th percentile</source>
        <translation>95. Perzentil</translation>
    </message>
    <message>
        <source>Standard deviation</source>
        <translation>Standardabweichung</translation>
    </message>
    <message>
        <source>Every reading is an overload (OL): the field was beyond the meter&apos;s range throughout.</source>
        <translation>Jeder Messwert ist eine Übersteuerung (OL): das Feld lag durchgehend über dem Messbereich des Geräts.</translation>
    </message>
    <message>
        <source>Figures (%1)</source>
        <translation>Kennwerte (%1)</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>Firma</translation>
    </message>
    <message>
        <source>Place and date</source>
        <translation>Ort und Datum</translation>
    </message>
    <message>
        <source>Signature</source>
        <translation>Unterschrift</translation>
    </message>
    <message>
        <source>Signature, %1</source>
        <translation>Unterschrift, %1</translation>
    </message>
    <message>
        <source>Level: %1.</source>
        <translation>Wert: %1.</translation>
    </message>
    <message>
        <source>Source: %1</source>
        <translation>Quelle: %1</translation>
    </message>
    <message>
        <source>%1. Source: set by the user of the meter.</source>
        <translation>%1. Quelle: vom Anwender des Messgeräts festgelegt.</translation>
    </message>
    <message>
        <source>Reference levels</source>
        <translation>Richt- und Grenzwerte</translation>
    </message>
    <message>
        <source>Time of the meter&apos;s clock, %1</source>
        <translation>Zeit der Geräteuhr, %1</translation>
    </message>
    <message>
        <source>Overload (OL)</source>
        <translation>Übersteuerung (OL)</translation>
    </message>
    <message>
        <source>Reading above the scale</source>
        <translation>Messwert über der Skala</translation>
    </message>
    <message>
        <source>The scale, 0 to %1, holds every reading and the levels near them.</source>
        <translation>Die Skala, 0 bis %1, umfasst alle Messwerte und die Werte in ihrer Nähe.</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 um %2</translation>
    </message>
    <message>
        <source>%1 near %2</source>
        <translation>%1 gegen %2</translation>
    </message>
    <message numerus="yes">
        <source>The scale, 0 to %1, holds 99.5 % of the readings (up to %2) and the levels near them; %n stretch(es) of readings above it are clipped and marked on the top edge, the highest: </source>
        <translation>
            <numerusform>Die Skala, 0 bis %1, umfasst 99,5 % der Messwerte (bis %2) und die Werte in ihrer Nähe; %n Abschnitt mit Messwerten darüber ist abgeschnitten und am oberen Rand markiert, der höchste: </numerusform>
            <numerusform>Die Skala, 0 bis %1, umfasst 99,5 % der Messwerte (bis %2) und die Werte in ihrer Nähe; %n Abschnitte mit Messwerten darüber sind abgeschnitten und am oberen Rand markiert, der höchste: </numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; and %n more</source>
        <translation>
            <numerusform>; und %n weiterer</numerusform>
            <numerusform>; und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Each column spans the lowest to the highest reading in it; shaded above a level&apos;s line: time above it.</source>
        <translation>Jede Säule reicht vom niedrigsten bis zum höchsten Messwert darin; schattiert über der Linie eines Werts: die Zeit darüber.</translation>
    </message>
    <message>
        <source> Overloads (OL) are marked on the top edge.</source>
        <translation> Übersteuerungen (OL) sind am oberen Rand markiert.</translation>
    </message>
    <message>
        <source> The line is broken at gaps and where the clock was set back.</source>
        <translation> Die Linie ist an Lücken und dort unterbrochen, wo die Uhr zurückgestellt wurde.</translation>
    </message>
    <message>
        <source> Far above the chart: %1.</source>
        <translation> Weit über dem Diagramm: %1.</translation>
    </message>
    <message>
        <source>The report cannot be written to %1: %2</source>
        <translation>Der Bericht kann nicht in %1 geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The report cannot be written to %1.</source>
        <translation>Der Bericht kann nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>Records, times %1</source>
        <translation>Datensätze, Zeiten %1</translation>
    </message>
    <message>
        <source>The first %L1 records of the period; %L2 more are in the record files named above.</source>
        <translation>Die ersten %L1 Datensätze des Zeitraums; %L2 weitere stehen in den oben genannten Messdateien.</translation>
    </message>
    <message>
        <source>%1 files, %2 to %3, listed with their SHA-256 at the end</source>
        <translation>%1 Dateien, %2 bis %3, am Ende mit ihrer SHA-256-Prüfsumme aufgeführt</translation>
    </message>
    <message numerus="yes">
        <source>%n reading(s)</source>
        <translation>
            <numerusform>%n Messwert</numerusform>
            <numerusform>%n Messwerte</numerusform>
        </translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>Time above each level</source>
        <translation>Zeit über jedem Wert</translation>
    </message>
    <message>
        <source>No level was chosen.</source>
        <translation>Es wurde kein Wert gewählt.</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Messwert</translation>
    </message>
    <message>
        <source>Time above</source>
        <translation>Zeit darüber</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Anteil</translation>
    </message>
    <message>
        <source>Longest above</source>
        <translation>Längste Zeit darüber</translation>
    </message>
    <message>
        <source>Starting</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Each reading stands for one sampling time; a gap longer than two sampling times counts for nothing and ends a stretch. Shares are of the time measured: %1 (the readings and overloads, each one sampling time). An overload (OL) counts as above a level at or below %2, the top of the meter&apos;s smallest range: the records do not say the range a reading was taken in.</source>
        <translation>Jeder Messwert steht für ein Messintervall; eine Lücke von mehr als zwei Messintervallen zählt nicht und beendet einen Abschnitt. Die Anteile beziehen sich auf die gemessene Zeit: %1 (die Messwerte und Übersteuerungen, je ein Messintervall). Eine Übersteuerung (OL) zählt als über einem Wert, der höchstens %2 beträgt, dem Ende des kleinsten Messbereichs: die Datensätze sagen nicht, in welchem Messbereich ein Wert gemessen wurde.</translation>
    </message>
    <message>
        <source>Gap of %1: no reading from %2 to %3</source>
        <translation>Lücke von %1: kein Messwert von %2 bis %3</translation>
    </message>
    <message>
        <source>Clock set back: %1 is followed by %2 (no time counted)</source>
        <translation>Uhr zurückgestellt: auf %1 folgt %2 (keine Zeit gezählt)</translation>
    </message>
    <message>
        <source>None: the readings follow each other at the sampling time.</source>
        <translation>Keine: die Messwerte folgen im Messintervall aufeinander.</translation>
    </message>
    <message>
        <source>Gaps and clock changes</source>
        <translation>Lücken und Uhrumstellungen</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>... und %1 weitere.</translation>
    </message>
    <message>
        <source>; ... and %1 more.</source>
        <translation>; ... und %1 weitere.</translation>
    </message>
    <message>
        <source>The whole period</source>
        <translation>Der gesamte Zeitraum</translation>
    </message>
    <message>
        <source>No report: %1</source>
        <translation>Kein Bericht: %1</translation>
    </message>
    <message numerus="yes">
        <source> and %n more</source>
        <translation>
            <numerusform> und %n weitere</numerusform>
            <numerusform> und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Date</source>
        <comment>records column</comment>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Value</source>
        <comment>records column</comment>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Unit</source>
        <comment>records column</comment>
        <translation>Einh.</translation>
    </message>
</context>
<context>
    <name>veltrix::Alarm</name>
    <message>
        <source>Enable</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>&amp;High</source>
        <translation>&amp;Oben</translation>
    </message>
    <message>
        <source>&amp;Low</source>
        <translation>&amp;Unten</translation>
    </message>
</context>
<context>
    <name>veltrix::Analog</name>
    <message>
        <source>Analog</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Save picture</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>Analog gauge</source>
        <translation>Zeigerinstrument</translation>
    </message>
</context>
<context>
    <name>veltrix::ChartWindow</name>
    <message>
        <source>Limit</source>
        <translation>Grenze</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Save picture</source>
        <translation>Bild speichern</translation>
    </message>
</context>
<context>
    <name>veltrix::DataList</name>
    <message>
        <source>Data List</source>
        <translation>Datenliste</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>ID code %1</source>
        <translation>ID-Code %1</translation>
    </message>
</context>
<context>
    <name>veltrix::Digital</name>
    <message>
        <source>Digital display</source>
        <translation>Digitalanzeige</translation>
    </message>
</context>
<context>
    <name>veltrix::FileList</name>
    <message>
        <source>%1 is not a record file.</source>
        <translation>%1 ist keine Messdatei.</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened.
%2</source>
        <translation>Die Datei %1 kann nicht geöffnet werden.
%2</translation>
    </message>
    <message>
        <source>The file %1 is too large to be a record file.</source>
        <translation>Die Datei %1 ist zu groß für eine Messdatei.</translation>
    </message>
    <message>
        <source>The file %1 cannot be read.
%2</source>
        <translation>Die Datei %1 kann nicht gelesen werden.
%2</translation>
    </message>
    <message>
        <source>File List</source>
        <translation>Dateiliste</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>The file list was closed.</source>
        <translation>Die Dateiliste wurde geschlossen.</translation>
    </message>
</context>
<context>
    <name>veltrix::ListPlot</name>
    <message>
        <source>The table of this plot has been closed.</source>
        <translation>Die Tabelle dieses Diagramms wurde geschlossen.</translation>
    </message>
</context>
<context>
    <name>veltrix::MemoryWindow</name>
    <message>
        <source>Data Logger</source>
        <translation>Datenlogger</translation>
    </message>
    <message>
        <source>Real Time Colck</source>
        <translation>Echtzeituhr</translation>
    </message>
    <message>
        <source>ID Code</source>
        <translation>ID-Code</translation>
    </message>
    <message>
        <source>Sampling</source>
        <translation>Messintervall</translation>
    </message>
    <message>
        <source>Save all sets</source>
        <translation>Alle Sätze speichern</translation>
    </message>
    <message>
        <source>Download every set into a folder, one record file per set</source>
        <translation>Alle Sätze in einen Ordner laden, eine Messdatei je Satz</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>Remaining</source>
        <translation>Frei</translation>
    </message>
    <message>
        <source>Time of Recording</source>
        <translation>Aufzeichnungszeit</translation>
    </message>
    <message>
        <source>Memory status</source>
        <translation>Speicherstand</translation>
    </message>
    <message>
        <source> set(s) completed</source>
        <translation> Satz/Sätze fertig</translation>
    </message>
    <message>
        <source>List of sets</source>
        <translation>Liste der Sätze</translation>
    </message>
    <message>
        <source>Meter clock</source>
        <translation>Geräteuhr</translation>
    </message>
    <message>
        <source> Records Completed</source>
        <translation> Datensätze fertig</translation>
    </message>
    <message>
        <source>Set %1</source>
        <translation>Satz %1</translation>
    </message>
    <message>
        <source>  (incomplete: %1 of %2 records)</source>
        <translation>  (unvollständig: %1 von %2 Datensätzen)</translation>
    </message>
    <message>
        <source>  (reply too long)</source>
        <translation>  (Antwort zu lang)</translation>
    </message>
    <message>
        <source>  (start not a date: time stamps unknown)</source>
        <translation>  (Beginn kein Datum: Zeitstempel unbekannt)</translation>
    </message>
    <message>
        <source>Wait</source>
        <translation>Bitte warten</translation>
    </message>
    <message>
        <source>Invalid No.s, Try Again!</source>
        <translation>Ungültige Nummern, bitte erneut versuchen!</translation>
    </message>
    <message>
        <source>0.4 &lt; Sampling Time &lt; 102</source>
        <translation>0,4 &lt; Messintervall &lt; 102</translation>
    </message>
    <message>
        <source>Try again !</source>
        <translation>Bitte erneut versuchen!</translation>
    </message>
    <message>
        <source>Save all sets into</source>
        <translation>Alle Sätze speichern in</translation>
    </message>
    <message>
        <source>Set %1 of %2: %3 Records Completed</source>
        <translation>Satz %1 von %2: %3 Datensätze fertig</translation>
    </message>
    <message>
        <source>%1 of %2 sets saved in %3</source>
        <translation>%1 von %2 Sätzen in %3 gespeichert</translation>
    </message>
    <message>
        <source>Not every set could be saved:
</source>
        <translation>Nicht alle Sätze konnten gespeichert werden:
</translation>
    </message>
    <message>
        <source>ID code</source>
        <translation>ID-Code</translation>
    </message>
    <message>
        <source>ID Code sends it to the meter</source>
        <translation>ID-Code sendet ihn an das Messgerät</translation>
    </message>
    <message>
        <source>Logger sampling time</source>
        <translation>Messintervall des Datenloggers</translation>
    </message>
    <message>
        <source>Enter or Sampling sends it to the meter</source>
        <translation>Eingabetaste oder Messintervall sendet es an das Messgerät</translation>
    </message>
    <message>
        <source>Logger sets</source>
        <translation>Datenlogger-Sätze</translation>
    </message>
</context>
<context>
    <name>veltrix::Panel</name>
    <message>
        <source>Hold</source>
        <translation>Halten</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Spitze</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Befehle</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Graph</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Record Graph</source>
        <translation>Aufzeichnungsgrafik</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>PC Sampling</source>
        <translation>PC-Messintervall</translation>
    </message>
    <message>
        <source>System Time Set</source>
        <translation>Systemzeit setzen</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Datenlogger</translation>
    </message>
    <message>
        <source>Erase Memory</source>
        <translation>Speicher löschen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Survey</source>
        <translation>Untersuchung</translation>
    </message>
    <message>
        <source>No device found, try again!</source>
        <translation>Kein Gerät gefunden, bitte erneut versuchen!</translation>
    </message>
    <message>
        <source>Enter the SAMPLING TIME in seconds</source>
        <translation>MESSINTERVALL in Sekunden eingeben</translation>
    </message>
    <message>
        <source>Input Sampling Time</source>
        <translation>Messintervall eingeben</translation>
    </message>
    <message>
        <source>Recording stopped: the record file %1 could not be written (%2).
The %3 records written before are kept in the file.</source>
        <translation>Aufzeichnung beendet: die Messdatei %1 konnte nicht geschrieben werden (%2).
Die %3 zuvor geschriebenen Datensätze bleiben in der Datei erhalten.</translation>
    </message>
    <message>
        <source>Recording stopped: %1 is full (%2 records). Save As starts a new recording.</source>
        <translation>Aufzeichnung beendet: %1 ist voll (%2 Datensätze). „Speichern unter“ beginnt eine neue Aufzeichnung.</translation>
    </message>
    <message>
        <source>The record file %1 could not be created (%2).</source>
        <translation>Die Messdatei %1 konnte nicht angelegt werden (%2).</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Aufzeichnung beenden</translation>
    </message>
    <message>
        <source>Recording Mode!</source>
        <translation>Aufzeichnung läuft!</translation>
    </message>
    <message>
        <source>Please stop recording!</source>
        <translation>Bitte die Aufzeichnung beenden!</translation>
    </message>
    <message>
        <source>All the memory in EEPROM will be deleted !</source>
        <translation>Der gesamte EEPROM-Speicher wird gelöscht!</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Werkzeuge</translation>
    </message>
    <message>
        <source>&amp;Survey…</source>
        <translation>&amp;Untersuchung…</translation>
    </message>
    <message>
        <source>&amp;Digital Display</source>
        <translation>&amp;Digitalanzeige</translation>
    </message>
    <message>
        <source>&amp;Analog Gauge</source>
        <translation>&amp;Zeigerinstrument</translation>
    </message>
    <message>
        <source>&amp;Strip Chart</source>
        <translation>&amp;Streifenschreiber</translation>
    </message>
    <message>
        <source>&amp;Record Graph</source>
        <translation>&amp;Aufzeichnungsgrafik</translation>
    </message>
    <message>
        <source>&amp;Live Table</source>
        <translation>&amp;Live-Tabelle</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Double-click for the large display</source>
        <translation>Doppelklick für die große Anzeige</translation>
    </message>
    <message>
        <source>PC Sampling Rate:</source>
        <translation>PC-Messintervall:</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufzeichnung</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>G / T</source>
        <translation>G / T</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufzeichnen</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Messwert</translation>
    </message>
    <message>
        <source>Unit, gauss or tesla</source>
        <translation>Einheit, Gauß oder Tesla</translation>
    </message>
    <message>
        <source>Starts or stops the meter&apos;s own data logger</source>
        <translation>Startet oder stoppt den Datenlogger des Messgeräts</translation>
    </message>
    <message>
        <source>%1 sec</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>ElectroMagnetic Field</source>
        <translation>Elektromagnetisches Feld</translation>
    </message>
    <message>
        <source>Data Logging</source>
        <translation>Datenaufzeichnung</translation>
    </message>
</context>
<context>
    <name>veltrix::Plot1Range</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Plot Range</source>
        <translation>Diagrammbereich</translation>
    </message>
    <message>
        <source>No.s of Records</source>
        <translation>Anzahl Datensätze</translation>
    </message>
    <message>
        <source>Limitation</source>
        <translation>Begrenzung</translation>
    </message>
    <message>
        <source>&amp;From</source>
        <translation>&amp;Von</translation>
    </message>
    <message>
        <source>&amp;To</source>
        <translation>&amp;Bis</translation>
    </message>
    <message>
        <source>Ma&amp;x.</source>
        <translation>Ma&amp;x.</translation>
    </message>
    <message>
        <source>Mi&amp;n.</source>
        <translation>Mi&amp;n.</translation>
    </message>
</context>
<context>
    <name>veltrix::PlotWindow</name>
    <message>
        <source>The plot could not be printed on %1.</source>
        <translation>Das Diagramm konnte nicht auf %1 gedruckt werden.</translation>
    </message>
    <message>
        <source>The file %1 could not be written (%2).</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden (%2).</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Graphic Plot</source>
        <translation>Grafik</translation>
    </message>
    <message>
        <source>Cursor Information</source>
        <translation>Cursor-Information</translation>
    </message>
    <message>
        <source>Time :</source>
        <translation>Zeit :</translation>
    </message>
    <message>
        <source>Value ( Y ) :</source>
        <translation>Wert ( Y ) :</translation>
    </message>
    <message>
        <source>Track Mode</source>
        <translation>Verfolgen</translation>
    </message>
    <message>
        <source>Graph Range</source>
        <translation>Grafikbereich</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Reset Scale</source>
        <translation>Skala zurücksetzen</translation>
    </message>
    <message>
        <source>Print Graph</source>
        <translation>Grafik drucken</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Save the samples in view as CSV, or the chart as a PNG picture</source>
        <translation>Die sichtbaren Messwerte als CSV oder das Diagramm als PNG-Bild speichern</translation>
    </message>
    <message>
        <source>Report…</source>
        <translation>Bericht…</translation>
    </message>
    <message>
        <source>A PDF report on the samples in view</source>
        <translation>Ein PDF-Bericht über die sichtbaren Messwerte</translation>
    </message>
    <message>
        <source>Cursor 2: %1  %2 %3
Difference: %4%5  %6 %7</source>
        <translation>Cursor 2: %1  %2 %3
Differenz: %4%5  %6 %7</translation>
    </message>
</context>
<context>
    <name>veltrix::PortWindow</name>
    <message>
        <source>Port</source>
        <translation>Anschluss</translation>
    </message>
    <message>
        <source>no device</source>
        <translation>kein Gerät</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No serial device found on this computer.</source>
        <translation>Auf diesem Computer wurde kein serielles Gerät gefunden.</translation>
    </message>
    <message>
        <source>Meter port</source>
        <translation>Anschluss des Messgeräts</translation>
    </message>
    <message>
        <source>COM ports on this computer</source>
        <translation>COM-Anschlüsse dieses Computers</translation>
    </message>
    <message>
        <source>Choose COM1 to COM8.</source>
        <translation>COM1 bis COM8 wählen.</translation>
    </message>
    <message>
        <source>COM%1: no device</source>
        <translation>COM%1: kein Gerät</translation>
    </message>
    <message>
        <source>COM%1: %2</source>
        <translation>COM%1: %2</translation>
    </message>
</context>
<context>
    <name>veltrix::RTCSetup</name>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Set Meter Time To System Time</source>
        <translation>Geräteuhr auf Systemzeit stellen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Meter Clock</source>
        <translation>Geräteuhr</translation>
    </message>
    <message>
        <source>Click to show or hide the time</source>
        <translation>Klicken, um die Uhrzeit ein- oder auszublenden</translation>
    </message>
    <message>
        <source>The PC clock reads %1; the meter keeps dates from 2000 to 2099 only. Correct the PC clock and try again.</source>
        <translation>Die PC-Uhr zeigt %1; das Messgerät kennt nur Daten von 2000 bis 2099. Bitte die PC-Uhr korrigieren und erneut versuchen.</translation>
    </message>
</context>
<context>
    <name>veltrix::Real1Range</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Real Time Range</source>
        <translation>Echtzeitbereich</translation>
    </message>
    <message>
        <source>Ma&amp;x. Limitation</source>
        <translation>&amp;Obere Begrenzung</translation>
    </message>
    <message>
        <source>Mi&amp;n. Limitation</source>
        <translation>&amp;Untere Begrenzung</translation>
    </message>
    <message>
        <source>No.s of &amp;Records</source>
        <translation>&amp;Anzahl Datensätze</translation>
    </message>
</context>
<context>
    <name>veltrix::RealTime1</name>
    <message>
        <source>RealTimeGraph</source>
        <translation>Echtzeitgrafik</translation>
    </message>
    <message>
        <source>Strip chart</source>
        <translation>Streifenschreiber</translation>
    </message>
</context>
<context>
    <name>veltrix::RealTimeList</name>
    <message>
        <source>Real Time List</source>
        <translation>Echtzeitliste</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
</context>
<context>
    <name>veltrix::RecordGraph</name>
    <message>
        <source>Record Real Time Graph</source>
        <translation>Echtzeitgrafik aufzeichnen</translation>
    </message>
    <message>
        <source>Click to explore this window in the plot window</source>
        <translation>Klicken, um diesen Ausschnitt im Diagrammfenster zu untersuchen</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Click the chart to open the plot window</source>
        <translation>Auf das Diagramm klicken, um das Diagrammfenster zu öffnen</translation>
    </message>
    <message>
        <source>Record graph</source>
        <translation>Aufzeichnungsgrafik</translation>
    </message>
</context>
<context>
    <name>veltrix::RecordTableWindow</name>
    <message>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <source>Report…</source>
        <translation>Bericht…</translation>
    </message>
</context>
<context>
    <name>veltrix::ReportDialog</name>
    <message>
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
    <message numerus="yes">
        <source>%1, %n record(s)</source>
        <translation>
            <numerusform>%1, %n Datensatz</numerusform>
            <numerusform>%1, %n Datensätze</numerusform>
        </translation>
    </message>
    <message>
        <source>Survey</source>
        <translation>Untersuchung</translation>
    </message>
    <message>
        <source>Instrument and method</source>
        <translation>Messgerät und Messverfahren</translation>
    </message>
    <message>
        <source>Levels and assessment</source>
        <translation>Werte und Bewertung</translation>
    </message>
    <message>
        <source>Write PDF…</source>
        <translation>PDF schreiben…</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Magnetic field survey</source>
        <translation>Messung magnetischer Wechselfelder</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Objekt</translation>
    </message>
    <message>
        <source>address of the site</source>
        <translation>Anschrift des Objekts</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Auftraggeber</translation>
    </message>
    <message>
        <source>Location within the site</source>
        <translation>Messort im Objekt</translation>
    </message>
    <message>
        <source>for example bedroom, bed head</source>
        <translation>zum Beispiel Schlafzimmer, Kopfende des Betts</translation>
    </message>
    <message>
        <source>Measured by</source>
        <translation>Gemessen von</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>Firma</translation>
    </message>
    <message>
        <source>Place of signing</source>
        <translation>Ort der Unterschrift</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Bemerkungen</translation>
    </message>
    <message>
        <source>Remembered instrument</source>
        <translation>Gespeichertes Messgerät</translation>
    </message>
    <message>
        <source>(a new instrument)</source>
        <translation>(ein neues Messgerät)</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>Serial number or ID</source>
        <translation>Seriennummer oder ID</translation>
    </message>
    <message>
        <source>Calibrated on</source>
        <translation>Kalibriert am</translation>
    </message>
    <message>
        <source>YYYY-MM-DD</source>
        <translation>JJJJ-MM-TT</translation>
    </message>
    <message>
        <source>Frequency range</source>
        <translation>Frequenzbereich</translation>
    </message>
    <message>
        <source>for example 16 Hz - 2 kHz</source>
        <translation>zum Beispiel 16 Hz - 2 kHz</translation>
    </message>
    <message>
        <source>Axes</source>
        <translation>Achsen</translation>
    </message>
    <message>
        <source>not said</source>
        <translation>keine Angabe</translation>
    </message>
    <message>
        <source>1-D (single axis)</source>
        <translation>1-D (einachsig)</translation>
    </message>
    <message>
        <source>3-D (isotropic)</source>
        <translation>3-D (isotrop)</translation>
    </message>
    <message>
        <source>Mains frequency</source>
        <translation>Netzfrequenz</translation>
    </message>
    <message>
        <source>50 Hz</source>
        <translation>50 Hz</translation>
    </message>
    <message>
        <source>60 Hz</source>
        <translation>60 Hz</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Messverfahren</translation>
    </message>
    <message>
        <source>where and how the meter stood, what ran meanwhile</source>
        <translation>wo und wie das Messgerät stand, was währenddessen lief</translation>
    </message>
    <message>
        <source>Reference levels</source>
        <translation>Richt- und Grenzwerte</translation>
    </message>
    <message>
        <source>Your levels</source>
        <translation>Ihre Werte</translation>
    </message>
    <message>
        <source>for example 2 mG, 0.4 µT</source>
        <translation>zum Beispiel 2 mG, 0.4 µT</translation>
    </message>
    <message>
        <source>Your own levels, separated by commas (your alarm thresholds when set).</source>
        <translation>Ihre eigenen Werte, durch Kommas getrennt (Ihre Alarmschwellen, falls gesetzt).</translation>
    </message>
    <message>
        <source>Unit of the figures</source>
        <translation>Einheit der Kennwerte</translation>
    </message>
    <message>
        <source>Paper size</source>
        <translation>Papierformat</translation>
    </message>
    <message>
        <source>as the locale measures</source>
        <translation>nach Ländereinstellung</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Letter</translation>
    </message>
    <message>
        <source>Conclusion</source>
        <translation>Fazit</translation>
    </message>
    <message>
        <source>Recommendations</source>
        <translation>Empfehlungen</translation>
    </message>
    <message>
        <source>Add the records as a table</source>
        <translation>Datensätze als Tabelle anfügen</translation>
    </message>
    <message>
        <source>Your levels:</source>
        <translation>Ihre Werte:</translation>
    </message>
    <message>
        <source>Unit of the figures:</source>
        <translation>Einheit der Kennwerte:</translation>
    </message>
    <message>
        <source>Conclusion:</source>
        <translation>Fazit:</translation>
    </message>
    <message>
        <source>Recommendations:</source>
        <translation>Empfehlungen:</translation>
    </message>
    <message>
        <source>Paper:</source>
        <translation>Papier:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a calibration date such as 2026-01-15.</source>
        <translation>„%1“ ist kein Kalibrierdatum wie 2026-01-15.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a level such as 2 mG or 0.4 µT.</source>
        <translation>„%1“ ist kein Wert wie 2 mG oder 0.4 µT.</translation>
    </message>
    <message>
        <source>of these records saved as a record file</source>
        <translation>dieser Datensätze, als Messdatei gespeichert</translation>
    </message>
    <message>
        <source>Report pages</source>
        <translation>Berichtsseiten</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>&amp;Site:</source>
        <translation>&amp;Objekt:</translation>
    </message>
    <message>
        <source>C&amp;lient:</source>
        <translation>&amp;Auftraggeber:</translation>
    </message>
    <message>
        <source>L&amp;ocation within the site:</source>
        <translation>&amp;Messort im Objekt:</translation>
    </message>
    <message>
        <source>Measured &amp;by:</source>
        <translation>Gemessen &amp;von:</translation>
    </message>
    <message>
        <source>Co&amp;mpany:</source>
        <translation>&amp;Firma:</translation>
    </message>
    <message>
        <source>&amp;Place of signing:</source>
        <translation>Ort der &amp;Unterschrift:</translation>
    </message>
    <message>
        <source>&amp;Notes:</source>
        <translation>&amp;Bemerkungen:</translation>
    </message>
    <message>
        <source>&amp;Instrument:</source>
        <translation>&amp;Messgerät:</translation>
    </message>
    <message>
        <source>M&amp;odel:</source>
        <translation>M&amp;odell:</translation>
    </message>
    <message>
        <source>&amp;Serial / ID:</source>
        <translation>&amp;Seriennummer / ID:</translation>
    </message>
    <message>
        <source>Calibrated o&amp;n:</source>
        <translation>&amp;Kalibriert am:</translation>
    </message>
    <message>
        <source>&amp;Frequency range:</source>
        <translation>&amp;Frequenzbereich:</translation>
    </message>
    <message>
        <source>A&amp;xes:</source>
        <translation>A&amp;chsen:</translation>
    </message>
    <message>
        <source>M&amp;ains frequency:</source>
        <translation>&amp;Netzfrequenz:</translation>
    </message>
    <message>
        <source>M&amp;ethod:</source>
        <translation>Mess&amp;verfahren:</translation>
    </message>
    <message>
        <source>&amp;Reference levels:</source>
        <translation>&amp;Richt- und Grenzwerte:</translation>
    </message>
</context>
<context>
    <name>veltrix::survey::FloorPlanView</name>
    <message>
        <source>Floor plan</source>
        <translation>Grundriss</translation>
    </message>
</context>
<context>
    <name>veltrix::survey::SurveyDetailsDialog</name>
    <message>
        <source>Survey details</source>
        <translation>Angaben zur Untersuchung</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Objekt</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Auftraggeber</translation>
    </message>
    <message>
        <source>Measured by</source>
        <translation>Gemessen von</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>Firma</translation>
    </message>
    <message>
        <source>Meter model</source>
        <translation>Modell des Messgeräts</translation>
    </message>
    <message>
        <source>Serial number or ID code</source>
        <translation>Seriennummer oder ID-Code</translation>
    </message>
    <message>
        <source>Visit from</source>
        <translation>Termin von</translation>
    </message>
    <message>
        <source>Visit to</source>
        <translation>Termin bis</translation>
    </message>
    <message>
        <source>Mains frequency</source>
        <translation>Netzfrequenz</translation>
    </message>
    <message>
        <source>50 Hz</source>
        <translation>50 Hz</translation>
    </message>
    <message>
        <source>60 Hz</source>
        <translation>60 Hz</translation>
    </message>
    <message>
        <source>Guidance</source>
        <translation>Richtwerte</translation>
    </message>
    <message>
        <source>Unit of the figures</source>
        <translation>Einheit der Kennwerte</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Messverfahren</translation>
    </message>
    <message>
        <source>Conclusion</source>
        <translation>Fazit</translation>
    </message>
    <message>
        <source>&amp;Site:</source>
        <translation>&amp;Objekt:</translation>
    </message>
    <message>
        <source>C&amp;lient:</source>
        <translation>&amp;Auftraggeber:</translation>
    </message>
    <message>
        <source>Measured &amp;by:</source>
        <translation>Gemessen &amp;von:</translation>
    </message>
    <message>
        <source>Co&amp;mpany:</source>
        <translation>&amp;Firma:</translation>
    </message>
    <message>
        <source>Visit &amp;from:</source>
        <translation>Termin v&amp;on:</translation>
    </message>
    <message>
        <source>Visit &amp;to:</source>
        <translation>Termin &amp;bis:</translation>
    </message>
    <message>
        <source>Meter m&amp;odel:</source>
        <translation>&amp;Modell des Messgeräts:</translation>
    </message>
    <message>
        <source>Serial or &amp;ID code:</source>
        <translation>Seriennummer oder &amp;ID-Code:</translation>
    </message>
    <message>
        <source>M&amp;ains:</source>
        <translation>&amp;Netz:</translation>
    </message>
    <message>
        <source>&amp;Guidance:</source>
        <translation>&amp;Richtwerte:</translation>
    </message>
    <message>
        <source>&amp;Unit:</source>
        <translation>&amp;Einheit:</translation>
    </message>
    <message>
        <source>M&amp;ethod:</source>
        <translation>Mess&amp;verfahren:</translation>
    </message>
    <message>
        <source>Co&amp;nclusion:</source>
        <translation>Fa&amp;zit:</translation>
    </message>
    <message>
        <source>(none: markers grey)</source>
        <translation>(keine: Markierungen grau)</translation>
    </message>
</context>
<context>
    <name>veltrix::survey::SurveyWindow</name>
    <message>
        <source>&amp;Survey</source>
        <translation>&amp;Untersuchung</translation>
    </message>
    <message>
        <source>Survey</source>
        <translation>Untersuchung</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>&amp;Öffnen…</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Speichern &amp;unter…</translation>
    </message>
    <message>
        <source>&amp;Details…</source>
        <translation>&amp;Angaben…</translation>
    </message>
    <message>
        <source>Open &amp;plan…</source>
        <translation>&amp;Grundriss öffnen…</translation>
    </message>
    <message>
        <source>&amp;Blank grid</source>
        <translation>&amp;Leeres Raster</translation>
    </message>
    <message>
        <source>&amp;Report…</source>
        <translation>&amp;Bericht…</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>Rooms and points</source>
        <translation>Räume und Messpunkte</translation>
    </message>
    <message>
        <source>Room / point</source>
        <translation>Raum / Messpunkt</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>95 %</source>
        <translation>95 %</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Add &amp;room</source>
        <translation>&amp;Raum hinzufügen</translation>
    </message>
    <message>
        <source>Add &amp;point</source>
        <translation>&amp;Messpunkt hinzufügen</translation>
    </message>
    <message>
        <source>Re&amp;name</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Measurements</source>
        <translation>Messungen</translation>
    </message>
    <message>
        <source>Delete &amp;measurement</source>
        <translation>Messung l&amp;öschen</translation>
    </message>
    <message>
        <source>Attach re&amp;cording…</source>
        <translation>Auf&amp;zeichnung anhängen…</translation>
    </message>
    <message>
        <source>Attach &amp;logger set…</source>
        <translation>&amp;Datenlogger-Satz anhängen…</translation>
    </message>
    <message>
        <source>Add p&amp;hoto…</source>
        <translation>&amp;Foto hinzufügen…</translation>
    </message>
    <message>
        <source>Measuring time</source>
        <translation>Messdauer</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%v of %m s</source>
        <translation>%v von %m s</translation>
    </message>
    <message>
        <source>untitled</source>
        <translation>unbenannt</translation>
    </message>
    <message>
        <source>Survey - %1[*]</source>
        <translation>Untersuchung - %1[*]</translation>
    </message>
    <message>
        <source>The survey has changes that are not saved. Discard them?</source>
        <translation>Die Untersuchung hat ungespeicherte Änderungen. Verwerfen?</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 gespeichert</translation>
    </message>
    <message>
        <source>The report could not be written: %1</source>
        <translation>Der Bericht konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Report written to %1</source>
        <translation>Bericht in %1 geschrieben</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Angaben</translation>
    </message>
    <message>
        <source>spot</source>
        <translation>Punktmessung</translation>
    </message>
    <message>
        <source>recording</source>
        <translation>Aufzeichnung</translation>
    </message>
    <message>
        <source>logger set</source>
        <translation>Datenlogger-Satz</translation>
    </message>
    <message>
        <source>New session…</source>
        <translation>Neue Sitzung…</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>No point chosen</source>
        <translation>Kein Messpunkt gewählt</translation>
    </message>
    <message>
        <source>Choose a point in the tree, or add one.</source>
        <translation>Einen Messpunkt im Baum wählen oder hinzufügen.</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>Session %1, %n measurement(s): mean %2, max %3, 95th percentile %4; band: %5</source>
        <translation>
            <numerusform>Sitzung %1, %n Messung: Mittelwert %2, Max. %3, 95. Perzentil %4; Stufe: %5</numerusform>
            <numerusform>Sitzung %1, %n Messungen: Mittelwert %2, Max. %3, 95. Perzentil %4; Stufe: %5</numerusform>
        </translation>
    </message>
    <message>
        <source>at least </source>
        <translation>mindestens </translation>
    </message>
    <message>
        <source>No measurement in session %1.</source>
        <translation>Keine Messung in Sitzung %1.</translation>
    </message>
    <message numerus="yes">
        <source>%1 · %2 · %3 · %n reading(s)</source>
        <translation>
            <numerusform>%1 · %2 · %3 · %n Messwert</numerusform>
            <numerusform>%1 · %2 · %3 · %n Messwerte</numerusform>
        </translation>
    </message>
    <message>
        <source>Name of the new session:</source>
        <translation>Name der neuen Sitzung:</translation>
    </message>
    <message>
        <source>New session</source>
        <translation>Neue Sitzung</translation>
    </message>
    <message>
        <source>Name of the room:</source>
        <translation>Name des Raums:</translation>
    </message>
    <message>
        <source>Add room</source>
        <translation>Raum hinzufügen</translation>
    </message>
    <message>
        <source>Room %1</source>
        <translation>Raum %1</translation>
    </message>
    <message>
        <source>Add a room first, then its points.</source>
        <translation>Zuerst einen Raum hinzufügen, dann seine Messpunkte.</translation>
    </message>
    <message>
        <source>Name of the point:</source>
        <translation>Name des Messpunkts:</translation>
    </message>
    <message>
        <source>Add point</source>
        <translation>Messpunkt hinzufügen</translation>
    </message>
    <message>
        <source>Point</source>
        <translation>Messpunkt</translation>
    </message>
    <message>
        <source>New name:</source>
        <translation>Neuer Name:</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>The point is being measured: cancel the measurement first.</source>
        <translation>Der Messpunkt wird gerade gemessen: zuerst die Messung abbrechen.</translation>
    </message>
    <message>
        <source>Delete point</source>
        <translation>Messpunkt löschen</translation>
    </message>
    <message>
        <source>Delete room</source>
        <translation>Raum löschen</translation>
    </message>
    <message>
        <source>Choose a point in the tree, then click its place.</source>
        <translation>Einen Messpunkt im Baum wählen, dann auf seine Stelle klicken.</translation>
    </message>
    <message>
        <source>Place point</source>
        <translation>Messpunkt platzieren</translation>
    </message>
    <message>
        <source>Attach %1</source>
        <translation>%1 anhängen</translation>
    </message>
    <message>
        <source>Delete measurement</source>
        <translation>Messung löschen</translation>
    </message>
    <message>
        <source>%1 is not a PNG or JPEG picture.</source>
        <translation>%1 ist kein PNG- oder JPEG-Bild.</translation>
    </message>
    <message>
        <source>Add photo</source>
        <translation>Foto hinzufügen</translation>
    </message>
    <message>
        <source>Open plan</source>
        <translation>Grundriss öffnen</translation>
    </message>
    <message>
        <source>Blank grid</source>
        <translation>Leeres Raster</translation>
    </message>
    <message>
        <source>The meter is not answering.</source>
        <translation>Das Messgerät antwortet nicht.</translation>
    </message>
    <message>
        <source>The meter is not answering: connect it and try again.</source>
        <translation>Das Messgerät antwortet nicht: bitte anschließen und erneut versuchen.</translation>
    </message>
    <message>
        <source>The point was deleted while it was measured: the measurement is not stored.</source>
        <translation>Der Messpunkt wurde während der Messung gelöscht: die Messung wird nicht gespeichert.</translation>
    </message>
    <message>
        <source>Spot measurement</source>
        <translation>Punktmessung</translation>
    </message>
    <message numerus="yes">
        <source>Spot measurement stored: %n reading(s)</source>
        <translation>
            <numerusform>Punktmessung gespeichert: %n Messwert</numerusform>
            <numerusform>Punktmessung gespeichert: %n Messwerte</numerusform>
        </translation>
    </message>
    <message>
        <source>Spot measurement cancelled.</source>
        <translation>Punktmessung abgebrochen.</translation>
    </message>
    <message>
        <source>The meter stopped answering: the spot measurement is not stored.</source>
        <translation>Das Messgerät antwortet nicht mehr: die Punktmessung wird nicht gespeichert.</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Sess&amp;ion:</source>
        <translation>Sit&amp;zung:</translation>
    </message>
    <message>
        <source>Measure h&amp;ere</source>
        <translation>&amp;Hier messen</translation>
    </message>
    <message>
        <source>R&amp;edo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
</context>
<context>
    <name>veltrix::ui</name>
    <message>
        <source>no reading</source>
        <translation>kein Messwert</translation>
    </message>
</context>
<context>
    <name>veltrix::ui::Grid</name>
    <message>
        <source>Records</source>
        <translation>Datensätze</translation>
    </message>
</context>
<context>
    <name>veltrix::ui::SerialLine</name>
    <message>
        <source>COM%1 is not bound to a serial device</source>
        <translation>COM%1 ist keinem seriellen Gerät zugeordnet</translation>
    </message>
    <message>
        <source>COM%1 (%2) is in use by %3</source>
        <translation>COM%1 (%2) wird von %3 verwendet</translation>
    </message>
    <message>
        <source>another Veltrix program</source>
        <translation>einem anderen Veltrix-Programm</translation>
    </message>
    <message>
        <source>No serial device is bound to this port.</source>
        <translation>Diesem Anschluss ist kein serielles Gerät zugeordnet.</translation>
    </message>
    <message>
        <source>The serial device is not present.</source>
        <translation>Das serielle Gerät ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>The serial device is in use by another program.</source>
        <translation>Das serielle Gerät wird von einem anderen Programm verwendet.</translation>
    </message>
    <message>
        <source>The serial device is in use by another Veltrix program.</source>
        <translation>Das serielle Gerät wird von einem anderen Veltrix-Programm verwendet.</translation>
    </message>
    <message>
        <source>Permission to open the serial device was denied. Add your user to the &apos;dialout&apos; group (sudo usermod -aG dialout $USER), then log out and in again.</source>
        <translation>Der Zugriff auf das serielle Gerät wurde verweigert. Fügen Sie Ihren Benutzer der Gruppe &apos;dialout&apos; hinzu (sudo usermod -aG dialout $USER), dann ab- und wieder anmelden.</translation>
    </message>
    <message>
        <source>The serial device could not be opened.</source>
        <translation>Das serielle Gerät konnte nicht geöffnet werden.</translation>
    </message>
</context>
</TS>
