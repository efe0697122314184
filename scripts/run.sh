#!/usr/bin/env bash
# Installs what is missing, builds the tool and starts it: the window, or with arguments
# one command of its command line (scripts/run.sh --help).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset default >/dev/null
cmake --build --preset default --target regtool
# A command (regtool save, restore, ...) needs no display; the window does.
if [ $# -eq 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "RegTool needs a display. On a machine without one, run it under a virtual one:" >&2
  echo "  xvfb-run -a scripts/run.sh" >&2
  exit 3
fi
exec build/default/src/app/regtool "$@"
