#!/bin/sh
# Starts and stops the throw-away PostgreSQL server that stands in for the family's SQL
# Server in the database tests:  postgres_fixture.sh start|stop FOLDER
#
# The server lives in a fresh temporary folder and listens on a Unix socket only. The
# socket folder is the server name the tests type, so its name holds an apostrophe; it
# holds no character that ODBC braces, since the PostgreSQL driver (unlike FreeTDS and
# the Windows driver) keeps the braces as part of the value. The server listens as port
# 1433, SQL Server's port, which the Linux build gives the driver; the Windows build
# names no port, and the tests' PGPORT=1433 makes it the PostgreSQL driver's default.
#
# FOLDER/odbcinst.ini registers the PostgreSQL ODBC driver under both SQL Server driver
# names the tool uses: "FreeTDS" (Linux) and "SQL Server" (Windows; under Wine, odbc32
# hands every call to this machine's unixODBC of its own word size, which reads the same
# file). The tests point ODBCSYSINI at FOLDER. FOLDER/state records the server's folder.
# The server is stopped by "stop", or, should the test run itself be killed, by a
# watchdog that waits for the process that ran "start" to go.
set -eu

action=${1:?start or stop}
folder=${2:?fixture folder}
state=$folder/state

as_server_user() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

server_bin() {
  ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1
}

stop() {
  [ -f "$state" ] || return 0
  root=$(sed -n 1p "$state")
  watchdog=$(sed -n 2p "$state")
  if [ -n "$watchdog" ] && [ "$watchdog" != "$$" ]; then kill "$watchdog" 2>/dev/null || true; fi
  if [ -f "$root/data/postmaster.pid" ]; then
    as_server_user "$(server_bin)/pg_ctl" -D "$root/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  case "$root" in /tmp/regtool-pg.*) rm -rf "$root" ;; esac
  rm -f "$state"
}

case "$action" in
start)
  stop
  root=$(mktemp -d /tmp/regtool-pg.XXXXXX)
  sockets="$root/o'brien"
  mkdir "$sockets"
  # The 32-bit Windows build under Wine reaches the i386 unixODBC, which reads Driver;
  # the 64-bit unixODBC reads Driver64 first. Each must name a driver of its own word size.
  native=
  for candidate in /usr/lib/*/odbc/psqlodbcw.so; do
    case "$candidate" in
      */i386-linux-gnu/*) ;;
      *) if [ -e "$candidate" ]; then native=$candidate; break; fi ;;
    esac
  done
  driver32=/usr/lib/i386-linux-gnu/odbc/psqlodbcw.so
  [ -e "$driver32" ] || driver32=$native
  if [ -z "$native" ]; then
    echo "The PostgreSQL ODBC driver is missing (package odbc-postgresql)." >&2
    rm -rf "$root"
    exit 1
  fi
  mkdir -p "$folder"
  for name in FreeTDS 'SQL Server'; do
    printf '[%s]\nDriver=%s\nDriver64=%s\n\n' "$name" "$driver32" "$native"
  done >"$folder/odbcinst.ini"
  printf '%s\n' "$root" >"$state"
  if [ "$(id -u)" -eq 0 ]; then chown -R postgres:postgres "$root"; fi
  bin=$(server_bin)
  # No locale: the Wine runs set a Chinese one that the server need not have, and the
  # server's messages stay the English ones the tests look for.
  if ! as_server_user "$bin/initdb" -D "$root/data" -U sa -A trust -E UTF8 --no-locale --no-sync \
      >"$root/initdb.log" 2>&1; then
    cat "$root/initdb.log" >&2
    stop
    exit 1
  fi
  escaped=$(printf '%s' "$sockets" | sed "s/'/''/g")
  cat >>"$root/data/postgresql.conf" <<CONF
listen_addresses = ''
port = 1433
unix_socket_directories = '$escaped'
fsync = off
CONF
  if ! as_server_user "$bin/pg_ctl" -D "$root/data" -l "$root/server.log" -w start >/dev/null; then
    cat "$root/server.log" >&2
    stop
    exit 1
  fi
  owner=$PPID
  nohup sh -c 'while kill -0 "$1" 2>/dev/null; do sleep 5; done; exec "$2" stop "$3"' \
    watchdog "$owner" "$0" "$folder" </dev/null >/dev/null 2>&1 &
  printf '%s\n%s\n' "$root" "$!" >"$state"
  ;;
stop)
  stop
  ;;
*)
  echo "usage: $0 start|stop FOLDER" >&2
  exit 2
  ;;
esac
