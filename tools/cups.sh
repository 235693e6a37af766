#!/usr/bin/env bash
# The print service the printing tests use: a CUPS scheduler with the
# cups-pdf printer "PDF" as the default printer (its jobs land as PDF files
# in ~/PDF of the printing user).
#   tools/cups.sh up    starts cupsd when none runs, adds "PDF" when it is
#                       missing and waits until lpstat shows it enabled
#   tools/cups.sh down  stops the cupsd that an "up" started, and only that
#                       one, once no other session that called "up" is left
# Sessions (the shells that call up and down, each a test or demo run) hold
# a lease each, so that one run ending does not take the service from
# another run beside it.
set -euo pipefail
# lpstat is read below: its English texts.
export LC_ALL=C LANG=C
leases=/tmp/korvex-cups
pidfile="$leases/cupsd.pid"
session=$PPID
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

scheduler_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

# Drops the leases of sessions that ended without "down".
prune_leases() {
  local lease
  for lease in "$leases"/session.*; do
    [ -e "$lease" ] || continue
    kill -0 "${lease##*.}" 2>/dev/null || rm -f "$lease"
  done
}

up() {
  mkdir -p "$leases"
  touch "$leases/session.$session"
  if ! scheduler_running; then
    # In the foreground of a session of its own, so its pid is the one kept.
    $sudo setsid /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
    echo $! >"$pidfile"
    for _ in $(seq 100); do scheduler_running && break; sleep 0.1; done
    scheduler_running || { echo "cupsd did not start" >&2; return 1; }
  fi
  if ! lpstat -p PDF >/dev/null 2>&1; then
    $sudo lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>&1 |
      grep -v "drivers are deprecated" >&2 || true
  fi
  [ "$(lpstat -d 2>/dev/null)" = "system default destination: PDF" ] || $sudo lpadmin -d PDF
  for _ in $(seq 100); do
    lpstat -p PDF 2>/dev/null | grep -q enabled && return 0
    sleep 0.1
  done
  echo "printer PDF is not enabled" >&2
  return 1
}

down() {
  rm -f "$leases/session.$session"
  prune_leases
  compgen -G "$leases/session.*" >/dev/null && return 0
  [ -f "$pidfile" ] || return 0
  local pid
  pid=$(cat "$pidfile")
  rm -f "$pidfile"
  $sudo kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
}

case "${1:-}" in
  up) up ;;
  down) down ;;
  *) echo "usage: $0 up|down" >&2; exit 2 ;;
esac
