#!/usr/bin/env bash
# Installs, on Debian 12, whatever the build, the tests and the program need
# and is not there yet (the test-only packages with --tests). Safe to run
# again: it only asks apt for what is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-dev libxlsxwriter-dev libzint-dev
  fonts-wqy-microhei
  xvfb xauth
)
# With --tests also the spreadsheet program (LibreOffice Calc without a
# window), so that the tests cover the workbook paths through it, and a print
# system with a PDF queue and the PDF tools, so that the tests print through a
# private CUPS scheduler, and a barcode reader (zbarimg) that reads the
# printed barcodes back; the program itself works without them.
# With --fuzz also clang and its libFuzzer and sanitizer runtimes (fuzz.sh).
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi
if [ "${1:-}" = "--tests" ]; then
  packages+=(libreoffice-calc-nogui dpkg-dev cups printer-driver-cups-pdf poppler-utils zbar-tools)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
