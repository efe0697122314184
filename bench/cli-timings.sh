#!/usr/bin/env bash
# Times the command line as whole processes on the synthetic tree, in a store of its
# own: restore of the tree's snapshot into an empty store, diff of it (nothing to
# change), and save of the whole store. Prints the medians and fails when one is over
# its budget (restore 600 ms, diff 400 ms, save 200 ms).
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
export XDG_CONFIG_HOME="$work/config" WINEPREFIX="$work/wine"
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

echo "Command line on $seeded settings (medians of $runs): restore $restore ms, diff $diff ms, save $save ms"
echo "(load average while timing: $(cut -d' ' -f1-3 /proc/loadavg); a busy machine adds its waits)"
[ "$restore" -le 600 ] && [ "$diff" -le 400 ] && [ "$save" -le 200 ] ||
  { echo "Over budget (restore 600 ms, diff 400 ms, save 200 ms)." >&2; exit 1; }
