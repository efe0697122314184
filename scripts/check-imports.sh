#!/usr/bin/env bash
# Fails unless the Windows program FILE is built for the processor FORMAT (objdump's name:
# pei-i386 for 32-bit, pei-x86-64 for 64-bit), its manifest names that processor (Windows
# refuses to start a program whose manifest names another), and it imports only DLLs that
# every Windows has, so the one file runs on a workstation with nothing installed beside it.
set -euo pipefail
usage='usage: check-imports.sh FILE.exe pei-i386|pei-x86-64'
file=${1:?$usage}
format=${2:?$usage}
case "$format" in
  pei-i386) manifest_arch=x86 ;;
  pei-x86-64) manifest_arch=amd64 ;;
  *) echo "$usage" >&2; exit 2 ;;
esac
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|odbc32|ole32|msvcrt)\.dll$'
# The x86-64 objdump reads the headers of both kinds.
# objdump speaks the locale's language (the Wine tests run in a Chinese one); its English is parsed.
headers=$(LC_ALL=C x86_64-w64-mingw32-objdump -p "$file")
grep -q "file format $format\$" <<<"$headers" ||
  { echo "$file is not a $format program: $(grep -m1 'file format' <<<"$headers")" >&2; exit 1; }
# The program's own identity comes first in the manifest; its dependencies follow.
named=$(grep -a -o -m1 'processorArchitecture="[^"]*"' "$file" | head -n 1)
[ "$named" = "processorArchitecture=\"$manifest_arch\"" ] ||
  { echo "$file: its manifest names ${named:-no processor}, not $manifest_arch" >&2; exit 1; }
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]' | sort)
[ -n "$imports" ] || { echo "$file: no import table found" >&2; exit 1; }
unexpected=$(grep -Ev "$allowed" <<<"$imports" || true)
if [ -n "$unexpected" ]; then
  echo "$file imports DLLs a workstation may not have:" $unexpected >&2
  exit 1
fi
echo "$file ($format, manifest for $manifest_arch) imports only:" $imports
