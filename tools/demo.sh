#!/usr/bin/env bash
# Builds everything, then runs the example script examples/demo.bas in
# korvex under Wine. Without a display it runs on a private Xvfb screen;
# either way a screenshot of the script's result is saved to build/demo.png
# and the text it shows is printed here. Then examples/grid_demo.bas shows
# a table of the demo's own SQLite database (build/demo.db, made here from
# examples/grid_demo.sql) in a record table; its screenshot is saved to
# build/demo_grid.png. Last, examples/view_demo.bas writes that table into
# a page file and shows it in the page view; build/demo_view.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" >/dev/null
source "$root/tools/wine-env.sh"
trap korvex_wine_down EXIT
korvex_wine_up
bin="$root/build/bin"
wine "$bin/korvex.exe" "Z:${root//\//\\}\\examples\\demo.bas" &
korvex=$!
# The script ends by showing its result in a message box titled "Korvex".
if wine "$bin/gui_driver.exe" find "#32770" Korvex 60000 >/dev/null; then
  # The frame starts minimized; restore it for the picture.
  frame=$(wine "$bin/gui_driver.exe" find KORVEX "" 1000 | tr -d '\r') &&
    wine "$bin/gui_driver.exe" show "$frame" 9 >/dev/null || true
  sleep 1
  import -display "$DISPLAY" -window root "$root/build/demo.png"
  echo "korvex shows:"
  wine "$bin/gui_driver.exe" answer 1 10000 | tr -d '\r'
  echo "screenshot: build/demo.png"
else
  echo "the demo script showed no result" >&2
fi
wait "$korvex"

# The record table demo: the database and its data source KDEMO first.
db="$root/build/demo.db"
rm -f "$db"
iconv -f UTF-8 -t CP1251 "$root/examples/grid_demo.sql" | sqlite3 "$db"
printf '\n[KDEMO]\nDriver=SQLite3\nDatabase=%s\n' "$db" >> "$ODBCINI"
driver() { wine "$bin/gui_driver.exe" "$@" | tr -d '\r'; }
# Waits for korvex's script window to hold a window of class $1: sets
# frame, client, script and found (empty when none came).
find_in_script() {
  found=""
  frame=$(driver find KORVEX "" 60000) || return 0
  client=$(driver children "$frame" MDIClient | cut -d' ' -f1)
  for _ in $(seq 100); do
    script=$(driver children "$client" KORVEX_CLASS | cut -d' ' -f1 | head -1)
    [ -n "$script" ] && found=$(driver children "$script" "$1" | cut -d' ' -f1)
    [ -n "$found" ] && return 0
    sleep 0.3
  done
}
# With the frame and the script window maximized, saves the screen to
# build/$1 and closes the script window.
shoot_script() {
  driver show "$frame" 3 >/dev/null
  driver send "$client" 0x0225 "$script" >/dev/null  # WM_MDIMAXIMIZE
  "${@:2}"
  sleep 1
  import -display "$DISPLAY" -window root "$root/build/$1"
  echo "screenshot: build/$1"
  driver post "$client" 0x0221 "$script" >/dev/null  # WM_MDIDESTROY
}
# A click on a table's titles gives it the focus: its marker shows.
focus_table() {
  driver post "$1" 0x0201 1 0x30010 >/dev/null  # WM_LBUTTONDOWN
  driver post "$1" 0x0202 0 0x30010 >/dev/null  # WM_LBUTTONUP
}

wine "$bin/korvex.exe" "Z:${root//\//\\}\\examples\\grid_demo.bas" &
korvex=$!
find_in_script OSTRELCLASS
if [ -n "$found" ]; then
  # The table follows its window.
  shoot_script demo_grid.png focus_table "$found"
else
  echo "the grid demo showed no table" >&2
  kill "$korvex" 2>/dev/null || true
fi
wait "$korvex" || true

# The page view demo: examples/view_demo.bas writes the same table into a
# page file (after the printer choice, answered here) and shows it in the
# page view in the table's place.
wine "$bin/korvex.exe" "Z:${root//\//\\}\\examples\\view_demo.bas" &
korvex=$!
found=""
if driver find "#32770" "" 60000 >/dev/null && driver answer 1 10000 >/dev/null; then
  find_in_script SELVYCLASS
fi
if [ -n "$found" ]; then
  shoot_script demo_view.png true
else
  echo "the page view demo showed no page" >&2
  kill "$korvex" 2>/dev/null || true
fi
wait "$korvex" || true
