#!/usr/bin/env bash
# The 32-bit pass: cross-builds RegTool.exe and the tests that drive it as a whole for
# 32-bit Windows (mingw-w64 i686) and runs them under 32-bit Wine: the window end to end
# (the real registry, the keyboard dialog, the INI files, the database through odbc32)
# and the command line as a process. Then the 32-bit and the 64-bit program save the same
# seeded registry, which must give the same bytes. The 64-bit build keeps the whole suite
# (test-win64.sh). Arguments go to ctest (-R pattern, -V, ...).
#
# Exits 77 without running anything when this machine cannot run 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=wine-session.sh
source scripts/wine-session.sh
if ! can_run_32bit; then
  echo "test-win32.sh: this machine cannot run 32-bit x86 programs ($wine32_loader does" \
    "not start: package wine32:i386 missing, or the kernel refuses i386 programs);" \
    "the 32-bit pass is NOT run." >&2
  exit 77
fi

cmake --preset win32
cmake --build --preset win32 --target RegTool cli_tests app_win32_end_to_end desktop_keeper
cmake --preset win64
cmake --build --preset win64 --target RegTool

start_wine_session
keep_wine_desktop build/win32/tests/support/desktop_keeper/desktop_keeper.exe
ctest --preset win32 -L end_to_end "$@"

# The same save from both programs. The seed holds every kind of value the walk meets,
# Chinese text in code page 950, and data with the snapshot's separator in it.
export LC_ALL=zh_TW.UTF-8
root='HKCU\Software\VB and VBA Program Settings\RegTool word sizes'
seed() {
  "$wine_loader" reg add "$root\\$1" /v "$2" /t "$3" /d "$4" /f >/dev/null
}
seed 'PARAM' 'DBSource' REG_SZ 'SRV01,backup'
seed 'PARAM' '站台名稱' REG_SZ '一號櫃台'
seed 'PARAM' 'RetryCount' REG_DWORD 3
seed 'PARAM' 'Pattern' REG_BINARY 00ff7e
seed 'Paths' 'Data' REG_EXPAND_SZ '%TEMP%\RegTool'
seed 'Paths' 'Printers' REG_MULTI_SZ 'one\0two'
"$wine_loader" reg add "$root\\Paths" /ve /d 'default text' /f >/dev/null

# loader, program, file in C:\; prints the exit status and what the save said.
save_with() {
  local status=0 said
  said=$("$1" "$2" save "C:\\$3" 2>&1) || status=$?
  printf 'exit %s: %s\n' "$status" "$(tr -d '\r' <<<"$said")"
}
said64=$(save_with "$wine_loader" build/win64/src/app/win32/RegTool.exe save64.txt)
said32=$(save_with "$wine32_loader" build/win32/src/app/win32/RegTool.exe save32.txt)
saved64=$WINEPREFIX/drive_c/save64.txt
saved32=$WINEPREFIX/drive_c/save32.txt
grep -aq 'RegTool word sizes,PARAM,RetryCount' "$saved64" ||
  { echo "The 64-bit save holds no seeded setting ($said64)." >&2; exit 1; }
if [ "$said32" != "$said64" ] || ! cmp "$saved64" "$saved32"; then
  echo "The 32-bit and the 64-bit save of one registry differ:" >&2
  echo "  64-bit $said64" >&2
  echo "  32-bit $said32" >&2
  exit 1
fi
echo "The 32-bit and the 64-bit save of one registry give the same $(wc -c <"$saved64") bytes" \
  "and the same exit status and messages."
