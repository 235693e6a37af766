#!/usr/bin/env python3
"""Reads KORVEX.INI of the Wine prefix natively (code page 1251) and checks
values: korvex_ini_check.py FILE SECTION KEY=VALUE..."""
import configparser
import sys

path, section, *pairs = sys.argv[1:]
ini = configparser.ConfigParser(strict=False, interpolation=None)
ini.optionxform = str
with open(path, encoding="cp1251") as text:
    ini.read_file(text)
failed = False
for pair in pairs:
    key, expected = pair.split("=", 1)
    got = ini.get(section, key, fallback=None)
    if got != expected:
        print(f"[{section}] {key}: {got!r}, expected {expected!r}")
        failed = True
sys.exit(1 if failed else 0)
