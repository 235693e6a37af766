#!/usr/bin/python3
"""The table benchmark's peer, native: dbfread scans the file that
quelt_bench wrote, python3-dbf reads and updates records at random.

quelt_peer.py <BENCH.DBF>
"""
import random
import sys
import time
import warnings

warnings.simplefilter("ignore")
import dbf  # noqa: E402
from dbfread import DBF  # noqa: E402


def report(what, count, seconds):
    print("%-40s %9d %8.3f s %12.0f /s" % (what, count, seconds, count / seconds))


def main():
    path = sys.argv[1]
    start = time.perf_counter()
    count = sum(1 for _ in DBF(path, encoding="cp866"))
    report("dbfread scan", count, time.perf_counter() - start)

    table = dbf.Table(path)
    table.open(dbf.READ_WRITE)
    rng = random.Random(64)
    reads = 50000
    start = time.perf_counter()
    for _ in range(reads):
        n = rng.randrange(len(table))
        if table[n].id != n + 1:
            raise SystemExit("record %d reads %r" % (n + 1, table[n].id))
    report("python3-dbf random read with a field", reads, time.perf_counter() - start)
    updates = 5000
    start = time.perf_counter()
    for i in range(updates):
        with table[rng.randrange(len(table))] as record:
            record.val = i
    report("python3-dbf update", updates, time.perf_counter() - start)
    table.close()


if __name__ == "__main__":
    main()
