#!/usr/bin/env bash
# Page-file benchmark (bench/run.sh pagefile): bench/page_file.cpp in one run
# ('L' records beside the raw WriteFile loop; WriteTableFile and the file
# export over B(ID, NAME, QTY) of KTEST, the record-set benchmark's table,
# made when it is not there), then the sqlite3 program writing the same
# SELECTs into a file as tab-separated text. The program's windows (each job's
# progress dialog) are left unmanaged (bench_unmanaged).
set -euo pipefail
source "$(dirname "$0")/bench_env.sh" page_file.exe
bench_unmanaged page_file.exe
rows=1000000
db="$root/build/odbc/ktest.db"
bench_table_b "$rows"
cd "$root/build/bin"
out=$(wine page_file.exe "${1:-1000000}" | tr -d '\r')
echo "$out"
largest=$(echo "$out" | sed -n 's/^largest within 255 pages: \([0-9]*\) rows/\1/p')
peer() {
  local s e
  s=$(date +%s.%N)
  sqlite3 -separator $'\t' "$db" "$2" >"$root/build/page_file_peer.txt"
  e=$(date +%s.%N)
  LC_ALL=C awk "BEGIN { printf \"sqlite3 %-11s %10d rows %8.3f s %10.0f rows/s\n\", \"$1\", $3, $e - $s, $3 / ($e - $s) }"
}
[ -n "$largest" ] && peer "255 pages" "SELECT ID, NAME, QTY FROM B WHERE ID <= $largest ORDER BY ID" "$largest"
peer "export" "SELECT ID, NAME, QTY FROM B ORDER BY ID" "$rows"
rm -f "$root/build/page_file_peer.txt"
