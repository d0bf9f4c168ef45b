#!/usr/bin/env bash
# Installs what is missing, builds Pagewarden into build/ and makes the Debian package there:
# build/pagewarden_<version>_<arch>.deb. Install it with: apt install ./build/pagewarden_*.deb
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/install-deps.sh" package
bash "$here/scripts/build.sh" "$here/build" -DPW_TESTS=OFF
cd "$here/build"
cpack -G DEB
ls "$here"/build/pagewarden_*.deb
