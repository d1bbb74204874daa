# SPDX-License-Identifier: GPL-3.0-or-later
# German texts, part 1: messages, reference levels, assessment, survey files and report.
# Plural texts give a tuple (one, many).
TEXTS = {
    'Invalid settings, try again!': 'Ungültige Einstellungen, bitte erneut versuchen!',
    '0 %': '0 %',
    '< 0.01 %': '< 0,01 %',
    '%1 %': '%1 %',
    'an overload says only that the field reached the top of its range or beyond':
        'eine Übersteuerung besagt nur, dass das Feld das Ende seines Messbereichs erreicht oder überschritten hat',
    '%1 to %2': '%1 bis %2',
    'above %1 (%2), %3 of it': 'über %1 (%2), %3 davon',
    'above %1 (%2)': 'über %1 (%2)',
    'it may exceed %1 (%2); %3': 'möglicherweise über %1 (%2); %3',
    '%1 of %2 (%3)': '%1 von %2 (%3)',
    'below %1 (%2)': 'unter %1 (%2)',
    'within %1 (%2)': 'im Bereich von %1 (%2)',
    'at least %1 by %2; %3': 'mindestens %1 nach %2; %3',
    '%1 by %2': '%1 nach %2',
    'Mean': 'Mittelwert',
    'Maximum': 'Maximum',
    'Median': 'Median',
    '95th percentile': '95. Perzentil',
    '%1: none, every reading is an overload (OL); no assessment by %2.':
        '%1: keiner, jeder Messwert ist eine Übersteuerung (OL); keine Bewertung nach %2.',
    '%1 at least %2 (an overload, OL)': '%1 mindestens %2 (eine Übersteuerung, OL)',
    '%1 %2 (overloads, OL, left out)': '%1 %2 (Übersteuerungen, OL, nicht berücksichtigt)',
    '%1 %2': '%1 %2',
    '%1: %2.': '%1: %2.',
    '%1 (process %2)': '%1 (Prozess %2)',
    '%1 of %2 bytes arrived': '%1 von %2 Bytes angekommen',
    'the reply was too long': 'die Antwort war zu lang',
    'the meter did not answer': 'das Messgerät hat nicht geantwortet',
    'the reply stopped short': 'die Antwort brach vorzeitig ab',
    '%1: %2 (%3)': '%1: %2 (%3)',
    'set %1: stopped (%2)': 'Datensatz %1: abgebrochen (%2)',
    'set %1': 'Datensatz %1',
    '%1: %2': '%1: %2',
    'Invalid, Numbers of Records >=10, Try again!':
        'Ungültig, Anzahl der Datensätze >= 10, bitte erneut versuchen!',
    'Invalid, Numbers of Records <= %1, Try again!':
        'Ungültig, Anzahl der Datensätze <= %1, bitte erneut versuchen!',
    'Invalid, Min. Range >= 0 ; Max. Range > Min. Range':
        'Ungültig, Min. Bereich >= 0 ; Max. Bereich > Min. Bereich',
    'Invalid, Try again!': 'Ungültig, bitte erneut versuchen!',
    '%1 is not a record file.': '%1 ist keine Messdatei.',
    '%1 is too large to be a record file.': '%1 ist zu groß für eine Messdatei.',
    'The record file %1 cannot be read: %2': 'Die Messdatei %1 kann nicht gelesen werden: %2',
    'The CSV file %1 could not be written: %2':
        'Die CSV-Datei %1 konnte nicht geschrieben werden: %2',
    'The record file %1 cannot be created: %2': 'Die Messdatei %1 kann nicht angelegt werden: %2',
    'No record file is open.': 'Keine Messdatei geöffnet.',
    'Record %1 could not be written to %2: %3':
        'Datensatz %1 konnte nicht in %2 geschrieben werden: %3',
    'The record file %1 has been deleted.': 'Die Messdatei %1 wurde gelöscht.',
    'The file %1 could not be saved.\n%2': 'Die Datei %1 konnte nicht gespeichert werden.\n%2',
    'Aready in recording mode, close it and try again !':
        'Die Aufzeichnung läuft bereits, bitte beenden und erneut versuchen!',
    'The listing could not be printed.\n%1': 'Die Liste konnte nicht gedruckt werden.\n%1',
    'Open': 'Öffnen',
    'Save As': 'Speichern unter',
    'Choose a folder': 'Ordner wählen',
    'The file %1 could not be written.': 'Die Datei %1 konnte nicht geschrieben werden.',
    'The printer %1 could not be used.': 'Der Drucker %1 konnte nicht verwendet werden.',
    'Print': 'Drucken',
    'There is no picture to save.': 'Es gibt kein Bild zum Speichern.',
    'The picture could not be encoded.': 'Das Bild konnte nicht kodiert werden.',
    'The picture could not be saved to %1.\n%2':
        'Das Bild konnte nicht unter %1 gespeichert werden.\n%2',
    'Plot window, %n sample(s) in view':
        ('Diagrammfenster, %n Messwert sichtbar', 'Diagrammfenster, %n Messwerte sichtbar'),
    'larger than 64 KiB, too large for a reference file':
        'größer als 64 KiB, zu groß für eine Richtwertdatei',
    'not UTF-8 text': 'kein UTF-8-Text',
    'longer than %1 characters': 'länger als %1 Zeichen',
    'a control character in the text': 'ein Steuerzeichen im Text',
    "a second 'key' line": "eine zweite 'key'-Zeile",
    "a key is up to 40 letters, digits, '-' and '_', not '%1'":
        "ein Schlüssel besteht aus bis zu 40 Buchstaben, Ziffern, '-' und '_', nicht '%1'",
    "'%1' is the key of a published set": "'%1' ist der Schlüssel eines veröffentlichten Satzes",
    "a second 'statistic' line": "eine zweite 'statistic'-Zeile",
    "unknown statistic '%1' (mean, maximum, median or p95)":
        "unbekannte Kenngröße '%1' (mean, maximum, median oder p95)",
    "unknown keyword '%1' (key, name, source, meaning, statistic, level or band)":
        "unbekanntes Schlüsselwort '%1' (key, name, source, meaning, statistic, level oder band)",
    "a second '%1' line": "eine zweite '%1'-Zeile",
    "'%1' needs a text after it": "nach '%1' muss ein Text folgen",
    'a set has level lines or band lines, not both':
        'ein Satz hat level-Zeilen oder band-Zeilen, nicht beides',
    'more than %1 levels or bands': 'mehr als %1 Werte oder Stufen',
    "a band line is 'band VALUE UNIT NAME', e.g. 'band 20 nT slight'":
        "eine band-Zeile lautet 'band WERT EINHEIT NAME', z. B. 'band 20 nT schwach'",
    "a level line is 'level VALUE UNIT NAME', e.g. 'level 0.4 uT Precaution'":
        "eine level-Zeile lautet 'level WERT EINHEIT NAME', z. B. 'level 0.4 uT Vorsorge'",
    "'%1' is not a number": "'%1' ist keine Zahl",
    "unknown unit '%1' (nT, µT, uT, mT or mG)": "unbekannte Einheit '%1' (nT, µT, uT, mT oder mG)",
    'the first band starts at 0, not at %1 %2': 'die erste Stufe beginnt bei 0, nicht bei %1 %2',
    'a level lies above 0 and at most 1 T, not %1 %2':
        'ein Wert liegt über 0 und höchstens bei 1 T, nicht bei %1 %2',
    'a band starts above the band before it, not at %1 %2':
        'eine Stufe beginnt über der vorigen Stufe, nicht bei %1 %2',
    '%1 from %2 %3': '%1 ab %2 %3',
    "no '%1' line": "keine '%1'-Zeile",
    "no 'statistic' line (mean, maximum, median or p95)":
        "keine 'statistic'-Zeile (mean, maximum, median oder p95)",
    'one band alone: bands need two band lines or more':
        'nur eine Stufe: Stufen brauchen zwei band-Zeilen oder mehr',
    'no level line and no band line': 'weder level-Zeile noch band-Zeile',
    'line %1: %2': 'Zeile %1: %2',
    'ICNIRP 2010, general public, 50/60 Hz': 'ICNIRP 2010, Allgemeinbevölkerung, 50/60 Hz',
    'Reference level for exposure of the general public to 50 and 60 Hz magnetic fields.':
        'Referenzwert für die Exposition der Allgemeinbevölkerung gegenüber Magnetfeldern von 50 und 60 Hz.',
    'ICNIRP 2010: 200 µT': 'ICNIRP 2010: 200 µT',
    'ICNIRP, Guidelines for limiting exposure to time-varying electric and magnetic fields (1 Hz to 100 kHz), Health Physics 99(6):818-836, 2010.':
        'ICNIRP, Guidelines for limiting exposure to time-varying electric and magnetic fields (1 Hz to 100 kHz), Health Physics 99(6):818-836, 2010.',
    'the ICNIRP 2010 general-public reference level':
        'dem ICNIRP-2010-Referenzwert für die Allgemeinbevölkerung',
    'ICNIRP 2010, occupational, 50/60 Hz': 'ICNIRP 2010, beruflich, 50/60 Hz',
    'Reference level for workers exposed to 50 and 60 Hz magnetic fields in the course of their work.':
        'Referenzwert für Beschäftigte, die bei ihrer Arbeit Magnetfeldern von 50 und 60 Hz ausgesetzt sind.',
    'ICNIRP 2010 occupational: 1000 µT': 'ICNIRP 2010 beruflich: 1000 µT',
    'the ICNIRP 2010 occupational reference level':
        'dem beruflichen ICNIRP-2010-Referenzwert',
    'ICNIRP 1998 and EU Council Recommendation 1999/519/EC, 50 Hz':
        'ICNIRP 1998 und Empfehlung des Rates 1999/519/EG, 50 Hz',
    'ICNIRP 1998 and EU Council Recommendation 1999/519/EC, 60 Hz':
        'ICNIRP 1998 und Empfehlung des Rates 1999/519/EG, 60 Hz',
    'Reference level for the general public at 50 Hz, adopted by the European Union.':
        'Referenzwert für die Allgemeinbevölkerung bei 50 Hz, von der Europäischen Union übernommen.',
    'Reference level for the general public at 60 Hz, as ICNIRP 1998 and the European Union give it.':
        'Referenzwert für die Allgemeinbevölkerung bei 60 Hz nach ICNIRP 1998 und der Europäischen Union.',
    'ICNIRP 1998 / 1999/519/EC: 100 µT': 'ICNIRP 1998 / 1999/519/EG: 100 µT',
    'ICNIRP 1998 / 1999/519/EC: 83.3 µT': 'ICNIRP 1998 / 1999/519/EG: 83,3 µT',
    'General public, 5/f mT from 25 to 800 Hz: 100 µT at 50 Hz. ':
        'Allgemeinbevölkerung, 5/f mT von 25 bis 800 Hz: 100 µT bei 50 Hz. ',
    'General public, 5/f mT from 25 to 800 Hz: 83.3 µT at 60 Hz. ':
        'Allgemeinbevölkerung, 5/f mT von 25 bis 800 Hz: 83,3 µT bei 60 Hz. ',
    'ICNIRP, Guidelines for limiting exposure to time-varying electric, magnetic and electromagnetic fields (up to 300 GHz), Health Physics 74(4):494-522, 1998; Council Recommendation 1999/519/EC of 12 July 1999, Official Journal L 199, 30.7.1999.':
        'ICNIRP, Guidelines for limiting exposure to time-varying electric, magnetic and electromagnetic fields (up to 300 GHz), Health Physics 74(4):494-522, 1998; Empfehlung des Rates 1999/519/EG vom 12. Juli 1999, Amtsblatt L 199, 30.7.1999.',
    'the ICNIRP 1998 general-public reference level':
        'dem ICNIRP-1998-Referenzwert für die Allgemeinbevölkerung',
    'IARC 2002, epidemiological level 0.3-0.4 µT (time-averaged)':
        'IARC 2002, epidemiologischer Wert 0,3-0,4 µT (zeitlich gemittelt)',
    'Time-averaged level above which the pooled studies cited by IARC saw a statistical association with childhood leukaemia (classification 2B, possibly carcinogenic). Compare it with the mean, not with single readings.':
        'Zeitlich gemittelter Wert, oberhalb dessen die von der IARC zitierten gepoolten Studien einen statistischen Zusammenhang mit Leukämie im Kindesalter fanden (Einstufung 2B, möglicherweise krebserregend). Mit dem Mittelwert vergleichen, nicht mit einzelnen Messwerten.',
    'IARC 2002: 0.3 µT': 'IARC 2002: 0,3 µT',
    'IARC 2002: 0.4 µT': 'IARC 2002: 0,4 µT',
    'IARC Monographs on the Evaluation of Carcinogenic Risks to Humans, Volume 80: Non-ionizing radiation, Part 1: static and extremely low-frequency (ELF) electric and magnetic fields, Lyon, 2002.':
        'IARC Monographs on the Evaluation of Carcinogenic Risks to Humans, Volume 80: Non-ionizing radiation, Part 1: static and extremely low-frequency (ELF) electric and magnetic fields, Lyon, 2002.',
    'the IARC 2002 epidemiological level': 'dem epidemiologischen IARC-2002-Wert',
    'Building biology, sleeping areas, SBM-2015': 'Baubiologie, Schlafbereiche, SBM-2015',
    'Precautionary guidance for sleeping areas: below 20 nT no anomaly, 20-100 nT slight, 100-500 nT severe, above 500 nT extreme anomaly; a value on an edge belongs to the band above it. The band is taken for the 95th percentile of the readings.':
        'Vorsorgliche Richtwerte für Schlafbereiche: unter 20 nT unauffällig, 20-100 nT schwach auffällig, 100-500 nT stark auffällig, über 500 nT extrem auffällig; ein Wert auf einer Grenze gehört zur Stufe darüber. Die Stufe gilt für das 95. Perzentil der Messwerte.',
    'SBM-2015: 20 nT, slight': 'SBM-2015: 20 nT, schwach auffällig',
    'SBM-2015: 100 nT, severe': 'SBM-2015: 100 nT, stark auffällig',
    'SBM-2015: 500 nT, extreme': 'SBM-2015: 500 nT, extrem auffällig',
    'Standard of Building Biology Testing Methods SBM-2015, Building Biology Evaluation Guidelines for Sleeping Areas, Institut für Baubiologie + Nachhaltigkeit IBN, 2015.':
        'Standard der baubiologischen Messtechnik SBM-2015, Baubiologische Richtwerte für Schlafbereiche, Institut für Baubiologie + Nachhaltigkeit IBN, 2015.',
    'no anomaly': 'unauffällig',
    'slight anomaly': 'schwach auffällig',
    'severe anomaly': 'stark auffällig',
    'extreme anomaly': 'extrem auffällig',
    'the building-biology bands for sleeping areas, SBM-2015':
        'den baubiologischen Richtwerten für Schlafbereiche, SBM-2015',
    'Reference file %1: not a regular file': 'Richtwertdatei %1: keine reguläre Datei',
    'Reference file %1: %2': 'Richtwertdatei %1: %2',
    'Reference file %1, line %2: %3': 'Richtwertdatei %1, Zeile %2: %3',
    "Reference file %1: the key '%2' is taken by %3":
        "Richtwertdatei %1: der Schlüssel '%2' ist bereits durch %3 belegt",
    'Your high alarm: %1': 'Ihr oberer Alarm: %1',
    'Your low alarm: %1': 'Ihr unterer Alarm: %1',
    'Your level: %1': 'Ihr Wert: %1',
    '< 0.1 %': '< 0,1 %',
    '> 99.9 %': '> 99,9 %',
    'No records between %1 and %2.': 'Keine Datensätze zwischen %1 und %2.',
    'the start': 'dem Anfang',
    'the end': 'dem Ende',
    'There are no records.': 'Es gibt keine Datensätze.',
    'None of the %n record(s) holds a reading that can be read.':
        ('Der %n Datensatz enthält keinen lesbaren Messwert.',
         'Keiner der %n Datensätze enthält einen lesbaren Messwert.'),
    "'%1' must be text": "'%1' muss ein Text sein",
    "'%1' must be a whole number from %2 to %3": "'%1' muss eine ganze Zahl von %2 bis %3 sein",
    "'%1' must be a date as YYYY-MM-DD": "'%1' muss ein Datum der Form JJJJ-MM-TT sein",
    "'%1' must be a date and time with its offset from UTC (2026-12-05T15:32:39+01:00)":
        "'%1' muss Datum und Uhrzeit mit Abstand zu UTC sein (2026-12-05T15:32:39+01:00)",
    "'%1' is not valid base64": "'%1' ist kein gültiges Base64",
    "'%1' is not a PNG or JPEG image": "'%1' ist kein PNG- oder JPEG-Bild",
    "'%1' must be a list of texts": "'%1' muss eine Liste von Texten sein",
    "'%1' must be an object": "'%1' muss ein Objekt sein",
    "'%1' must be a list of objects": "'%1' muss eine Liste von Objekten sein",
    "'id' is missing": "'id' fehlt",
    "the id '%1' is used twice": "die ID '%1' kommt zweimal vor",
    "'position' must be two numbers from 0 to 1": "'position' muss aus zwei Zahlen von 0 bis 1 bestehen",
    'measurement %1': 'Messung %1',
    "'kind' must be spot, recording or logger-set, not '%1'":
        "'kind' muss spot, recording oder logger-set sein, nicht '%1'",
    "the session '%1' is not one of the survey's sessions (%2)":
        "die Sitzung '%1' gehört nicht zu den Sitzungen der Untersuchung (%2)",
    'its readings do not match their SHA-256 (damaged)':
        'ihre Messwerte passen nicht zu ihrer SHA-256-Prüfsumme (beschädigt)',
    "point '%1'": "Messpunkt '%1'",
    'details': 'Angaben',
    'instrument': 'Messgerät',
    "'mains' must be 50 or 60": "'mains' muss 50 oder 60 sein",
    "'unit' must be nT, uT or mG": "'unit' muss nT, uT oder mG sein",
    "'sessions' must name each session once, none empty":
        "'sessions' muss jede Sitzung einmal nennen, keine leer",
    'plan': 'Grundriss',
    "'aspect' must be a number from 0.05 to 20": "'aspect' muss eine Zahl von 0.05 bis 20 sein",
    'room %1': 'Raum %1',
    'not a survey file, or a damaged one: %1 at byte %2':
        'keine oder eine beschädigte Untersuchungsdatei: %1 bei Byte %2',
    'not a survey file': 'keine Untersuchungsdatei',
    "not a survey file: it has no 'version'": "keine Untersuchungsdatei: 'version' fehlt",
    'written by a newer version (format %1); this program reads format %2':
        'von einer neueren Version geschrieben (Format %1); dieses Programm liest Format %2',
    'The survey file %1 cannot be written: %2':
        'Die Untersuchungsdatei %1 kann nicht geschrieben werden: %2',
    'not a regular file': 'keine reguläre Datei',
    'larger than %1 MB, not a survey file': 'größer als %1 MB, keine Untersuchungsdatei',
    'it could not be read': 'sie konnte nicht gelesen werden',
    'The survey file %1 cannot be opened: %2':
        'Die Untersuchungsdatei %1 kann nicht geöffnet werden: %2',
    'measurement %1 holds no records': 'Messung %1 enthält keine Datensätze',
    'below %1': 'unter %1',
    'above %1': 'über %1',
    'before': 'davor',
    'after': 'danach',
    '%1 (or higher)': '%1 (oder höher)',
    'none chosen': 'keine gewählt',
    '%1 is not known here (a reference file of your own must be loaded first)':
        '%1 ist hier nicht bekannt (eine eigene Richtwertdatei muss zuerst geladen werden)',
    'references %1: their files are not loaded, they are left out':
        'Richtwerte %1: ihre Dateien sind nicht geladen, sie entfallen',
    'Client': 'Auftraggeber',
    'Measured by': 'Gemessen von',
    'Visit': 'Termin',
    'Survey': 'Untersuchung',
    '%n point(s) in %1, %2 measurement(s), sessions: %3':
        ('%n Messpunkt in %1, %2 Messung(en), Sitzungen: %3',
         '%n Messpunkte in %1, %2 Messung(en), Sitzungen: %3'),
    '%n room(s)': ('%n Raum', '%n Räumen'),
    'Guidance': 'Richtwerte',
    'Not found': 'Nicht gefunden',
    'Report written': 'Bericht erstellt',
    'Notes': 'Bemerkungen',
    'Change %1 → %2, %3: %4': 'Änderung %1 → %2, %3: %4',
    '; band %1 → %2': '; Stufe %1 → %2',
    'no reading': 'kein Messwert',
    'no measurement': 'keine Messung',
    'No.': 'Nr.',
    'Point': 'Messpunkt',
    'Session': 'Sitzung',
    '95th pct.': '95. Perz.',
    'Band': 'Stufe',
    'Summary of the points (%1)': 'Übersicht der Messpunkte (%1)',
    'Floor plan': 'Grundriss',
    "No guidance chosen: the markers show the points' places only.":
        'Keine Richtwerte gewählt: die Markierungen zeigen nur die Lage der Messpunkte.',
    'No point has a measurement yet.': 'Noch kein Messpunkt hat eine Messung.',
    'Markers coloured by the band of each point\'s %1 in the session "%2", the last one measured.':
        'Markierungen gefärbt nach der Stufe des %1 jedes Messpunkts in der Sitzung „%2“, der zuletzt gemessenen.',
    "The plan's image could not be read: a blank grid stands for it.":
        'Das Bild des Grundrisses konnte nicht gelesen werden: ein leeres Raster steht dafür.',
    'Logger set': 'Datenlogger-Satz',
    'Recording': 'Aufzeichnung',
    '%1 at point %2, %3': '%1 an Messpunkt %2, %3',
    ' (set %1 of the logger%2)': ' (Satz %1 des Datenloggers%2)',
    ', ID code %1': ', ID-Code %1',
    'Room': 'Raum',
    'Period': 'Zeitraum',
    '%1 to %2 (%3)': '%1 bis %2 (%3)',
    'Record data': 'Messdaten',
    'Note': 'Bemerkung',
    'SHA-256': 'SHA-256',
    'The whole recording': 'Die gesamte Aufzeichnung',
    'Assessment': 'Bewertung',
    'By %1:': 'Nach %1:',
    ' by %1': ' nach %1',
    '%1 %2, %3: %4': '%1 %2, %3: %4',
    'The highest point for %1: %2 %3, %4: %5': 'Der höchste Messpunkt für %1: %2 %3, %4: %5',
    'Conclusion': 'Fazit',
}
