# SPDX-License-Identifier: GPL-3.0-or-later
# German texts, lane S: closing by keys, the labels that lead to their fields.
TEXTS = {
    '&Close': 'S&chließen',
    # Labels that lead to their fields (Alt and the letter).
    '&Title:': '&Titel:',
    'L&ocation within the site:': '&Messort im Objekt:',
    '&Place of signing:': 'Ort der &Unterschrift:',
    '&Notes:': '&Bemerkungen:',
    '&Instrument:': '&Messgerät:',
    'M&odel:': 'M&odell:',
    '&Serial / ID:': '&Seriennummer / ID:',
    'Calibrated o&n:': '&Kalibriert am:',
    '&Frequency range:': '&Frequenzbereich:',
    'A&xes:': 'A&chsen:',
    'M&ains frequency:': '&Netzfrequenz:',
    '&Reference levels:': '&Richt- und Grenzwerte:',
    'Sess&ion:': 'Sit&zung:',
    'Measure h&ere': '&Hier messen',
    '&High': '&Oben',
    '&Low': '&Unten',
    'Ma&x. Limitation': '&Obere Begrenzung',
    'Mi&n. Limitation': '&Untere Begrenzung',
    'No.s of &Records': '&Anzahl Datensätze',
    '&From': '&Von',
    '&To': '&Bis',
    'Ma&x.': 'Ma&x.',
    'Mi&n.': 'Mi&n.',
}
