#!/usr/bin/env bash
# Shows a snapshot of the synthetic tree in the Win32 grid under Wine (the window's
# fgList: its size, font and set-up; the file read, the rows appended, the columns
# fitted, the result painted), timed inside the process, and weighs a process holding
# that grid; then the same two figures for the Qt grid from the native benchmarks, in
# the same run, so both see the same machine. The 64-bit and the 32-bit program are
# measured side by side (the 32-bit one where this machine runs 32-bit programs). Fails
# when a Win32 grid misses a target (300 ms, 100 MiB resident).
#
#   bench/wine-grid.sh [lines: 10000, 100000 (default) or 1000000] [runs, default 5]
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-100000}
runs=${2:-5}
target_ms=300
target_mib=100

# shellcheck source=../scripts/wine-session.sh
source scripts/wine-session.sh
# shellcheck source=process-timing.sh
source bench/process-timing.sh
build_in_runnable_presets regtool_wine_grid
cmake --preset default >/dev/null
cmake --build --preset default --target regtool_bench

start_wine_session
# The users' locale: the snapshot's Chinese texts in code page 950, as the tool reads them.
export LC_ALL=zh_TW.UTF-8

snapshot="$WINEPREFIX/Reg_BENCH.TXT"
"$wine_loader" build/win64/bench/wine/regtool_wine_grid.exe write "$lines" "$snapshot"

missed=""
for preset in "${presets[@]}"; do
  loader=$(loader_for_preset "$preset")
  shower=build/$preset/bench/wine/regtool_wine_grid.exe
  # One process shows the file `runs` times (each run a full refill, as a second
  # "讀入Registry" is); each line: reading and appending, fitting, painting, total, and the
  # thread's CPU time in that total (ms), which a busy machine stretches less.
  # (Wine's console output ends its lines with CR LF.)
  timings=$("$loader" "$shower" show "$snapshot" "$runs" | tr -d '\r')
  echo "Win32 grid ($preset), $lines lines, per run (read+append, fit, paint, total, CPU ms):"
  grep -v '^rows' <<<"$timings" | sed 's/^/  /'
  shown=$(grep '^rows' <<<"$timings" | awk '{ print $2 }')
  [ "$shown" = "$lines" ] || { echo "the grid shows $shown rows for $lines lines" >&2; exit 1; }
  total=$(grep -v '^rows' <<<"$timings" | awk '{ print $4 }' | median)
  cpu=$(grep -v '^rows' <<<"$timings" | awk '{ print $5 }' | median)
  resident=$(for _ in $(seq "$runs"); do "$loader" "$shower" memory "$snapshot"; done | tr -d '\r' | median)
  echo "Win32 grid ($preset) under Wine: shown and fitted in $total ms ($cpu ms CPU; medians of $runs runs), $resident MiB resident (median of $runs processes); load average $(cut -d' ' -f1-3 /proc/loadavg)"
  awk -v t="$total" -v r="$resident" -v tt="$target_ms" -v tr="$target_mib" \
    'BEGIN { exit !(t <= tt && r <= tr) }' || missed+=" $preset"
done

echo "Qt grid, native, the same figures (regtool_bench, medians of 3; real time and the main thread's CPU time):"
LC_ALL=C.UTF-8 build/default/bench/regtool_bench \
  --benchmark_filter="BM_LoadRegistryToFG/$lines/|BM_GridResidentMemory/$lines/" \
  --benchmark_repetitions=3 2>/dev/null | sed 's/\x1b\[[0-9;]*m//g' |
  grep -E '^operation|^BM_(LoadRegistryToFG|GridResidentMemory) |_median ' | sed 's/^/  /' || true

[ -z "$missed" ] ||
  { echo "The Win32 grid ($missed ) missed a target (<= $target_ms ms, <= $target_mib MiB)." >&2; exit 1; }
