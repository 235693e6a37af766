#!/usr/bin/env bash
# Builds everything, then runs every test under Wine (one ctest test per
# test executable) with one persistent wineserver and a private display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"
source "$root/tools/wine-env.sh"
trap korvex_wine_down EXIT
korvex_wine_up
cd "$root/build"
# A crashed test waits for a debugger that cannot attach here: bound it.
ctest --output-on-failure --timeout 300 -j"$(nproc)" "$@"
