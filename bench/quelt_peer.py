#!/usr/bin/python3
"""The table benchmark's native peer on the file that quelt_bench wrote,
row for row with the same counts: dbfread scans it (raw=True: each field's
bytes; parsed: numbers and text), python3-dbf reads and updates records at
the same record numbers (quelt_bench's xorshift sequence), taking the same
byte-range locks as Quelt with fcntl: the header's first 32 bytes for the
whole locked row, each record's bytes for its write.
One row each: "<what>|<count>|<seconds>".

quelt_peer.py <BENCH.DBF> <records>
"""
import fcntl
import os
import sys
import time
import warnings

warnings.simplefilter("ignore")
import dbf  # noqa: E402
from dbfread import DBF  # noqa: E402

HEADER_REGION = 32


class Xorshift:
    """quelt_bench's record numbers."""

    def __init__(self):
        self.state = 64

    def below(self, n):
        s = self.state
        s ^= (s << 13) & 0xFFFFFFFF
        s ^= s >> 17
        s ^= (s << 5) & 0xFFFFFFFF
        self.state = s
        return s % n


def report(what, count, seconds):
    print("%s|%d|%.6f" % (what, count, seconds))


def lock(fd, start, length):
    fcntl.lockf(fd, fcntl.LOCK_EX | fcntl.LOCK_NB, length, start, os.SEEK_SET)


def unlock(fd, start, length):
    fcntl.lockf(fd, fcntl.LOCK_UN, length, start, os.SEEK_SET)


def updates(table, records, count, rng, locked, flushed):
    """count updates: read, set VAL's units digit, write; the record's
    bytes locked for the write when locked, flushed after it when flushed."""
    dfd = table._meta.dfd
    fd = dfd.fileno()
    start_of_records = table._meta.header.start
    length = table._meta.header.record_length
    for i in range(count):
        n = rng.below(records)
        record = table[n]
        where = start_of_records + n * length
        if locked:
            lock(fd, where, length)
        with record:
            record.val = i % 10
        dfd.flush()
        if locked:
            unlock(fd, where, length)
        if flushed:
            os.fsync(fd)


def main():
    path, records = sys.argv[1], int(sys.argv[2])

    start = time.perf_counter()
    count = sum(1 for _ in DBF(path, raw=True))
    report("scan raw, cache load included", count, time.perf_counter() - start)
    start = time.perf_counter()
    count = sum(1 for _ in DBF(path, encoding="cp866"))
    report("scan parsed, cache load included", count, time.perf_counter() - start)

    table = dbf.Table(path)
    table.open(dbf.READ_WRITE)
    rng = Xorshift()
    reads = records // 2
    start = time.perf_counter()
    for _ in range(reads):
        n = rng.below(records)
        if table[n].id != n + 1:
            raise SystemExit("record %d reads %r" % (n + 1, table[n].id))
    report("random read with a field", reads, time.perf_counter() - start)

    count = 20000
    fd = table._meta.dfd.fileno()
    start = time.perf_counter()
    lock(fd, 0, HEADER_REGION)
    os.pread(fd, HEADER_REGION, 0)
    updates(table, records, count, rng, locked=True, flushed=False)
    os.pwrite(fd, os.pread(fd, HEADER_REGION, 0), 0)
    os.fsync(fd)
    unlock(fd, 0, HEADER_REGION)
    report("update, record locks in one header lock", count, time.perf_counter() - start)

    start = time.perf_counter()
    updates(table, records, count, rng, locked=False, flushed=False)
    report("update, no-lock mode", count, time.perf_counter() - start)

    count = 1000
    start = time.perf_counter()
    updates(table, records, count, rng, locked=True, flushed=True)
    report("update, record lock and flush each", count, time.perf_counter() - start)
    table.close()


if __name__ == "__main__":
    main()
