#!/usr/bin/env bash
# Builds everything, then runs the example script examples/demo.bas in
# korvex under Wine. Without a display it runs on a private Xvfb screen;
# either way a screenshot of the script's result is saved to build/demo.png
# and the text it shows is printed here. Then examples/grid_demo.bas shows
# a table of the demo's own SQLite database (build/demo.db, made here from
# examples/grid_demo.sql) in a record table; its screenshot is saved to
# build/demo_grid.png.
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
wine "$bin/korvex.exe" "Z:${root//\//\\}\\examples\\grid_demo.bas" &
korvex=$!
table=""
if frame=$(driver find KORVEX "" 60000); then
  client=$(driver children "$frame" MDIClient | cut -d' ' -f1)
  for _ in $(seq 100); do
    script=$(driver children "$client" KORVEX_CLASS | cut -d' ' -f1 | head -1)
    [ -n "$script" ] && table=$(driver children "$script" OSTRELCLASS | cut -d' ' -f1)
    [ -n "$table" ] && break
    sleep 0.3
  done
fi
if [ -n "$table" ]; then
  # The frame and the script window maximized; the table follows its window.
  driver show "$frame" 3 >/dev/null
  driver send "$client" 0x0225 "$script" >/dev/null  # WM_MDIMAXIMIZE
  # A click on the titles gives the table the focus: its marker shows.
  driver post "$table" 0x0201 1 0x30010 >/dev/null  # WM_LBUTTONDOWN
  driver post "$table" 0x0202 0 0x30010 >/dev/null  # WM_LBUTTONUP
  sleep 1
  import -display "$DISPLAY" -window root "$root/build/demo_grid.png"
  echo "screenshot: build/demo_grid.png"
  driver post "$client" 0x0221 "$script" >/dev/null  # WM_MDIDESTROY
else
  echo "the grid demo showed no table" >&2
  kill "$korvex" 2>/dev/null || true
fi
wait "$korvex" || true
