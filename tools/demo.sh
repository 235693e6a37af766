#!/usr/bin/env bash
# Builds everything and runs the demo under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"
source "$root/tools/wine-env.sh"
trap korvex_wine_down EXIT
korvex_wine_up
wine "$root/build/examples/value_demo.exe"
