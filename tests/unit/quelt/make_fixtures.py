#!/usr/bin/python3
"""Table fixtures made by another implementation (python3-dbf), in the OEM
code page 866, and variants of them made by byte edits.

make_fixtures.py <output directory>
"""
import datetime
import os
import shutil
import struct
import sys
import warnings

warnings.simplefilter("ignore")
import dbf  # noqa: E402

LAYOUT = "NAME C(20); QTY N(5,0); PRICE N(8,2); BORN D; OK L; NOTE M"


def people(path):
    table = dbf.Table(path, LAYOUT, dbf_type="db3", codepage="cp866")
    table.open(dbf.READ_WRITE)
    table.append(("Иванов", 12, 3.5, datetime.date(2024, 2, 29), True, "Длинный текст " * 3))
    table.append(("Petrov", 7, 0.25, datetime.date(1999, 12, 31), False, "Deleted one"))
    table.append(("Сидоров", 0, -1.5, None, None, "x" * 512))
    table.append(("Empty", 1, 1, None, True, ""))
    dbf.delete(table[1])
    table.close()


def many_deleted(path):
    table = dbf.Table(path, "N N(6,0); T C(10)", dbf_type="db3", codepage="cp866")
    table.open(dbf.READ_WRITE)
    for i in range(1, 201):
        table.append((i, "запись"))
    for i in range(200):
        if i % 10:
            dbf.delete(table[i])
    table.close()


def edited(source, target, edit):
    data = bytearray(open(source + ".dbf", "rb").read())
    edit(data)
    open(target + ".dbf", "wb").write(data)
    if os.path.exists(source + ".dbt"):
        shutil.copyfile(source + ".dbt", target + ".dbt")


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    base = os.path.join(out, "people")
    people(base + ".dbf")
    many_deleted(os.path.join(out, "deleted.dbf"))
    # Headers of other versions of the format.
    for version in (0x02, 0x30, 0x8B, 0xF5):
        edited(base, os.path.join(out, "v%02x" % version), lambda d, v=version: d.__setitem__(0, v))
    # No end mark after the last record.
    edited(base, os.path.join(out, "nomark"), lambda d: d.__delitem__(len(d) - 1))
    # A count above the records the file holds.
    edited(base, os.path.join(out, "shortcount"), lambda d: d.__setitem__(slice(4, 8), struct.pack("<I", 10)))
    # Two fields of one name: QTY renamed PRICE.
    edited(base, os.path.join(out, "twins"), lambda d: d.__setitem__(slice(64, 75), b"PRICE" + bytes(6)))


if __name__ == "__main__":
    main()
