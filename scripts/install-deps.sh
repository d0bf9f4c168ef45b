#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing for one purpose:
#   install-deps.sh          build and run the program (the run command)
#   install-deps.sh package  that and the tools that make the Debian package
#   install-deps.sh test     all of that and every tool the tests use
set -euo pipefail
purpose=${1:-run}

run_packages=(
  cmake g++ make
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libcups2-dev
  # Qt's own texts (standard buttons, file dialog, context menus) in Czech
  qt6-translations-l10n
  # the print server and its virtual test printer, when no server with a printer is there
  cups cups-client cups-filters ghostscript
  # a virtual desktop with a notification area, when none is running
  xvfb trayer xdotool x11-utils fonts-dejavu-core
)
package_packages=(
  dpkg-dev file
)
test_packages=(
  clang libclang-rt-14-dev git
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # the print server's other tools the tests drive
  cups-bsd cups-ipp-utils python3
  # screenshots
  imagemagick
  # the Windows build: the MinGW-w64 cross compiler and Wine
  g++-mingw-w64-x86-64-posix wine wine64
  # code style
  clang-format clang-tidy
  # the checks of the installed files
  desktop-file-utils appstream man-db
)

packages=("${run_packages[@]}")
case $purpose in
  run) ;;
  package) packages+=("${package_packages[@]}") ;;
  test) packages+=("${package_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 [run | package | test]" >&2
    exit 2
    ;;
esac

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
