#!/usr/bin/env bash
# Grid control benchmark (part of bench/run.sh grid): GRIDB(K, NAME, AMOUNT)
# with 1,000,000 rows, made once by the sqlite3 program in the test data
# source KTEST; then bench/gridrs_bind.cpp in one run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ -x "$root/build/bin/gridrs_bind.exe" ] || "$root/tools/build.sh" >/dev/null
source "$root/tools/wine-env.sh"
trap korvex_wine_down EXIT
korvex_wine_up
db="$root/build/odbc/ktest.db"
if [ "$(sqlite3 "$db" "SELECT COUNT(*) FROM GRIDB" 2>/dev/null || true)" != 1000000 ]; then
  sqlite3 "$db" "DROP TABLE IF EXISTS GRIDB;
    CREATE TABLE GRIDB (K INTEGER PRIMARY KEY, NAME VARCHAR(20), AMOUNT NUMERIC(12,2));
    WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000)
    INSERT INTO GRIDB SELECT i, 'name ' || i, (i % 10000) / 100.0 FROM n;"
fi
cd "$root/build/bin"
wine gridrs_bind.exe | tr -d '\r'
