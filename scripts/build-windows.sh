#!/usr/bin/env bash
# Builds the Windows program as one file, dist/RegTool.exe: cross-built with mingw-w64,
# static, windowed, with its manifest, version and icon, stripped of debugging
# information; then checks that it imports only the system's own DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset win64
cmake --build --preset win64 --target RegTool
mkdir -p dist
x86_64-w64-mingw32-strip -o dist/RegTool.exe build/win64/src/app/win32/RegTool.exe
scripts/check-imports.sh dist/RegTool.exe
echo "Built dist/RegTool.exe ($(du -k dist/RegTool.exe | cut -f1) KiB)"
