#!/usr/bin/env bash
# Builds the Windows program, each as one file: dist/RegTool.exe for 32-bit (x86) Windows,
# the one to hand out, since it starts on 32-bit and 64-bit Windows alike; and
# dist/RegTool-x64.exe for 64-bit Windows only. Both are cross-built with mingw-w64,
# static, windowed, with the manifest, version and icon, stripped of debugging
# information, and checked to be built for their processor and to import only the
# system's own DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."

# preset, triplet, file in dist/, the processor objdump names
build() {
  local preset=$1 triplet=$2 file=dist/$3 format=$4
  cmake --preset "$preset"
  cmake --build --preset "$preset" --target RegTool
  mkdir -p dist
  "$triplet-strip" -o "$file" "build/$preset/src/app/win32/RegTool.exe"
  scripts/check-imports.sh "$file" "$format"
  echo "Built $file ($(du -k "$file" | cut -f1) KiB)"
}
build win32 i686-w64-mingw32 RegTool.exe pei-i386
build win64 x86_64-w64-mingw32 RegTool-x64.exe pei-x86-64
