# Sourced with "up" or "down" (from korvex_wine_up / korvex_wine_down): the
# ODBC data sources the tests use, in the build tree, and a private
# PostgreSQL cluster behind one of them.
#   KTEST    SQLite file build/odbc/ktest.db
#   KPGTEST  PostgreSQL database ktest, user korvex, on 127.0.0.1 and a free
#            port, started by "up" and stopped (and removed) by "down";
#            database and client encoding WIN1251, so texts pass as the
#            system's code page 1251 both ways
#   build/odbc/trace: the same drivers with the driver manager's trace on
#   build/odbc/lib: the cursor library under the name the driver manager
#            asks for
# ODBCSYSINI points the 32-bit unixODBC under Wine's odbc32 at these files.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
korvex_odbc_dir="$root/build/odbc"
korvex_odbc_lib=/usr/lib/i386-linux-gnu
export ODBCSYSINI="$korvex_odbc_dir"
export ODBCINI="$korvex_odbc_dir/odbc.ini"
# The driver manager loads the cursor library as an unversioned
# libodbccr.so, first by the library search path and then from the folder
# of its system files, and Debian ships only libodbccr.so.2. Found by the
# search path, it serves whatever folder ODBCSYSINI names (the trace
# folder, or a user's own).
case ":${LD_LIBRARY_PATH:-}:" in
  *":$korvex_odbc_dir/lib:"*) ;;
  *) export LD_LIBRARY_PATH="$korvex_odbc_dir/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" ;;
esac

# Runs a PostgreSQL program as its own user when we are root (it refuses
# root), else as ourselves.
korvex_pg_run() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

korvex_pg_bin() {
  local d
  for d in /usr/lib/postgresql/*/bin; do [ -x "$d/initdb" ] && { echo "$d"; return; }; done
  echo "odbc-env: no PostgreSQL server installed (tools/packages.sh)" >&2
  return 1
}

korvex_odbc_files() {
  local port=$1 need
  for need in "$korvex_odbc_lib/libodbcinst.so.2" "$korvex_odbc_lib/libodbccr.so.2" \
              "$korvex_odbc_lib/odbc/libsqlite3odbc.so" "$korvex_odbc_lib/odbc/psqlodbca.so"; do
    # Without the 32-bit libodbcinst the SQLite driver connects through a
    # DSN but never reads its Database= line: fail here, loudly.
    [ -e "$need" ] || { echo "odbc-env: missing $need (tools/packages.sh)" >&2; return 1; }
  done
  mkdir -p "$korvex_odbc_dir"
  cat > "$korvex_odbc_dir/odbcinst.ini" <<EOF
[SQLite3]
Description=SQLite3 ODBC Driver
Driver=$korvex_odbc_lib/odbc/libsqlite3odbc.so
Setup=$korvex_odbc_lib/odbc/libsqlite3odbc.so

[PostgreSQL]
Description=PostgreSQL ODBC driver (ANSI)
Driver=$korvex_odbc_lib/odbc/psqlodbca.so
Setup=$korvex_odbc_lib/odbc/libodbcpsqlS.so
EOF
  cat > "$korvex_odbc_dir/odbc.ini" <<EOF
[KTEST]
Driver=SQLite3
Database=$korvex_odbc_dir/ktest.db

[KPGTEST]
Driver=PostgreSQL
Servername=127.0.0.1
Port=$port
Database=ktest
Username=korvex
Password=
UpdatableCursors=1
ConnSettings=SET client_encoding TO 'WIN1251'
EOF
  # Damaged copies of the test scripts (the script mutation test) work on a
  # database of their own, so they never drop or change the tables of the
  # script tests running beside them.
  mkdir -p "$korvex_odbc_dir/mutants"
  printf '[KTEST]\nDriver=SQLite3\nDatabase=%s\n' "$korvex_odbc_dir/mutants/ktest.db" \
    > "$korvex_odbc_dir/mutants/odbc.ini"
  # The same drivers with the driver manager's trace on, for tests that
  # count driver calls (ODBCSYSINI pointed here for that test alone).
  mkdir -p "$korvex_odbc_dir/trace"
  { printf '[ODBC]\nTrace=Yes\nTraceFile=%s\n\n' "$korvex_odbc_dir/trace/sql.log"
    cat "$korvex_odbc_dir/odbcinst.ini"; } > "$korvex_odbc_dir/trace/odbcinst.ini"
  mkdir -p "$korvex_odbc_dir/lib"
  ln -sfn "$korvex_odbc_lib/libodbccr.so.2" "$korvex_odbc_dir/lib/libodbccr.so"
  rm -f "$korvex_odbc_dir/libodbccr.so"  # the link older set-ups made here
}

korvex_port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

korvex_odbc_up() {
  local bin data port
  bin=$(korvex_pg_bin) || return 1
  korvex_odbc_down
  data=$(mktemp -d /tmp/korvex-pg.XXXXXX)
  chmod 755 "$data"
  [ "$(id -u)" -eq 0 ] && chown postgres: "$data"
  korvex_pg_run "$bin/initdb" -D "$data/db" -A trust -U postgres -E UTF8 --locale=C >/dev/null ||
    { echo "odbc-env: initdb failed" >&2; return 1; }
  # Server messages stay English (lc_messages C): unixODBC hands SQLError
  # texts through its UTF-8 conversion (the locale of the Wine process), so
  # Russian messages in code page 1251 would reach the error box garbled.
  for port in $(seq 54320 54420); do
    korvex_port_free "$port" || continue
    if korvex_pg_run "$bin/pg_ctl" -D "$data/db" -l "$data/server.log" -w -t 30 \
         -o "-p $port -k $data -c listen_addresses=127.0.0.1 -c fsync=off -c lc_messages=C" start >/dev/null; then
      break
    fi
    port=""
  done
  [ -n "$port" ] || { echo "odbc-env: PostgreSQL did not start" >&2; cat "$data/server.log" >&2; return 1; }
  mkdir -p "$root/build"
  echo "$data" > "$root/build/odbc-pg.dir"
  korvex_pg_run "$bin/createuser" -h 127.0.0.1 -p "$port" -U postgres korvex &&
  korvex_pg_run "$bin/createdb" -h 127.0.0.1 -p "$port" -U postgres -O korvex -E WIN1251 \
    -l C -T template0 ktest || { echo "odbc-env: database ktest not made" >&2; return 1; }
  korvex_odbc_files "$port" || return 1
  rm -f "$korvex_odbc_dir/ktest.db"
  export KORVEX_PG_PORT=$port
}

korvex_odbc_down() {
  local bin data file="$root/build/odbc-pg.dir"
  [ -f "$file" ] || return 0
  data=$(cat "$file")
  bin=$(korvex_pg_bin) || return 0
  if [ -d "$data/db" ]; then
    korvex_pg_run "$bin/pg_ctl" -D "$data/db" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  case "$data" in /tmp/korvex-pg.*) rm -rf "$data" ;; esac
  rm -f "$file"
}

case "${1:-}" in
  up) korvex_odbc_up ;;
  down) korvex_odbc_down ;;
esac
