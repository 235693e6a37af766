#!/usr/bin/env python3
"""Reads the DOS export of PF_X natively: code page 866, ';' separated."""
import csv
import io
import sys

raw = open(sys.argv[1] + '/export_x.txt', 'rb').read()
rows = list(csv.reader(io.StringIO(raw.decode('cp866'), newline=''), delimiter=';'))
expected = [['Код', 'Сумма'], ['A1', '1,5000'], ['B2', '-20,2500']]
assert rows == expected, rows
assert raw.endswith(b'\r\n') and raw.count(b'\r\n') == 3, raw
print('export_x.txt:', rows)
