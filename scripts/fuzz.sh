#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz) and runs each for a bounded time, starting
# from its committed seeds in fuzz/corpus/<name>. The inputs found along the way are kept
# in build/fuzz/corpus/<name>, so later runs start further on. A finding (a crash, a
# sanitizer report, a broken invariant, a hang) stops the run and fails the script; the
# input is left in build/fuzz/findings/.
#   usage: scripts/fuzz.sh [seconds per target, default 20] [name ...]
# Names are the folders of fuzz/corpus (store_file, profile_writer, ...); default all.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift $(($# > 0 ? 1 : 0))
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for seeds in fuzz/corpus/*/; do names+=("$(basename "$seeds")"); done
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# The byte rules ("\" and "]" as trail bytes) only bite in a double-byte code page, so
# the targets run under a Big5 locale built here.
locales=build/fuzz/locale
mkdir -p "$locales"
# localedef warns about Big5 itself (and exits non-zero) but builds the locale.
localedef -i zh_TW -f BIG5 "$locales/zh_TW.BIG5" >/dev/null 2>&1 || true
if [ ! -d "$locales/zh_TW.BIG5" ]; then
  echo "localedef could not build the zh_TW.BIG5 locale (package locales)" >&2
  exit 1
fi

# The targets that work on real files do so in here: in memory where the machine has
# /dev/shm, since the INI writer syncs every file it replaces.
memory=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && memory=/dev/shm
scratch=$(mktemp -d "$memory/regtool-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

mkdir -p build/fuzz/findings
failed=0
for name in "${names[@]}"; do
  work=build/fuzz/corpus/$name
  mkdir -p "$work"
  log=build/fuzz/$name.log
  if TMPDIR=$scratch LOCPATH=$locales LC_ALL=zh_TW.BIG5 \
     LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp build/fuzz/fuzz/${name}_fuzzer \
       -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
       -artifact_prefix="build/fuzz/findings/$name-" "$work" "fuzz/corpus/$name" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $name: ${runs:-?} inputs in ${seconds} s, no finding"
  else
    failed=1
    echo "fuzz $name: FINDING (log $log)" >&2
    grep -E "invariant broken|ERROR:|SUMMARY:|Test unit written" "$log" >&2 || tail -20 "$log" >&2
  fi
done
exit $failed
