#!/usr/bin/env bash
# Installs what is missing, builds Pagewarden and runs every test: the unit and widget tests, the
# tests against a private print server and a virtual desktop, the logic tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short fuzz run of the data file's reader.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
bash "$here/scripts/install-deps.sh"

echo "== build"
bash "$here/scripts/build.sh" "$here/build" -DPW_WERROR=ON

echo "== tests"
set +e
ctest --test-dir "$here/build" --output-on-failure -j"$jobs" --timeout 600 2>&1 | tee "$here/build/ctest.log"
main_status=${PIPESTATUS[0]}
set -e

echo "== logic tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$here" -B "$here/build-sanitize" -DPW_LOGIC_ONLY=ON -DPW_SANITIZE=ON -DPW_WERROR=ON \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$here/build-sanitize" -j"$jobs" --target logic_tests
san_status=0
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  "$here/build-sanitize/tests/logic_tests" --gtest_brief=1 || san_status=$?

echo "== fuzzing the data file's reader"
cmake -S "$here" -B "$here/build-fuzz" -DPW_LOGIC_ONLY=ON -DPW_FUZZ=ON -DPW_TESTS=OFF \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build-fuzz" -j"$jobs"
fuzz_status=0
"$here/build-fuzz/fuzz/fuzz_data_file" -max_total_time=30 -rss_limit_mb=1024 -print_final_stats=1 \
  "$here/build-fuzz/fuzz/fuzz_data_file_corpus" "$here/build-fuzz/fuzz/fuzz_data_file_seeds" \
  >"$here/build-fuzz/fuzz.log" 2>&1 || fuzz_status=$?
tail -n 5 "$here/build-fuzz/fuzz.log"

echo "== the Windows build under Wine"
win_status=0
bash "$here/scripts/test-windows.sh" "$here/build-windows" || win_status=$?

passed=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$here/build/ctest.log" | awk '{print $6 - $1}')
failed=$(grep -Eo '[0-9]+ tests failed out of' "$here/build/ctest.log" | awk '{print $1}')
echo "sanitizer run: $([ $san_status = 0 ] && echo passed || echo FAILED), fuzz run: $([ $fuzz_status = 0 ] && echo passed || echo FAILED)"
[ $san_status = 0 ] && passed=$((passed + 1)) || failed=$((failed + 1))
[ $fuzz_status = 0 ] && passed=$((passed + 1)) || failed=$((failed + 1))
echo "Windows build: $([ $win_status = 0 ] && echo passed || echo FAILED)"
[ $win_status = 0 ] && passed=$((passed + 1)) || failed=$((failed + 1))
echo "${passed:-0} passed, ${failed:-1} failed"
[ "$main_status" = 0 ] && [ $san_status = 0 ] && [ $fuzz_status = 0 ] && [ $win_status = 0 ]
