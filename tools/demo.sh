#!/usr/bin/env bash
# Builds everything, then runs the example script examples/demo.bas in
# korvex under Wine. Without a display it runs on a private Xvfb screen;
# either way a screenshot of the script's result is saved to build/demo.png
# and the text it shows is printed here.
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
