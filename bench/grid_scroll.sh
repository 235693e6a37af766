#!/usr/bin/env bash
# Grid scrolling benchmark (bench/run.sh grid): B(ID, NAME, QTY) with
# 1,000,000 rows (the record-set benchmark's table) in the test data source
# KTEST, made by the sqlite3 program when it is not there; then
# bench/grid_scroll.cpp in one run: the grid window and Wine's list view
# over the same record set; then bench/ostrel_show.cpp: OSTREL_Show over
# the same table (Ostrel.dll) beside the list view given it.
set -euo pipefail
source "$(dirname "$0")/bench_env.sh" grid_scroll.exe ostrel_show.exe
bench_table_b 1000000
cd "$root/build/bin"
wine grid_scroll.exe "${1:-2000}" | tr -d '\r'
# OSTREL_Show over the same table (bench/ostrel_show.cpp, Ostrel.dll).
if [ -x ostrel_show.exe ]; then
  echo
  wine ostrel_show.exe | tr -d '\r'
fi
