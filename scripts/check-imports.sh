#!/usr/bin/env bash
# Fails unless the Windows program FILE imports only DLLs that every Windows has, so the
# one file runs on a workstation with nothing installed beside it.
set -euo pipefail
file=${1:?usage: check-imports.sh FILE.exe}
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|odbc32|ole32|msvcrt)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p' \
  | tr '[:upper:]' '[:lower:]' | sort)
[ -n "$imports" ] || { echo "$file: no import table found" >&2; exit 1; }
unexpected=$(grep -Ev "$allowed" <<<"$imports" || true)
if [ -n "$unexpected" ]; then
  echo "$file imports DLLs a workstation may not have:" $unexpected >&2
  exit 1
fi
echo "$file imports only:" $imports
