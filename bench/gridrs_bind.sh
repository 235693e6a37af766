#!/usr/bin/env bash
# Grid control benchmark (part of bench/run.sh grid): B(ID, NAME, QTY) with
# 1,000,000 rows (the record-set benchmark's table) in the test data source
# KTEST, made by the sqlite3 program when it is not there; then
# bench/gridrs_bind.cpp in one run.
set -euo pipefail
source "$(dirname "$0")/bench_env.sh" gridrs_bind.exe
bench_table_b 1000000
cd "$root/build/bin"
wine gridrs_bind.exe | tr -d '\r'
