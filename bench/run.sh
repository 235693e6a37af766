#!/usr/bin/env bash
# Interpreter benchmark: each program once as a Korvex script (through the
# script runner, which times the run itself) and once as VBScript (through
# Wine's own cscript; each VBScript program times itself with Timer).
# Prints both times and the ratio. Builds first when needed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ -x "$root/build/bin/script_runner.exe" ] || "$root/tools/build.sh" >/dev/null
source "$root/tools/wine-env.sh"
trap korvex_wine_down EXIT
korvex_wine_up
win() { echo "Z:${1//\//\\}"; }
calc() { awk "BEGIN { print $1 }"; }
bench=$root/bench
printf '%-8s %10s %10s %8s\n' program korvex vbscript ratio
for name in loop strings calls; do
  korvex=$(wine "$root/build/bin/script_runner.exe" --time "$(win "$bench/$name.bas")" 2>&1 >/dev/null |
           sed -n 's/^run time: //p' | tr -d '\r s')
  vbs=$(wine cscript //nologo "$(win "$bench/$name.vbs")" 2>/dev/null | tr -d '\r' | tr ',' '.')
  printf '%-8s %9.3fs %9.3fs %7.1fx\n' "$name" "$korvex" "$vbs" "$(calc "$vbs / $korvex")"
done
