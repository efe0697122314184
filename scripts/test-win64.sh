#!/usr/bin/env bash
# Cross-builds every target that needs no Qt for 64-bit Windows (mingw-w64) and runs
# their tests under Wine, in a Wine prefix of this run's own that is removed at the end.
# Nothing is left running on any way out. Arguments go to ctest (-R pattern, -V, ...).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset win64
cmake --build --preset win64

# shellcheck source=wine-session.sh
source scripts/wine-session.sh
start_wine_session
keep_wine_desktop build/win64/tests/support/desktop_keeper/desktop_keeper.exe

# The test preset gives Wine the Traditional Chinese locale of the tool's users (ANSI code
# page 950), so double-byte text is exercised.
ctest --preset win64 "$@"
