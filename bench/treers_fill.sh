#!/usr/bin/env bash
# Tree control fill benchmark (bench/run.sh frenna): TRB(K, ID, OWN, NAME)
# with 20,200 rows, parents first (200 top nodes, 20 children each, 4
# grandchildren each), made by the sqlite3 program in the test data source
# KTEST; then bench/treers_fill.cpp in one run, on the first 10,100 rows
# and on all.
set -euo pipefail
source "$(dirname "$0")/bench_env.sh" treers_fill.exe
sqlite3 "$root/build/odbc/ktest.db" "DROP TABLE IF EXISTS TRB;
  CREATE TABLE TRB (K INTEGER PRIMARY KEY, ID INTEGER, OWN INTEGER, NAME VARCHAR(20));
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20200)
  INSERT INTO TRB SELECT i, i,
    CASE WHEN i <= 200 THEN 0 WHEN i <= 4200 THEN (i - 201) / 20 + 1 ELSE (i - 4201) / 4 + 201 END,
    'node ' || i FROM n;"
cd "$root/build/bin"
wine treers_fill.exe | tr -d '\r'
