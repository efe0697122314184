#!/bin/sh
# RegTool.exe on a console (a pseudo-terminal, as a technician's window is): the rows of
# a snapshot in the ANSI code page 950 must show as the Chinese text they are, not as
# bytes the console cannot show.
#   usage: console_text_wine_test.sh REGTOOL_EXE WINE_LOADER
set -eu
program=${1:?RegTool.exe}
wine=${2:?wine loader}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf 'App,Sec,Key,系統設定\r\n' | iconv -f UTF-8 -t BIG5 >rows.txt
status=0
script -q -e -c "'$wine' '$program' show rows.txt" typescript >/dev/null </dev/null || status=$?
if [ "$status" -ne 0 ] || ! grep -q "App.*Sec.*Key.*系統設定" typescript; then
  echo "show ended with $status and the console did not show the row; it got:" >&2
  od -c typescript >&2
  exit 1
fi
