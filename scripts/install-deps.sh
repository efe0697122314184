#!/usr/bin/env bash
# Installs the Debian 12 packages that building and running need ("run") or that every
# test needs ("test"). Asks apt only when something is missing.
set -euo pipefail

run_packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev libgl-dev
  libbenchmark-dev  # the default build includes the benchmarks
  unixodbc-dev tdsodbc
  fonts-arphic-ukai fonts-arphic-uming fonts-liberation
  xvfb xauth  # run.sh's hint for a machine without a display: xvfb-run -a scripts/run.sh
)
test_packages=(
  "${run_packages[@]}"
  libgtest-dev libgmock-dev googletest
  locales  # localedef: the double-byte tests build a Big5 locale
  postgresql odbc-postgresql
  g++-mingw-w64-x86-64 wine64
  libodbc2  # Wine's odbc32 hands ODBC calls to it; wine only recommends it
  # The 32-bit program is built with the i686 compilers and tested under 32-bit Wine,
  # whose odbc32 needs the i386 unixODBC and PostgreSQL driver.
  g++-mingw-w64-i686 wine32:i386 libodbc2:i386 odbc-postgresql:i386
  clang libclang-rt-14-dev  # the sanitizer and fuzzer builds (runtimes in libclang-rt)
  ansible-core  # the tests run the README's Ansible play on Linux
)

case "${1:-}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this script as root, or install them with apt-get." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# The i386 packages come from the i386 architecture, which a fresh amd64 system lacks;
# apt sees its packages only after the update below.
if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
