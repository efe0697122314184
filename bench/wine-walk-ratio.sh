#!/usr/bin/env bash
# Times the settings walk of the Windows build under Wine, and the command line's whole
# "save" (walk and snapshot file), against Wine's own "reg export" of the same tree: all
# read it from the same registry server, each run timed as a whole process. Prints the
# medians and the ratios (ours / export), and fails when ours is the slower. The 64-bit
# and the 32-bit program are measured side by side (the 32-bit one where this machine runs
# 32-bit programs) against the one export.
#
#   bench/wine-walk-ratio.sh [values, default 100000] [runs, default 5]
set -euo pipefail
cd "$(dirname "$0")/.."
values=${1:-100000}
runs=${2:-5}

# shellcheck source=../scripts/wine-session.sh
source scripts/wine-session.sh
# shellcheck source=process-timing.sh
source bench/process-timing.sh
build_in_runnable_presets regtool_wine_walk RegTool
# The walk alone, and the command line as users run it: RegTool.exe with a command.
walker() { echo "build/$1/bench/wine/regtool_wine_walk.exe"; }
saver() { echo "build/$1/src/app/win32/RegTool.exe"; }

start_wine_session
# The users' locale: code page 950, as the Windows tests run.
export LC_ALL=zh_TW.UTF-8

key='HKCU\Software\VB and VBA Program Settings'
exported="$WINEPREFIX/export.reg"
seeded=$("$wine_loader" "$(walker win64)" seed "$values")
echo "Seeded $seeded settings."

# One untimed run of each, so all find the server's tree and their own files warm.
"$wine_loader" reg export "$key" "$exported" /y >/dev/null
for preset in "${presets[@]}"; do
  walked=$("$(loader_for_preset "$preset")" "$(walker "$preset")" walk)
  [ "$walked" = "$seeded" ] ||
    { echo "the walk ($preset) gave $walked records for $seeded settings" >&2; exit 1; }
done

# The runs take turns, so that a change in the machine's load falls on all of them alike.
saved="$WINEPREFIX/drive_c/saved.txt"
times="$WINEPREFIX/times"
for _ in $(seq "$runs"); do
  echo "export $(elapsed_ms "$wine_loader" reg export "$key" "$exported" /y)"
  for preset in "${presets[@]}"; do
    loader=$(loader_for_preset "$preset")
    echo "walk-$preset $(elapsed_ms "$loader" "$(walker "$preset")" walk)"
    rm -f "$saved"
    echo "save-$preset $(elapsed_ms "$loader" "$(saver "$preset")" save 'C:\saved.txt')"
    [ -s "$saved" ] || { echo "the save ($preset) wrote no file" >&2; exit 1; }
  done
done >"$times"
theirs=$(awk '$1 == "export" { print $2 }' "$times" | median)
slower=""
for preset in "${presets[@]}"; do
  ours=$(awk -v k="walk-$preset" '$1 == k { print $2 }' "$times" | median)
  save=$(awk -v k="save-$preset" '$1 == k { print $2 }' "$times" | median)
  ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')
  save_ratio=$(awk -v a="$save" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')
  echo "Walk ($preset) of $seeded settings under Wine: ours $ours ms, reg export $theirs ms (medians of $runs); ratio $ratio"
  echo "Save ($preset) of $seeded settings under Wine: ours $save ms, reg export $theirs ms; ratio $save_ratio"
  awk -v r="$ratio" 'BEGIN { exit !(r <= 1.0) }' || slower+=" the walk ($preset)"
  awk -v r="$save_ratio" 'BEGIN { exit !(r <= 1.0) }' || slower+=" the save ($preset)"
done
echo "Load average $(cut -d' ' -f1-3 /proc/loadavg)"
[ -z "$slower" ] || { echo "Slower than reg export:$slower." >&2; exit 1; }
