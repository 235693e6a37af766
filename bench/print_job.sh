#!/usr/bin/env bash
# Print job benchmark: bench/print_job.cpp on the printer "PDF" (pages per
# second through Grusk beside the same drawing done directly). Builds first
# when needed; extra arguments go to the program (the number of rounds).
# The test display has no window manager, for which Wine's X11 driver waits
# 2 s whenever a framed window such as the progress dialog goes away; the
# benchmark's windows are therefore left unmanaged, as on a desktop that
# answers at once.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ -x "$root/build/bin/print_job.exe" ] || "$root/tools/build.sh" >/dev/null
source "$root/tools/wine-env.sh"
trap korvex_wine_down EXIT
korvex_wine_up
wine reg add 'HKCU\Software\Wine\AppDefaults\print_job.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine "$root/build/bin/print_job.exe" "$@" | tr -d '\r'
