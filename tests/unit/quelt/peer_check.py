#!/usr/bin/python3
"""Peer check of the tables the engine wrote (table_peer_test), run natively
after it: dbfread reads them, python3-dbf appends to one for the engine to
read back.

peer_check.py <the tests' work directory> tables
peer_check.py <the tests' work directory> turns
  what two processes appended in turn through Quelt.dll (quelt_process_test).
"""
import datetime
import os
import shutil
import sys
import warnings

warnings.simplefilter("ignore")
import dbf  # noqa: E402
from dbfread import DBF, FieldParser  # noqa: E402


class EmptyDates(FieldParser):
    """The engine's blank date, 19000000, read as no date."""

    def parseD(self, field, data):
        if data == b"19000000":
            return None
        return FieldParser.parseD(self, field, data)


failures = []


def expect(what, got, wanted):
    if got != wanted:
        failures.append("%s: got %r, wanted %r" % (what, got, wanted))


def turns(work):
    folder = os.path.join(work, "processes")
    name = [f for f in os.listdir(folder) if f.upper() == "TURNS.DBF"][0]
    table = DBF(os.path.join(folder, name), encoding="cp866", parserclass=EmptyDates, load=True)
    wanted = [base + i for i in range(1, 101) for base in (1000, 2000)]
    expect("A in turns", [r["A"] for r in table.records], wanted)


def tables(work):
    peer = os.path.join(work, "peer")
    table = DBF(os.path.join(peer, "engine.DBF"), encoding="cp866", parserclass=EmptyDates, load=True)
    live = [dict(r) for r in table.records]
    deleted = [dict(r) for r in table.deleted]
    expect("live records", len(live), 1)
    expect("deleted records", len(deleted), 1)
    if live:
        r = live[0]
        expect("live record", (r["NAME"], r["QTY"], r["PRICE"], r["BORN"], r["OK"]),
               ("Ёжик", 42, -1.5, None, True))
        expect("memo", r["NOTE"], "Туман " * 100)
    if deleted:
        expect("deleted record", (deleted[0]["NAME"], deleted[0]["BORN"]),
               ("Удалить", datetime.date(2000, 1, 1)))

    # Appended to a fresh copy of the engine's table, so that the check can
    # run again on the same files and the engine reads back one record more.
    for ext in ("DBF", "DBT"):
        shutil.copyfile(os.path.join(peer, "shared." + ext), os.path.join(peer, "appended." + ext))
    writer = dbf.Table(os.path.join(peer, "appended.DBF"), codepage="cp866")
    writer.open(dbf.READ_WRITE)
    # python3-dbf ends a memo only at two end marks: its memo text is not
    # compared here.
    expect("engine's record as python3-dbf reads it", (writer[0].name.strip(), writer[0].qty),
           ("Первый", 1))
    writer.append(("Пётр", 5, 2.25, datetime.date(2020, 1, 2), False, "Заметка"))
    writer.close()


def main():
    {"tables": tables, "turns": turns}[sys.argv[2]](sys.argv[1])
    for f in failures:
        print("FAILED", f)
    print("%d passed, %d failed" % (1 if not failures else 0, 1 if failures else 0))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
