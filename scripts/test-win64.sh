#!/usr/bin/env bash
# Cross-builds every target that needs no Qt for 64-bit Windows (mingw-w64) and runs
# their tests under Wine, in a Wine prefix of this run's own that is removed at the end.
# Nothing is left running on any way out. Arguments go to ctest (-R pattern, -V, ...).
set -euo pipefail
cd "$(dirname "$0")/.."

wine_loader=/usr/lib/wine/wine64
wine_server=/usr/lib/wine/wineserver

cmake --preset win64
cmake --build --preset win64

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/regtool-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
server_pid=
server_dir=

stop_wine() {
  if [ -n "$server_pid" ]; then
    # Ends every Wine process of this prefix, then the server itself.
    "$wine_server" -k >/dev/null 2>&1 || true
    for _ in $(seq 50); do
      kill -0 "$server_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  # The server leaves its socket folder (and the folder made for it) behind.
  if [ -n "$server_dir" ]; then
    rm -rf "$server_dir"
    rmdir "$(dirname "$server_dir")" 2>/dev/null || true
  fi
  rm -rf "$WINEPREFIX"
}
trap stop_wine EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# One persistent server for the whole run: each test process then starts in a few
# hundredths of a second instead of seconds.
"$wine_server" -f -p >/dev/null 2>&1 &
server_pid=$!
# The server is ready once the socket in its working folder exists. A test started
# before that would spawn a short-lived server of its own.
for _ in $(seq 200); do
  if [ -S "/proc/$server_pid/cwd/socket" ]; then
    server_dir=$(readlink "/proc/$server_pid/cwd")
    break
  fi
  kill -0 "$server_pid" 2>/dev/null || break
  sleep 0.05
done
[ -n "$server_dir" ] || { echo "wineserver did not start" >&2; exit 1; }

# Creating the prefix takes several seconds once; its messages about the missing
# 32-bit part and the absent display are expected.
"$wine_loader" wineboot --init >/dev/null 2>&1

# The test preset gives Wine the Traditional Chinese locale of the tool's users (ANSI code
# page 950), so double-byte text is exercised.
ctest --preset win64 "$@"
