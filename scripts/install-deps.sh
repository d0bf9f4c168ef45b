#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing Pagewarden needs.
set -euo pipefail

packages=(
  # build
  cmake g++ make clang libclang-rt-14-dev git
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libcups2-dev
  # Qt's own texts (standard buttons, file dialog, context menus) in Czech
  qt6-translations-l10n
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # print server and test printers
  cups cups-client cups-bsd cups-filters ghostscript
  # virtual desktop with a notification area, and screenshots
  xvfb xauth trayer xdotool x11-utils imagemagick fonts-dejavu-core
  # the Windows build: the MinGW-w64 cross compiler, GoogleTest's sources for it, and Wine
  g++-mingw-w64-x86-64-posix googletest wine wine64
  # code style
  clang-format
  # the Debian package and the checks of the installed files
  dpkg-dev file desktop-file-utils appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # Package scripts must not try to start services in a container or chroot.
  if [ ! -e /usr/sbin/policy-rc.d ]; then
    printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d
    chmod +x /usr/sbin/policy-rc.d
    trap 'rm -f /usr/sbin/policy-rc.d' EXIT
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
