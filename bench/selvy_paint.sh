#!/usr/bin/env bash
# Page view benchmark: a 255-page file of the form library (a form per
# record of BENCH_PEOPLE in KTEST, as bench/reports.sh makes them) shown in
# the page view and turned with PgDn to its last page under Wine. Each paint
# walks the buffer from its start: the median paint of the last ten pages
# beside that of the first ten, and of all (target: 20 ms or less).
set -euo pipefail
source "$(dirname "$0")/bench_env.sh" selvy_paint.exe
bench_unmanaged selvy_paint.exe
db="$root/build/odbc/ktest.db"
sqlite3 "$db" "CREATE TABLE IF NOT EXISTS BENCH_PEOPLE (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), CITY VARCHAR(20));
  INSERT OR IGNORE INTO BENCH_PEOPLE
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2295)
  SELECT i, printf('Абонент %05d', i), CASE i % 2 WHEN 1 THEN 'Омск' ELSE 'Тула' END FROM n;"
set -- $(wine "$root/build/bin/selvy_paint.exe" 2>/dev/null | tr -d '\r')
LC_ALL=C printf '%-34s %10s %s\n' "page view, $2 pages: median paint" "$4 ms" "(target: 20 ms or less)" \
  "first ten pages / last ten pages" "$6 / $8 ms" "(the walk from the buffer's start)" \
  "slowest paint" "${10} ms" ""
