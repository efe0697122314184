#!/usr/bin/env bash
# Times the command line as whole processes on the synthetic tree, in a store of its
# own: restore of the tree's snapshot into an empty store, diff of it (nothing to
# change), save of the whole store, then by turns a restore that replaces every value
# (its undo file included) and the undo of it. Prints the medians and fails when one is
# over its budget (restore 600 ms, diff 400 ms, save 200 ms, replacing restore and
# undo 500 ms each).
#
#   bench/cli-timings.sh [values, default 100000] [runs, default 5]
# PRESET=ci takes that (equally optimised) build instead of the default one.
set -euo pipefail
cd "$(dirname "$0")/.."
values=${1:-100000}
runs=${2:-5}
preset=${PRESET:-default}

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target regtool regtool_synthetic_snapshot
regtool=build/$preset/src/app/regtool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" WINEPREFIX="$work/wine"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LC_ALL=${LC_ALL:-C.UTF-8}

seeded=$("build/$preset/bench/cli/regtool_synthetic_snapshot" "$values" "$work/tree.txt")
echo "Synthetic tree: $seeded settings."

# shellcheck source=process-timing.sh
source bench/process-timing.sh

# Each restore starts from an empty store, as on a new workstation.
restore=$(for _ in $(seq "$runs"); do
  rm -rf "$XDG_CONFIG_HOME"
  elapsed_ms "$regtool" restore "$work/tree.txt"
done | median)
diff=$(for _ in $(seq "$runs"); do elapsed_ms "$regtool" diff "$work/tree.txt"; done | median)
save=$(for _ in $(seq "$runs"); do
  rm -f "$work/saved.txt"
  elapsed_ms "$regtool" save "$work/saved.txt"
done | median)
# The save walks the tree in the store's order; what it wrote must restore to the same.
"$regtool" diff "$work/saved.txt" || { echo "the saved file does not match the store" >&2; exit 1; }

# Every line's data changed: each restore of it replaces every value, and each undo puts
# every value back.
sed 's/\r$/x\r/' "$work/tree.txt" >"$work/changed.txt"
replace_times=() undo_times=()
for _ in $(seq "$runs"); do
  replace_times+=("$(elapsed_ms "$regtool" restore "$work/changed.txt")")
  undo_times+=("$(elapsed_ms "$regtool" undo)")
done
replace=$(printf '%s\n' "${replace_times[@]}" | median)
undo=$(printf '%s\n' "${undo_times[@]}" | median)
"$regtool" diff "$work/tree.txt" || { echo "undo did not give the tree back" >&2; exit 1; }

echo "Command line on $seeded settings (medians of $runs): restore $restore ms, diff $diff ms, save $save ms"
echo "  restore replacing every value, undo file included: $replace ms; undo of it: $undo ms"
echo "(load average while timing: $(cut -d' ' -f1-3 /proc/loadavg); a busy machine adds its waits)"
[ "$restore" -le 600 ] && [ "$diff" -le 400 ] && [ "$save" -le 200 ] &&
  [ "$replace" -le 500 ] && [ "$undo" -le 500 ] ||
  { echo "Over budget (restore 600 ms, diff 400 ms, save 200 ms, replacing restore and undo 500 ms)." >&2; exit 1; }
