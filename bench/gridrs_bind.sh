#!/usr/bin/env bash
# Grid control benchmark (part of bench/run.sh grid): B(ID, NAME, QTY) with
# 1,000,000 rows (the record-set benchmark's table) in the test data source
# KTEST, made by the sqlite3 program when it is not there; then
# bench/gridrs_bind.cpp in one run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ -x "$root/build/bin/gridrs_bind.exe" ] || "$root/tools/build.sh" >/dev/null
source "$root/tools/wine-env.sh"
trap korvex_wine_down EXIT
korvex_wine_up
rows=1000000
db="$root/build/odbc/ktest.db"
if [ "$(sqlite3 "$db" "SELECT count(*) FROM B" 2>/dev/null || echo 0)" != "$rows" ]; then
  sqlite3 "$db" "DROP TABLE IF EXISTS B; CREATE TABLE B (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), QTY INTEGER);
    WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $rows)
    INSERT INTO B SELECT i, 'name ' || i, i % 1000 FROM n;"
fi
cd "$root/build/bin"
wine gridrs_bind.exe | tr -d '\r'
