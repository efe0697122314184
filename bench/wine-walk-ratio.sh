#!/usr/bin/env bash
# Times the settings walk of the Windows build under Wine, and the command line's whole
# "save" (walk and snapshot file), against Wine's own "reg export" of the same tree: all
# read it from the same registry server, each run timed as a whole process. Prints the
# medians and the ratios (ours / export), and fails when ours is the slower.
#
#   bench/wine-walk-ratio.sh [values, default 100000] [runs, default 5]
set -euo pipefail
cd "$(dirname "$0")/.."
values=${1:-100000}
runs=${2:-5}

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target regtool_wine_walk RegTool
walker=build/win64/bench/wine/regtool_wine_walk.exe
# The command line as users run it: RegTool.exe with a command.
saver=build/win64/src/app/win32/RegTool.exe

# shellcheck source=../scripts/wine-session.sh
source scripts/wine-session.sh
start_wine_session
# The users' locale: code page 950, as the Windows tests run.
export LC_ALL=zh_TW.UTF-8

key='HKCU\Software\VB and VBA Program Settings'
exported="$WINEPREFIX/export.reg"
seeded=$("$wine_loader" "$walker" seed "$values")
echo "Seeded $seeded settings."

# shellcheck source=process-timing.sh
source bench/process-timing.sh

# One untimed run of each, so both find the server's tree and their own files warm.
walked=$("$wine_loader" "$walker" walk)
"$wine_loader" reg export "$key" "$exported" /y >/dev/null
[ "$walked" = "$seeded" ] || { echo "the walk gave $walked records for $seeded settings" >&2; exit 1; }

# The runs take turns, so that a change in the machine's load falls on all of them alike.
saved="$WINEPREFIX/drive_c/saved.txt"
times="$WINEPREFIX/times"
for _ in $(seq "$runs"); do
  echo "walk $(elapsed_ms "$wine_loader" "$walker" walk)"
  echo "export $(elapsed_ms "$wine_loader" reg export "$key" "$exported" /y)"
  rm -f "$saved"
  echo "save $(elapsed_ms "$wine_loader" "$saver" save 'C:\saved.txt')"
done >"$times"
ours=$(awk '$1 == "walk" { print $2 }' "$times" | median)
theirs=$(awk '$1 == "export" { print $2 }' "$times" | median)
save=$(awk '$1 == "save" { print $2 }' "$times" | median)
[ -s "$saved" ] || { echo "the save wrote no file" >&2; exit 1; }
ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')
save_ratio=$(awk -v a="$save" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')
echo "Walk of $seeded settings under Wine: ours $ours ms, reg export $theirs ms (medians of $runs); ratio $ratio"
echo "Save of $seeded settings under Wine: ours $save ms, reg export $theirs ms; ratio $save_ratio"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.0) }' || { echo "The walk is slower than reg export." >&2; exit 1; }
awk -v r="$save_ratio" 'BEGIN { exit !(r <= 1.0) }' || { echo "The save is slower than reg export." >&2; exit 1; }
