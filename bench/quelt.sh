#!/usr/bin/env bash
# Table engine benchmark: Quelt.dll's exports under Wine (quelt_bench), then
# the native peers on the same file (quelt_peer.py). Builds first when needed.
#   bench/quelt.sh [records]
set -euo pipefail
source "$(dirname "$0")/bench_env.sh" quelt_bench.exe
work=$(mktemp -d)
trap 'korvex_wine_down; rm -rf "$work"' EXIT
echo "Quelt.dll under Wine"
wine "$root/build/bin/quelt_bench.exe" "Z:${work//\//\\}" "${1:-1000000}" | tr -d '\r'
echo "peers, native"
/usr/bin/python3 "$root/bench/quelt_peer.py" "$work/BENCH.DBF"
