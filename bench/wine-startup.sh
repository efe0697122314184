#!/usr/bin/env bash
# Starts the Windows program's window under Wine with a running wineserver and times it
# inside the process (built, its load event run, shown and painted once), and weighs the
# window once "讀入Registry" has shown a snapshot of the synthetic tree in its fgList;
# then the Qt window's start-up and memory from the native benchmarks, in the same run,
# so both see the same machine. The 64-bit and the 32-bit program are measured side by
# side (the 32-bit one where this machine runs 32-bit programs). Fails when a Windows
# window misses a target (300 ms, 100 MiB resident).
#
#   bench/wine-startup.sh [lines: 10000, 100000 (default) or 1000000] [runs, default 7]
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-100000}
runs=${2:-7}
# Start-up to a shown window; resident memory with the snapshot in fgList.
readonly target_ms=300 target_mib=100

# shellcheck source=process-timing.sh
source bench/process-timing.sh
# shellcheck source=../scripts/wine-session.sh
source scripts/wine-session.sh
build_in_runnable_presets regtool_wine_startup regtool_wine_grid
cmake --preset default >/dev/null
cmake --build --preset default --target regtool_bench

start_wine_session
# The users' locale: the snapshot's Chinese texts in code page 950, as the tool reads them.
export LC_ALL=zh_TW.UTF-8

# Installed as on a workstation: each program in a folder whose ..\DAT holds the snapshot
# that "讀入Registry" reads with "使用預設的檔案及目錄" ticked.
install_dir="$WINEPREFIX/drive_c/RegTool"
mkdir -p "$install_dir/DAT"
for preset in "${presets[@]}"; do
  mkdir -p "$install_dir/$preset"
  cp "build/$preset/bench/wine/regtool_wine_startup.exe" "$install_dir/$preset/"
done
"$wine_loader" build/win64/bench/wine/regtool_wine_grid.exe write "$lines" \
  "$install_dir/DAT/Reg_BENCH.txt"

# A box the window shows by mistake would wait for a click for ever. The first argument
# is the CPUs the process may run on; the program is the current preset's.
run_starter() {
  local cpus=$1 output starter="$install_dir/$preset/regtool_wine_startup.exe"
  shift
  output=$(timeout 120 taskset -c "$cpus" "$(loader_for_preset "$preset")" "$starter" "$@") ||
    { echo "regtool_wine_startup $* failed (exit status $?)" >&2; return 1; }
  tr -d '\r' <<<"$output"
}

# Every Wine process waits on the wineserver (and the X server) many hundred times while
# it starts. On a virtual machine whose idle CPU takes long to wake, each of those waits
# can cost that wake-up, and on an idle machine the start then takes three to five times
# as long. So each run starts the window twice: as the system places the processes, and
# with the process, its wineserver and its display on one CPU, which measures the program
# and Wine rather than the machine's wake-ups.
all_cpus="0-$(($(nproc) - 1))"
place_session() {
  local pid
  for pid in "$wine_server_pid" ${wine_display_pid:+"$wine_display_pid"}; do
    taskset -a -p -c "$1" "$pid" >/dev/null
  done
}

# Each line: from the process's creation, from main, of that the building (load event
# included) and the showing and painting, the process's CPU time till then, and the whole
# process as the shell sees it (Wine's loader included), in ms.
# (Wine's console output ends its lines with CR LF.)
start_once() {
  local begin end figures
  place_session "$1"
  begin=$(date +%s%N)
  figures=$(run_starter "$1" startup)
  end=$(date +%s%N)
  echo "$figures $(((end - begin) / 1000000))"
}

# Prints the starts and their medians; sets `started` to the median from creation.
report_starts() {
  echo "Win32 window ($preset) under Wine, $1, per start (from process creation, from main," \
    "building, showing and painting, CPU, whole process ms):"
  sed '/^$/d; s/^/  /' <<<"$2"
  started=$(awk 'NF { print $1 }' <<<"$2" | median)
  echo "  medians: shown in $started ms from process creation" \
    "($(awk 'NF { print $5 }' <<<"$2" | median) ms CPU;" \
    "$(awk 'NF { print $2 }' <<<"$2" | median) ms from main;" \
    "$(awk 'NF { print $6 }' <<<"$2" | median) ms whole process)"
}

missed=""
for preset in "${presets[@]}"; do
  free_starts=""
  one_cpu_starts=""
  for _ in $(seq "$runs"); do
    free_starts+="$(start_once "$all_cpus")"$'\n'
    one_cpu_starts+="$(start_once 0)"$'\n'
  done
  place_session "$all_cpus"

  report_starts "as the system places it" "$free_starts"
  free_started=$started
  report_starts "on one CPU with its wineserver and display" "$one_cpu_starts"

  echo "Win32 window ($preset) holding the snapshot, per process (rows, \"讀入Registry\" ms, resident MiB):"
  weighed=""
  for _ in $(seq "$runs"); do weighed+="$(run_starter "$all_cpus" memory)"$'\n'; done
  sed '/^$/d; s/^/  /' <<<"$weighed"
  if awk -v n="$lines" 'NF && $1 != n { bad = 1 } END { exit !bad }' <<<"$weighed"; then
    echo "\"讀入Registry\" did not show the $lines lines" >&2
    exit 1
  fi
  read_ms=$(awk 'NF { print $2 }' <<<"$weighed" | median)
  resident=$(awk 'NF { print $3 }' <<<"$weighed" | median)
  load=$(cut -d' ' -f1-3 /proc/loadavg)
  echo "Win32 window ($preset) under Wine: shown in $started ms from process creation on one" \
    "CPU ($free_started ms as the system places it); $resident MiB resident with $lines" \
    "lines in fgList (read in $read_ms ms); medians of $runs; load average $load"
  # The target is the program's: the one-CPU figure. The other is reported, and named when
  # the machine's wake-ups alone take it over the target.
  if awk -v t="$free_started" -v tt="$target_ms" 'BEGIN { exit !(t > tt) }'; then
    echo "As the system places it the window ($preset) took $free_started ms (over" \
      "$target_ms ms): the one-CPU figure beside it is what the program and Wine take."
  fi
  awk -v t="$started" -v r="$resident" -v tt="$target_ms" -v tr="$target_mib" \
    'BEGIN { exit !(t <= tt && r <= tr) }' || missed+=" $preset"
done

echo "Qt window, native, the same figures (regtool_bench, medians of 3; the start-up is the whole process):"
LC_ALL=C.UTF-8 build/default/bench/regtool_bench \
  --benchmark_filter="BM_StartUpToShownWindow|BM_GridResidentMemory/$lines/" \
  --benchmark_repetitions=3 2>/dev/null | sed 's/\x1b\[[0-9;]*m//g' |
  grep -E '^operation|^BM_(StartUpToShownWindow|GridResidentMemory)|_median ' |
  sed 's/^/  /' || true

[ -z "$missed" ] ||
  { echo "The Win32 window ($missed ) missed a target (<= $target_ms ms, <= $target_mib MiB)." >&2; exit 1; }
