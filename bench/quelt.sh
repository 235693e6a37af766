#!/usr/bin/env bash
# Table engine benchmark: Quelt.dll's exports under Wine (quelt_bench), then
# the native peer (quelt_peer.py: dbfread's scans, python3-dbf's reads and
# updates with fcntl locks on the same byte ranges) on the same file, row
# for row with the same counts and record numbers. Builds first when needed.
# Prints both times and peer / Quelt per row (above 1: Quelt is the faster).
# Under Wine every LockFile and UnlockFile is a wineserver request, where
# the peer's fcntl is one system call: the locked update rows show that.
#   bench/quelt.sh [records]
set -euo pipefail
source "$(dirname "$0")/bench_env.sh" quelt_bench.exe
work=$(mktemp -d)
trap 'korvex_wine_down; rm -rf "$work"' EXIT
records=${1:-1000000}
wine "$root/build/bin/quelt_bench.exe" "Z:${work//\//\\}" "$records" | tr -d '\r' > "$work/quelt.rows"
/usr/bin/python3 "$root/bench/quelt_peer.py" "$work/BENCH.DBF" "$records" > "$work/peer.rows"
LC_ALL=C awk -F'|' '
  NR == FNR { if (NF != 3) { print "quelt_bench: " $0; next } peer[$1] = $3; peerCount[$1] = $2; next }
  FNR == 1 { printf "%-40s %9s %10s %10s %8s\n", "", "count", "Quelt", "peer", "ratio" }
  NF != 3 { print "quelt_bench: " $0; next }
  !($1 in peer) { printf "%-40s %9d %9.3fs %10s\n", $1, $2, $3, "(no peer)"; next }
  $2 != peerCount[$1] { printf "%-40s %9d %9.3fs %9.3fs  peer counted %d\n", $1, $2, $3, peer[$1], peerCount[$1]; next }
  { printf "%-40s %9d %9.3fs %9.3fs %7.2fx\n", $1, $2, $3, peer[$1], peer[$1] / $3 }
' "$work/peer.rows" "$work/quelt.rows"
