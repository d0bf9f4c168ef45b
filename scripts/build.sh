#!/usr/bin/env bash
# Configures and builds Pagewarden into build/ (or $1); further arguments go to cmake.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${@:2}" >/dev/null
cmake --build "$build" -j"$(nproc)"
