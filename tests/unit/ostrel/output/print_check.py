#!/usr/bin/env python3
"""Reads the printed N25 table (print_25.pdf) natively: one page, the title,
the heads ID and NAME, then the rows 1 R01 .. 25 R25 in order."""
import re
import subprocess
import sys

pdf = sys.argv[1] + '/print_25.pdf'
pages = subprocess.run(['pdfinfo', pdf], capture_output=True, text=True, check=True).stdout
assert re.search(r'^Pages:\s+1$', pages, re.M), pages
lines = [l for l in subprocess.run(['pdftotext', '-layout', pdf, '-'], capture_output=True, text=True,
                                   check=True).stdout.splitlines() if l.strip()]
assert lines[0].strip() == 'LIST N25', lines[:3]
assert lines[1].split() == ['ID', 'NAME'], lines[:3]
rows = lines[2:]
assert len(rows) == 25, rows
for n, line in enumerate(rows, 1):
    assert re.match(r'^\s*%d\s+R%02d$' % (n, n), line), (n, line)
print('print_25.pdf: title, heads and 25 rows in order')
