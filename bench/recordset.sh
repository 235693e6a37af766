#!/usr/bin/env bash
# Record-set benchmark: B(ID INTEGER PRIMARY KEY, NAME VARCHAR(20), QTY
# INTEGER) with 1,000,000 rows made by the sqlite3 and psql programs in the
# test data sources KTEST and KPGTEST; then for each, in one run, Praxel's
# record set and a plain ODBC program (bench/recordset.cpp), and the native
# program writing the whole table into a tab-separated file.
set -euo pipefail
source "$(dirname "$0")/bench_env.sh" recordset_bench.exe
rows=${1:-1000000}
db="$root/build/odbc/ktest.db"
bench_make_b "$rows"
pg() { psql -q -h 127.0.0.1 -p "$KORVEX_PG_PORT" -U korvex ktest "$@"; }
pg -c "DROP TABLE IF EXISTS B; CREATE TABLE B (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), QTY INTEGER);
  INSERT INTO B SELECT i, 'name ' || i, i % 1000 FROM generate_series(1, $rows) i; ANALYZE B;"
for dsn in KTEST KPGTEST; do
  wine "$root/build/bin/recordset_bench.exe" "$dsn" | tr -d '\r'
done
# The peers write the rows into a file, as Korvex's exports do.
out="$root/build/recordset_peer.txt"
t() {
  local s=$(date +%s.%N)
  "$@" >"$out"
  LC_ALL=C awk "BEGIN { printf \"%8.3f s  (%d bytes)\", $(date +%s.%N) - $s, $(stat -c %s "$out") }"
}
echo "sqlite3 full read   $(t sqlite3 -separator $'\t' "$db" 'SELECT ID, NAME, QTY FROM B ORDER BY ID')"
echo "psql full read      $(t pg -At -F $'\t' -c 'SELECT ID, NAME, QTY FROM B ORDER BY ID')"
rm -f "$out"
