#!/usr/bin/env bash
# Starts the Windows program's window under Wine with a running wineserver and times it
# inside the process (built, its load event run, shown and painted once), and weighs the
# window once "讀入Registry" has shown a snapshot of the synthetic tree in its fgList;
# then the Qt window's start-up and memory from the native benchmarks, in the same run,
# so both see the same machine. Fails when the Windows window misses a target (300 ms,
# 100 MiB resident).
#
#   bench/wine-startup.sh [lines: 10000, 100000 (default) or 1000000] [runs, default 7]
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-100000}
runs=${2:-7}
# Start-up to a shown window; resident memory with the snapshot in fgList.
readonly target_ms=300 target_mib=100

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target regtool_wine_startup regtool_wine_grid
cmake --preset default >/dev/null
cmake --build --preset default --target regtool_bench

# shellcheck source=process-timing.sh
source bench/process-timing.sh
# shellcheck source=../scripts/wine-session.sh
source scripts/wine-session.sh
start_wine_session
# The users' locale: the snapshot's Chinese texts in code page 950, as the tool reads them.
export LC_ALL=zh_TW.UTF-8

# Installed as on a workstation: the program in a folder whose ..\DAT holds the snapshot
# that "讀入Registry" reads with "使用預設的檔案及目錄" ticked.
install_dir="$WINEPREFIX/drive_c/RegTool"
mkdir -p "$install_dir/bin" "$install_dir/DAT"
cp build/win64/bench/wine/regtool_wine_startup.exe "$install_dir/bin/"
starter="$install_dir/bin/regtool_wine_startup.exe"
"$wine_loader" build/win64/bench/wine/regtool_wine_grid.exe write "$lines" \
  "$install_dir/DAT/Reg_BENCH.txt"

# A box the window shows by mistake would wait for a click for ever.
run_starter() { timeout 120 "$wine_loader" "$starter" "$@" | tr -d '\r'; }

# Each run a new process; each line: from the process's creation, from main, of that
# the building (load event included) and the showing and painting, the process's CPU
# time till then, and the whole process as the shell sees it (Wine's loader included),
# in ms.
# (Wine's console output ends its lines with CR LF.)
echo "Win32 window under Wine, per start (from process creation, from main, building," \
  "showing and painting, CPU, whole process ms):"
starts=""
for _ in $(seq "$runs"); do
  begin=$(date +%s%N)
  figures=$(run_starter startup)
  end=$(date +%s%N)
  starts+="$figures $(((end - begin) / 1000000))"$'\n'
done
sed '/^$/d; s/^/  /' <<<"$starts"
started=$(awk 'NF { print $1 }' <<<"$starts" | median)
started_main=$(awk 'NF { print $2 }' <<<"$starts" | median)
started_cpu=$(awk 'NF { print $5 }' <<<"$starts" | median)
started_whole=$(awk 'NF { print $6 }' <<<"$starts" | median)

echo "Win32 window holding the snapshot, per process (rows, \"讀入Registry\" ms, resident MiB):"
weighed=""
for _ in $(seq "$runs"); do weighed+="$(run_starter memory)"$'\n'; done
sed '/^$/d; s/^/  /' <<<"$weighed"
if awk -v n="$lines" 'NF && $1 != n { bad = 1 } END { exit !bad }' <<<"$weighed"; then
  echo "\"讀入Registry\" did not show the $lines lines" >&2
  exit 1
fi
read_ms=$(awk 'NF { print $2 }' <<<"$weighed" | median)
resident=$(awk 'NF { print $3 }' <<<"$weighed" | median)
load=$(cut -d' ' -f1-3 /proc/loadavg)
echo "Win32 window under Wine: shown in $started ms from process creation ($started_cpu ms CPU;" \
  "$started_main ms from main; $started_whole ms whole process); $resident MiB resident" \
  "with $lines lines in fgList (read in $read_ms ms); medians of $runs; load average $load"

echo "Qt window, native, the same figures (regtool_bench, medians of 3; the start-up is the whole process):"
LC_ALL=C.UTF-8 build/default/bench/regtool_bench \
  --benchmark_filter="BM_StartUpToShownWindow|BM_GridResidentMemory/$lines/" \
  --benchmark_repetitions=3 2>/dev/null | sed 's/\x1b\[[0-9;]*m//g' |
  grep -E '^operation|^BM_(StartUpToShownWindow|GridResidentMemory)|_median ' |
  sed 's/^/  /' || true

awk -v t="$started" -v r="$resident" -v tt="$target_ms" -v tr="$target_mib" \
  'BEGIN { exit !(t <= tt && r <= tr) }' ||
  { echo "The Win32 window missed a target (<= $target_ms ms, <= $target_mib MiB)." >&2; exit 1; }
