#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, runs every test:
# natively, then the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
export QT_QPA_PLATFORM=offscreen
cmake --preset ci
cmake --build --preset ci
ctest --preset ci
scripts/test-win64.sh
