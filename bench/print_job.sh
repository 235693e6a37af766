#!/usr/bin/env bash
# Print job benchmark: bench/print_job.cpp on the printer "PDF" (pages per
# second through Grusk beside the same drawing done directly). Builds first
# when needed; extra arguments go to the program (the number of rounds).
# The benchmark's windows are left unmanaged (bench_unmanaged).
set -euo pipefail
source "$(dirname "$0")/bench_env.sh" print_job.exe
bench_unmanaged print_job.exe
wine "$root/build/bin/print_job.exe" "$@" | tr -d '\r'
