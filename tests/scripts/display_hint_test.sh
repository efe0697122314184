#!/bin/sh
# Without a display, scripts/run.sh tells the user to start it under xvfb-run. That
# command must work on a machine set up by the run set of scripts/install-deps.sh: the
# packages that hold xvfb-run and the two programs it starts (Xvfb and xauth) must be
# in that set. The set is read as the script reports it to a user who is not root on a
# machine where nothing is installed.
#   usage: display_hint_test.sh SOURCE_DIR
set -eu
source_dir=${1:?source folder}

grep -q 'xvfb-run -a scripts/run.sh' "$source_dir/scripts/run.sh" || {
  echo "scripts/run.sh no longer gives the xvfb-run hint; update this test" >&2
  exit 1
}

fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
printf '#!/bin/sh\nexit 1\n' >"$fake/dpkg-query"
printf '#!/bin/sh\necho 1000\n' >"$fake/id"
chmod +x "$fake/dpkg-query" "$fake/id"
report=$(PATH="$fake:$PATH" "$source_dir/scripts/install-deps.sh" run 2>&1 >/dev/null || true)
run_set=$(printf '%s\n' "$report" | sed -n 's/^Missing packages: //p')
[ -n "$run_set" ] || { echo "install-deps.sh gave no package list: $report" >&2; exit 1; }

status=0
for program in xvfb-run Xvfb xauth; do
  path=$(command -v "$program") || { echo "$program is not installed here" >&2; exit 1; }
  package=$(dpkg -S "$(readlink -f "$path")" | sed -n '1s/:.*//p')
  case " $run_set " in
    *" $package "*) ;;
    *) echo "the run set lacks $package, which holds $program" >&2; status=1 ;;
  esac
done
exit $status
