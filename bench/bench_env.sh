# Sourced first by the benchmark scripts:
#   source "$(dirname "$0")/bench_env.sh" NAME.exe...
# sets root (the repository), builds when one of the named programs is not
# in build/bin, and brings the Wine environment (tools/wine-env.sh) up until
# the script exits. Then it gives the helpers below.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
for bench_program in "$@"; do
  if [ ! -x "$root/build/bin/$bench_program" ]; then
    "$root/tools/build.sh" >/dev/null
    break
  fi
done
unset bench_program
source "$root/tools/wine-env.sh"
trap korvex_wine_down EXIT
korvex_wine_up

# Leaves the program's windows unmanaged. The test display has no window
# manager, for which Wine's X11 driver waits 2 s whenever a framed window
# such as a progress dialog goes away; unmanaged, they go at once, as on a
# desktop that answers.
bench_unmanaged() {
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$1\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
}

# B(ID, NAME, QTY) with $1 rows in the test data source KTEST, made anew:
# the record-set benchmark's table.
bench_make_b() {
  sqlite3 "$root/build/odbc/ktest.db" "DROP TABLE IF EXISTS B; CREATE TABLE B (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), QTY INTEGER);
    WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $1)
    INSERT INTO B SELECT i, 'name ' || i, i % 1000 FROM n;"
}

# The same table, made only when KTEST's B does not hold $1 rows already.
bench_table_b() {
  if [ "$(sqlite3 "$root/build/odbc/ktest.db" "SELECT count(*) FROM B" 2>/dev/null || echo 0)" != "$1" ]; then
    bench_make_b "$1"
  fi
}
