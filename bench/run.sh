#!/usr/bin/env bash
# Interpreter benchmark: Korvex against Wine's own VBScript on the same
# programs (bench/NAME.bas and bench/NAME.vbs), side by side in one run.
# Builds first when needed. Prints one row per program: both times and the
# ratio VBScript / Korvex (above 1: Korvex is the faster).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# "bench/run.sh frenna": the tree control's fill instead; "grid": the grid
# window's scrolling beside the list view, then the grid dialog control's
# binding and paging beside the grid window; "tree": the record tree
# window's Show, FindAll and Close; "pagefile": page-file writing, table
# printing into page files and the file export; "view": the page view's
# paints of a 255-page file; "appends": only the rows of texts built by
# appends (the last table of the default run).
case "${1:-}" in
  frenna) exec "$root/bench/treers_fill.sh" ;;
  grid)
    "$root/bench/grid_scroll.sh" || echo "bench/grid_scroll.sh ended with an error" >&2
    exec "$root/bench/gridrs_bind.sh" ;;
  tree) exec "$root/bench/caddel_tree.sh" ;;
  pagefile) exec "$root/bench/page_file.sh" ;;
  view) exec "$root/bench/selvy_paint.sh" ;;
esac
[ -x "$root/build/bin/script_runner.exe" ] || "$root/tools/build.sh" >/dev/null
source "$root/tools/wine-env.sh"
trap korvex_wine_down EXIT
korvex_wine_up
bench=$root/bench
sessions=${KORVEX_BENCH_SESSIONS:-5}
win() { echo "Z:${1//\//\\}"; }
# Numbers are printed with a decimal point whatever the locale Wine runs in.
calc() { LC_ALL=C awk "BEGIN { print $1 }"; }
row() { LC_ALL=C printf '%-14s %9.3fs %9.3fs %7.1fx\n' "$1" "$2" "$3" "$(calc "$3 / $2")"; }
# Seconds from start to exit of a whole process: the median of several runs.
session() {
  local times=() start
  for _ in $(seq "$sessions"); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    times+=("$(calc "($(date +%s%N) - $start) / 1e9")")
  done
  printf "%s\n" "${times[@]}" | LC_ALL=C sort -g | sed -n "$(((sessions + 1) / 2))p"
}

if [ "${1:-}" != appends ]; then
echo "Program rows: the script's run alone (the script runner times Run;"
echo "each VBScript program times itself with Timer), without process start."
echo "Session rows: korvex.exe and cscript from start to exit on the same"
echo "program, the median of $sessions runs."
printf '%-14s %10s %10s %8s\n' program korvex vbscript ratio
for name in loop strings text calls mixed; do
  korvex=$(wine "$root/build/bin/script_runner.exe" --time "$(win "$bench/$name.bas")" 2>&1 >/dev/null |
           sed -n 's/^run time: //p' | tr -d '\r s')
  vbs=$(wine cscript //nologo "$(win "$bench/$name.vbs")" 2>/dev/null | tr -d '\r' | tr ',' '.')
  row "$name" "$korvex" "$vbs"
done
for name in empty loop; do
  korvex=$(session wine "$root/build/bin/korvex.exe" "$(win "$bench/$name.bas")")
  vbs=$(session wine cscript //nologo "$(win "$bench/$name.vbs")")
  row "session $name" "$korvex" "$vbs"
done
fi

# Appends: S = S & P with a 10-character P (bench/append.bas and .vbs, the
# count put in their first line). Korvex's time is the median of three
# runs: single runs swing on a busy machine. "x2" is each row's time
# against the row of half the count: 2.0 where an append costs the same at
# any length, 4.0 where the text is copied whole at each. VBScript runs the
# counts it ends within a minute: a run still going after one is ended,
# and the larger counts are not tried.
printf '\n%-14s %10s %6s %10s %6s\n' appends korvex x2 vbscript x2
counts=$root/build/bench_appends
mkdir -p "$counts"
ratio() { if [ -n "$1" ] && [ -n "$2" ]; then LC_ALL=C printf '%5.2fx' "$(calc "$2 / $1")"; else printf '%6s' -; fi; }
korvex_last="" vbs_last="" vbs_on=1
for count in 80000 160000 320000 640000; do
  sed "1s/.*/N = $count/" "$bench/append.bas" >"$counts/append$count.bas"
  sed "1s/.*/N = $count/" "$bench/append.vbs" >"$counts/append$count.vbs"
  korvex=$(for _ in 1 2 3; do
             wine "$root/build/bin/script_runner.exe" --time "$(win "$counts/append$count.bas")" 2>&1 >/dev/null |
               sed -n 's/^run time: //p' | tr -d '\r s'
           done | LC_ALL=C sort -g | sed -n 2p)
  vbs=""
  if [ "$vbs_on" = 1 ]; then
    vbs=$(timeout 60 wine cscript //nologo "$(win "$counts/append$count.vbs")" 2>/dev/null | tr -d '\r' | tr ',' '.') || true
    if [ -z "$vbs" ]; then
      vbs_on=0
      wine taskkill /f /im cscript.exe >/dev/null 2>&1 || true  # wine's own launcher is what timeout ended
    fi
  fi
  LC_ALL=C printf '%-14s %9.3fs %s ' "$count" "$korvex" "$(ratio "$korvex_last" "$korvex")"
  if [ -n "$vbs" ]; then
    LC_ALL=C printf '%9.3fs %s\n' "$vbs" "$(ratio "$vbs_last" "$vbs")"
  else
    printf '%10s %6s\n' "(> 1 min)" -
  fi
  korvex_last=$korvex vbs_last=$vbs
done
