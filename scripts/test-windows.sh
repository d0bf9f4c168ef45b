#!/usr/bin/env bash
# The Windows build: cross-compiles the widget-free logic, the Windows adapters, pagewarden-log.exe
# and their tests with MinGW-w64, then runs them under Wine in a private prefix: the logic tests,
# the adapter tests (real registry, file system and spooler calls) and pagewarden-log.exe against
# the Linux build's pagewarden-log. Usage: test-windows.sh [BUILD_DIR] (default build-windows/);
# the Linux tool is taken from build/ (PW_NATIVE_BUILD overrides), and built there when missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$here/build-windows}")  # Wine wants an absolute prefix
native=${PW_NATIVE_BUILD:-$here/build}
jobs=$(nproc)
toolchain="$here/cmake/mingw-w64.cmake"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
started=$SECONDS
mark() { echo "   ($((SECONDS - started)) s)"; }

echo "== GoogleTest for Windows"
gtest="$out/googletest-install"
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$out/googletest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest" "${launcher[@]}" >/dev/null
  cmake --build "$out/googletest" -j"$jobs" >/dev/null
  cmake --install "$out/googletest" >/dev/null
fi
mark

echo "== cross build"
# Tests are listed when ctest runs, so that the build itself never needs Wine.
cmake -S "$here" -B "$out/pw" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DPW_LOGIC_ONLY=ON \
  -DPW_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_PREFIX_PATH="$gtest" \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST "${launcher[@]}" >/dev/null
cmake --build "$out/pw" -j"$jobs"
mark

if [ ! -x "$native/pagewarden-log" ]; then
  echo "== the Linux pagewarden-log"
  cmake -S "$here" -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$native" -j"$jobs" --target pagewarden-log
fi

echo "== Wine prefix"
# A private prefix, made without a display and without the Mono and Gecko installers.
export WINEPREFIX="$out/wineprefix" WINEARCH=win64 WINEDEBUG=-all DISPLAY=
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  rm -rf "$WINEPREFIX"
  timeout 300 wineboot -i >/dev/null 2>&1 || true
  timeout 120 wineserver -w || true
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Wine could not make its prefix in $WINEPREFIX" >&2
  exit 1
fi
mark

status=0
run() {  # run NAME COMMAND...
  local name=$1
  shift
  echo "== $name"
  if timeout 600 "$@"; then
    echo "   $name: passed"
  else
    echo "   $name: FAILED"
    status=1
  fi
  mark
}
run "logic tests under Wine" wine "$out/pw/tests/logic_tests.exe" --gtest_brief=1
run "Windows adapter tests under Wine" wine "$out/pw/tests/win32_tests.exe" --gtest_brief=1
run "pagewarden-log.exe beside the Linux build" bash "$here/tests/adapters/win32/compare_cli.sh" \
  "$out/pw/pagewarden-log.exe" "$native/pagewarden-log"
# Only this prefix's server, which the runs above started.
wineserver -k 2>/dev/null || true
echo "Windows build: $([ $status = 0 ] && echo passed || echo FAILED) in $((SECONDS - started)) s"
exit $status
