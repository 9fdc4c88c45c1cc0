#!/usr/bin/env python3
"""Development check, not part of ctest: the RTF that RtfWriter writes for
every sample, read by independent readers (unrtf, pandoc and, with
--oracle, Wine's RichEdit through ../shared/tools/richedit-oracle), must
give the text Quillo read from the sample.

Usage: tests/richtext/check_external_readers.py BUILD_DIR [--oracle]
Needs: apt-get install unrtf pandoc (and for --oracle: wine wine64
gcc-mingw-w64-x86-64).
"""
import html
import json
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ORACLE = os.path.join(ROOT, '..', 'shared', 'tools', 'richedit-oracle', 'run.sh')

# list markers as readers without \pn show the {\pntext} text
MARKER = re.compile(r'^\s*(?:[·•\uf0b7]|[0-9]+[.)]?|[a-zA-Z][.)]|[ivxlcdmIVXLCDM]+[.)])(?=\s|$)')


def normalise(text):
    lines = []
    text = text.replace('[image]', '')  # pandoc's mark for a picture
    text = re.sub(r'\^\(([^)]*)\)', r'\1', text)  # and for superscript
    text = text.replace('~~', '')  # and for strike-out
    for line in text.replace('\r', '\n').replace('\u2028', '\n').split('\n'):
        line = MARKER.sub('', line)
        line = line.replace('\u00a0', ' ')
        line = ''.join(c for c in line
                       if ord(c) < 0x10000 and c not in '\ufffd\ufffc' and not 0xd800 <= ord(c) < 0xe000)
        # readers differ in tabs and spaces (unrtf writes a tab as spaces)
        line = re.sub(r'\s+', '', line)
        if line:
            lines.append(line)
    return lines


def html_text(body):
    body = body.replace('\n', ' ')
    body = re.sub(r'<br\s*/?>|</p>|<p[^>]*>|</tr>|</td>|</th>', '\n', body)
    body = re.sub(r'<[^>]+>', '', body)
    return html.unescape(body)


def pandoc(path, tables=False):
    # a table's cells are read from HTML: plain text draws a grid around them
    r = subprocess.run(['pandoc', '-f', 'rtf', '-t', 'html' if tables else 'plain', '--wrap=none', path],
                       capture_output=True)
    if r.returncode != 0:
        return None
    text = r.stdout.decode('utf-8', 'replace')
    return html_text(text) if tables else text


def pandoc_has_table(path):
    r = subprocess.run(['pandoc', '-f', 'rtf', '-t', 'native', path], capture_output=True)
    return r.returncode == 0 and b'Table' in r.stdout


def unrtf(path):
    r = subprocess.run(['unrtf', '--html', '--nopict', path], capture_output=True)
    body = r.stdout.decode('utf-8', 'replace')
    return html_text(body.split('<body>', 1)[-1])


def oracle(path, out):
    # keep the built program out of the shared folder
    env = dict(os.environ)
    env.setdefault('REORACLE_EXE', os.path.join(os.path.expanduser('~'), '.cache', 'reoracle', 'reoracle.exe'))
    r = subprocess.run([ORACLE, 'read', path, out], capture_output=True, env=env)
    if r.returncode != 0:
        return None
    with open(out, encoding='utf-8') as f:
        return json.load(f)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    build = sys.argv[1]
    use_oracle = '--oracle' in sys.argv
    written = tempfile.mkdtemp(prefix='quillo-rtf-')
    env = dict(os.environ, QUILLO_RTF_WRITTEN_DIR=written, QT_QPA_PLATFORM='offscreen')
    subprocess.run([os.path.join(build, 'tests', 'richtext', 'tst_rtfwriter'), 'roundTripOfEverySample'],
                   env=env, check=True, capture_output=True)
    failures = 0
    names = sorted(n for n in os.listdir(written) if n.endswith('.rtf'))
    for name in names:
        path = os.path.join(written, name)
        with open(path[:-4] + '.txt', encoding='utf-8') as f:
            expected = normalise(f.read())
        with open(path, 'rb') as f:
            rtf = f.read()
        # tables must stay tables; their rows and cells are compared as one text
        tables = b'\\trowd' in rtf
        results = {'unrtf': unrtf(path)}
        # pandoc cannot read raw \bin data (kept as the sample had it)
        if b'\\bin' not in rtf:
            results['pandoc'] = pandoc(path, tables)
        report = []
        for reader, text in results.items():
            if text is None:
                report.append(f'{reader}: failed')
            elif tables and ''.join(normalise(text)) != ''.join(expected):
                report.append(f'{reader}: table text differs')
            elif not tables and normalise(text) != expected:
                got = normalise(text)
                diff = next((i for i in range(max(len(got), len(expected)))
                             if (got[i:i + 1] or [''])[0] != (expected[i:i + 1] or [''])[0]), 0)
                report.append(f'{reader}: line {diff}: {got[diff:diff + 1]} != {expected[diff:diff + 1]}')
        if tables and b'\\bin' not in rtf and not pandoc_has_table(path):
            report.append('pandoc: no table')
        if use_oracle:
            data = oracle(path, path + '.json')
            if data is None:
                report.append('oracle: failed')
            else:
                # Wine shows \line as a space: compare the text as a whole
                if ''.join(normalise(data['text'])) != ''.join(expected):
                    got = normalise(data['text'])
                    diff = next((i for i in range(max(len(got), len(expected)))
                                 if (got[i:i + 1] or [''])[0] != (expected[i:i + 1] or [''])[0]), 0)
                    report.append(f'oracle text: line {diff}: {got[diff:diff + 1]} != {expected[diff:diff + 1]}')
                # every picture must be counted
                with open(path[:-4] + '.pictures') as f:
                    pictures = int(f.read())
                if data['objects'] != pictures:
                    report.append(f"oracle objects: {data['objects']} of {pictures} pictures")
                if tables and not any(p['table'] for p in data['paras']):
                    report.append('oracle: no table')
        bad = [r for r in report if not r.startswith('(')]
        failures += bool(bad)
        print(('FAIL ' if bad else 'ok   ') + name + ('  ' + '; '.join(report) if report else ''))
    print(f'{len(names) - failures} passed, {failures} failed')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
