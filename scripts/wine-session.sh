# Sourced by the scripts that run the Windows build under Wine. start_wine_session makes a
# Wine prefix of this run's own and starts one persistent server for it (each Wine
# process then starts in a few hundredths of a second instead of seconds); on every way
# out of the script the server and everything of the prefix are gone.
#
# The prefix is a 64-bit one with the 32-bit part beside it (WoW64, as on 64-bit Windows):
# the 64-bit and the 32-bit program run in the same session, each through the loader of
# its word size, and see the same registry.
wine_loader=/usr/lib/wine/wine64
wine32_loader=/usr/lib/wine/wine
wine_server=/usr/lib/wine/wineserver

# True when this machine runs 32-bit x86 programs: the i386 Wine is installed and the
# kernel executes i386 programs (some virtual machines' kernels refuse them).
can_run_32bit() {
  "$wine32_loader" --version >/dev/null 2>&1
}

# The build presets of the Windows program that this machine can run, one a line: win64,
# then win32 where 32-bit programs run (else it says on standard error that it is left out).
runnable_windows_presets() {
  echo win64
  if can_run_32bit; then
    echo win32
  else
    echo "The 32-bit program is left out: this machine cannot run 32-bit programs." >&2
  fi
}

# Sets `presets` to the runnable presets above and builds the given targets in each.
build_in_runnable_presets() {
  mapfile -t presets < <(runnable_windows_presets)
  local preset
  for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target "$@"
  done
}

# The loader for the programs of a build preset.
loader_for_preset() {
  if [ "$1" = win32 ]; then echo "$wine32_loader"; else echo "$wine_loader"; fi
}

stop_wine_session() {
  if [ -n "${wine_server_pid:-}" ]; then
    # Ends every Wine process of this prefix, then the server itself.
    "$wine_server" -k >/dev/null 2>&1 || true
    for _ in $(seq 50); do
      kill -0 "$wine_server_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$wine_server_pid" 2>/dev/null || true
    wait "$wine_server_pid" 2>/dev/null || true
  fi
  # The server leaves its socket folder (and the folder made for it) behind.
  if [ -n "${wine_server_dir:-}" ]; then
    rm -rf "$wine_server_dir"
    rmdir "$(dirname "$wine_server_dir")" 2>/dev/null || true
  fi
  rm -rf "$WINEPREFIX"
  [ -z "${wine_locale_dir:-}" ] || rm -rf "$wine_locale_dir"
  if [ -n "${wine_display_pid:-}" ]; then
    kill "$wine_display_pid" 2>/dev/null || true
    wait "$wine_display_pid" 2>/dev/null || true
  fi
}

# The Windows windows (the tool's own, its boxes and dialogs) need an X display: a
# virtual one of this session's own, unless one is set already.
start_virtual_display() {
  [ -z "${DISPLAY:-}" ] || return 0
  local display_fd_file
  display_fd_file=$(mktemp "${TMPDIR:-/tmp}/regtool-display.XXXXXX")
  Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$display_fd_file" 2>/dev/null &
  wine_display_pid=$!
  for _ in $(seq 100); do
    [ -s "$display_fd_file" ] && break
    kill -0 "$wine_display_pid" 2>/dev/null || break
    sleep 0.05
  done
  local number
  number=$(head -n 1 "$display_fd_file")
  rm -f "$display_fd_file"
  [ -n "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$number"
}

start_wine_session() {
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/regtool-wine.XXXXXX")
  export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wine_server_pid=
  wine_server_dir=
  wine_locale_dir=
  wine_display_pid=
  trap stop_wine_session EXIT
  start_virtual_display

  # Wine takes its ANSI code page from the locale: the users' Traditional Chinese one
  # (code page 950) is built here when the system lacks it, so double-byte text is
  # really exercised.
  if ! locale -a 2>/dev/null | grep -qix 'zh_TW.utf8'; then
    wine_locale_dir=$(mktemp -d "${TMPDIR:-/tmp}/regtool-locale.XXXXXX")
    localedef -i zh_TW -f UTF-8 "$wine_locale_dir/zh_TW.UTF-8" >/dev/null 2>&1 \
      || { echo "localedef could not build zh_TW.UTF-8 (package locales)" >&2; exit 1; }
    export LOCPATH="$wine_locale_dir"
  fi
  trap 'exit 130' INT
  trap 'exit 143' TERM

  "$wine_server" -f -p >/dev/null 2>&1 &
  wine_server_pid=$!
  # The server is ready once the socket in its working folder exists. A Wine process
  # started before that would spawn a short-lived server of its own.
  for _ in $(seq 200); do
    if [ -S "/proc/$wine_server_pid/cwd/socket" ]; then
      wine_server_dir=$(readlink "/proc/$wine_server_pid/cwd")
      break
    fi
    kill -0 "$wine_server_pid" 2>/dev/null || break
    sleep 0.05
  done
  [ -n "$wine_server_dir" ] || { echo "wineserver did not start" >&2; exit 1; }

  # Creating the prefix takes several seconds once; its messages about the absent display
  # (and, where the 32-bit Wine cannot run, about the missing 32-bit part) are expected.
  # A failure here must not end the run in silence: say so, with Wine's own words.
  local boot_log
  boot_log=$(mktemp "${TMPDIR:-/tmp}/regtool-wineboot.XXXXXX")
  if ! "$wine_loader" wineboot --init >"$boot_log" 2>&1; then
    echo "Making the Wine prefix failed (wineboot --init); its output:" >&2
    tail -n 20 "$boot_log" >&2
    rm -f "$boot_log"
    exit 1
  fi
  rm -f "$boot_log"

  # No window manager runs on the virtual display, and Wine waits up to 2 s for one
  # whenever a window it left to the manager is hidden or destroyed: every test that
  # shows a window would pay that. Wine places such windows itself instead.
  if [ -n "$wine_display_pid" ]; then
    "$wine_loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  fi
}

# Starts `keeper` (tests/support/desktop_keeper) for the rest of the session and waits
# until the desktop is in use, so that no test process ever starts the desktop's process
# with its own standard handles.
keep_wine_desktop() {
  local keeper=$1 ready="$WINEPREFIX/desktop-ready"
  "$wine_loader" "$keeper" "Z:${ready//\//\\}" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 200); do
    [ -e "$ready" ] && return 0
    sleep 0.05
  done
  echo "The desktop keeper did not start ($keeper)" >&2
  exit 1
}

