#!/usr/bin/env bash
# Times the settings walk of the Windows build under Wine against Wine's own
# "reg export" of the same tree: both read it from the same registry server, each run
# timed as a whole process. Prints the medians and the ratio (ours / export), and fails
# when ours is the slower.
#
#   bench/wine-walk-ratio.sh [values, default 100000] [runs, default 5]
set -euo pipefail
cd "$(dirname "$0")/.."
values=${1:-100000}
runs=${2:-5}

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target regtool_wine_walk
walker=build/win64/bench/wine/regtool_wine_walk.exe

# shellcheck source=../scripts/wine-session.sh
source scripts/wine-session.sh
start_wine_session
# The users' locale: code page 950, as the Windows tests run.
export LC_ALL=zh_TW.UTF-8

key='HKCU\Software\VB and VBA Program Settings'
exported="$WINEPREFIX/export.reg"
seeded=$("$wine_loader" "$walker" seed "$values")
echo "Seeded $seeded settings."

elapsed_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}
median() {
  sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# One untimed run of each, so both find the server's tree and their own files warm.
walked=$("$wine_loader" "$walker" walk)
"$wine_loader" reg export "$key" "$exported" /y >/dev/null
[ "$walked" = "$seeded" ] || { echo "the walk gave $walked records for $seeded settings" >&2; exit 1; }

ours=$(for _ in $(seq "$runs"); do elapsed_ms "$wine_loader" "$walker" walk; done | median)
theirs=$(for _ in $(seq "$runs"); do
  elapsed_ms "$wine_loader" reg export "$key" "$exported" /y
done | median)
ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')
echo "Walk of $seeded settings under Wine: ours $ours ms, reg export $theirs ms (medians of $runs); ratio $ratio"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.0) }' || { echo "The walk is slower than reg export." >&2; exit 1; }
