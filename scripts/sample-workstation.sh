#!/usr/bin/env bash
# Starts the tool on a sample workstation: a settings store with a few of the family's
# applications, and a Wine-style drive C: holding the three programs' INI files. Both
# live in a fresh temporary folder, which is left in place afterwards for a look at
# what the tool changed.
set -euo pipefail
cd "$(dirname "$0")/.."

sample=$(mktemp -d "${TMPDIR:-/tmp}/regtool-sample.XXXXXX")
config="$sample/config"
prefix="$sample/wine"

# The settings store: one file in the registry export format, in the locale's code page
# (the tool's stand-in for the Windows ANSI code page; plain ASCII locales count as UTF-8).
mkdir -p "$config/vb-registry"
to_ansi() {
  case "$(locale charmap 2>/dev/null)" in
    UTF-8 | ANSI_X3.4-1968 | ASCII | "") cat ;;
    *) iconv -f UTF-8 -t "$(locale charmap)" ;;
  esac
}
root='HKEY_CURRENT_USER\Software\VB and VBA Program Settings'
to_ansi >"$config/vb-registry/HKEY_CURRENT_USER.reg" <<REG
REGEDIT4

[$root]

[$root\VODureza]

[$root\VODureza\PARAM]
"DBSource"="SRV01"
"站台名稱"="一號櫃台"
"RetryCount"=dword:00000003

[$root\VODureza\Window]
"Left"="120"
"Top"="480"

[$root\VARIrazEve]

[$root\VARIrazEve\列印]
"印表機"="收據印表機"
"份數"="2"

[$root\DODOZOvi]

[$root\DODOZOvi\Startup]
"LastUser"="王小明"
"AutoLogin"="0"

REG
sed -i 's/$/\r/' "$config/vb-registry/HKEY_CURRENT_USER.reg"

# Drive C: as Wine maps it, with the INI files the "連線設定" page rewrites.
mkdir -p "$prefix/dosdevices" "$prefix/drive_c/VODureza" "$prefix/drive_c/VARIrazEve" \
  "$prefix/drive_c/DODOZOvi"
ln -s ../drive_c "$prefix/dosdevices/c:"
printf '[PARAM]\r\nDBSource=OLDSERVER\r\nTimeOut=30\r\n' >"$prefix/drive_c/VODureza/VODureza.ini"
printf '[PARAM]\r\nGCNT=Provider=SQLOLEDB;data source=OLDSERVER;initial catalog=RiVUZ;User ID=sa;Password=;\r\n' \
  >"$prefix/drive_c/VARIrazEve/VARIrazEve.ini"
printf '[PARAM]\r\nGCNT=\r\n[Printer]\r\nName=Receipt\r\n' >"$prefix/drive_c/DODOZOvi/DODOZOvi.ini"

echo "Sample workstation in $sample:"
echo "  settings store  $config/vb-registry/HKEY_CURRENT_USER.reg"
echo "  drive C:        $prefix/drive_c"
export XDG_CONFIG_HOME="$config" WINEPREFIX="$prefix"
exec scripts/run.sh "$@"
