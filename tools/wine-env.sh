# Sourced: the Wine environment every run uses (Russian locale: ANSI 1251,
# OEM 866), a prefix inside the build tree, one persistent wineserver, an
# Xvfb display when there is none, and the print service (tools/cups.sh).
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="$root/build/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
{ export LC_ALL=ru_RU.UTF-8; } 2>/dev/null
export WINEDLLOVERRIDES="mscoree,mshtml="

korvex_xvfb_pid=""
korvex_wine_up() {
  if [ -z "${DISPLAY:-}" ]; then
    # Xvfb takes a free display number itself and writes it when ready:
    # runs started together never share one display.
    local number_file n=""
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    korvex_xvfb_pid=$!
    for _ in $(seq 100); do n=$(tr -dc 0-9 <"$number_file"); [ -n "$n" ] && break; sleep 0.1; done
    rm -f "$number_file"
    [ -n "$n" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$n"
  fi
  "$root/tools/cups.sh" up || echo "the print service is not ready: printing tests will fail" >&2
  mkdir -p "$WINEPREFIX"
  wineserver -p 2>/dev/null || true  # one may be running for this prefix already
  # Boot the prefix here (creating it the first time) so that Wine's
  # background services start now and not inside a test, whose output pipe
  # they would keep open.
  wine wineboot >/dev/null 2>&1 || true
  # Wine ends its desktop process when no program uses the desktop and the
  # next program with a window starts it again with that program's output,
  # which a test's output pipe then never sees closed: a program of our
  # own keeps the desktop in use until the wineserver ends.
  local keeper="$root/build/bin/desktop_keeper.exe"
  [ -e "$keeper" ] && { wine "$keeper" </dev/null >/dev/null 2>&1 & }
  # The table engine makes its temporary tables in C:\TMP\.
  mkdir -p "$WINEPREFIX/drive_c/TMP"
  # No window manager runs on a display of our own: there Wine leaves its
  # windows unmanaged, or hiding each one waits 2 s for a window manager
  # that never answers. A display given from outside has its manager.
  local x11='HKCU\Software\Wine\X11 Driver'
  if [ -n "$korvex_xvfb_pid" ]; then
    wine reg add "$x11" /v Managed /d N /f >/dev/null 2>&1 || true
  else
    wine reg delete "$x11" /v Managed /f >/dev/null 2>&1 || true
  fi
  . "$root/tools/odbc-env.sh" up
}

korvex_wine_down() {
  . "$root/tools/odbc-env.sh" down
  wineserver -k 2>/dev/null || true
  "$root/tools/cups.sh" down
  if [ -n "$korvex_xvfb_pid" ]; then kill "$korvex_xvfb_pid" 2>/dev/null || true; fi
}
