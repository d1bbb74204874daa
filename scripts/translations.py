#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The German translation, kept reproducible: the texts are extracted with lupdate and filled in
# from the tables in translations/german_*.py (English -> German).
#   scripts/translations.py [--lupdate PATH]            update translations/veltrix_de.ts
#   scripts/translations.py --check [--lupdate PATH]    fail on anything left to do
# The check fails when lupdate would change the .ts (a text added, changed or removed in the
# code), when an entry is unfinished, obsolete or vanished, or when a German text drops or adds
# a place holder (%1, %n, %L1) of its English one.
import argparse
import importlib.util
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TS = os.path.join(ROOT, 'translations', 'veltrix_de.ts')
SOURCES = ['src', 'app', 'cli', 'sim']


def lupdate(tool, ts):
    # No source locations: a line moved in the code leaves the .ts as it is.
    cmd = [tool, '-silent', '-locations', 'none', '-no-obsolete', '-I', 'src', '-recursive',
           *SOURCES, '-target-language', 'de_DE', '-ts', ts]
    run = subprocess.run(cmd, cwd=ROOT, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f'lupdate failed:\n{run.stderr}')


def german():
    texts = {}
    folder = os.path.join(ROOT, 'translations')
    for name in sorted(os.listdir(folder)):
        if re.fullmatch(r'german_\w+\.py', name):
            spec = importlib.util.spec_from_file_location(name[:-3], os.path.join(folder, name))
            module = importlib.util.module_from_spec(spec)
            spec.loader.exec_module(module)
            texts.update(module.TEXTS)
    return texts


def holders(text):
    return sorted(re.findall(r'%L?\d|%n', text))


def fill(ts, texts):
    tree = ET.parse(ts)
    for message in tree.getroot().iter('message'):
        source = message.find('source').text or ''
        # A text told apart by a comment (tr("Value", "records column")) has its own German.
        comment = message.find('comment')
        key = (source, comment.text) if comment is not None else source
        if key not in texts:
            key = source
        if key not in texts:
            continue
        forms = texts[key]
        translation = message.find('translation')
        translation.attrib.pop('type', None)
        for child in list(translation):
            translation.remove(child)
        if message.get('numerus') == 'yes':
            forms = forms if isinstance(forms, tuple) else (forms, forms)
            translation.text = None
            for form in forms:
                ET.SubElement(translation, 'numerusform').text = form
        else:
            translation.text = forms[0] if isinstance(forms, tuple) else forms
    tree.write(ts, encoding='utf-8', xml_declaration=True)


def problems(ts):
    found, count = [], 0
    for context in ET.parse(ts).getroot().iter('context'):
        for message in context.iter('message'):
            count += 1
            source = message.find('source').text or ''
            translation = message.find('translation')
            kind = translation.get('type')
            where = f'{context.find("name").text}: {source!r}'
            if kind:
                found.append(f'{kind}: {where}')
                continue
            forms = [f.text or '' for f in translation.iter('numerusform')] or [translation.text or '']
            for form in forms:
                # A plural's German may name the count in words ("einer") but no other holder.
                want = [h for h in holders(source) if h != '%n' or message.get('numerus') != 'yes']
                got = [h for h in holders(form) if h != '%n' or message.get('numerus') != 'yes']
                if want != got or not form.strip() and source.strip():
                    found.append(f'place holders differ: {where} -> {form!r}')
    return found, count


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--check', action='store_true')
    parser.add_argument('--lupdate', default=shutil.which('lupdate') or '/usr/lib/qt6/bin/lupdate')
    args = parser.parse_args()
    if not args.check:
        lupdate(args.lupdate, TS)
        fill(TS, german())
        lupdate(args.lupdate, TS)  # back into lupdate's own layout
    with tempfile.TemporaryDirectory() as tmp:
        copy = os.path.join(tmp, 'veltrix_de.ts')
        shutil.copy(TS, copy)
        lupdate(args.lupdate, copy)
        stale = open(copy, 'rb').read() != open(TS, 'rb').read()
    found, count = problems(TS)
    if stale:
        found.insert(0, 'lupdate would change translations/veltrix_de.ts: run scripts/translations.py')
    for line in found:
        print(line)
    done = count - len([f for f in found if not f.startswith('lupdate')])
    print(f'German entries finished: {done} of {count} ({100 * done // max(count, 1)} %)')
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
