#!/usr/bin/env bash
# Installs what is missing, builds Pagewarden and runs every test: the unit and widget tests, the
# tests against a private print server and a virtual desktop, the logic tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, a short fuzz run of the data file's reader, the
# Windows build under Wine, the check of folder dependencies and member names, and the naming
# rule's check. Compiler warnings are errors here.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
bash "$here/scripts/install-deps.sh" test

echo "== folder dependencies and member names"
folder_status=0
bash "$here/scripts/check-tree.sh" || folder_status=$?

echo "== build"
bash "$here/scripts/build.sh" "$here/build" -DPW_WERROR=ON -DPW_TESTS=ON \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

echo "== tests"
rm -f "$here/build/Testing/Temporary/LastTestsFailed.log"
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

echo "== names of functions, methods, classes, members and constants"
names_status=0
bash "$here/scripts/check-names.sh" "$here/build" || names_status=$?

# The count of the main run comes from ctest itself: its list of tests and the failures it wrote.
total=$(ctest --test-dir "$here/build" -N | sed -n 's/^Total Tests: //p')
failed=0
if [ "$main_status" != 0 ]; then
  failed_log=$here/build/Testing/Temporary/LastTestsFailed.log
  failed=$([ -f "$failed_log" ] && grep -c . "$failed_log" || echo "${total:-1}")
fi
passed=$((${total:-0} - failed))
stage() { # name status: reports one further stage and counts it
  echo "$1: $([ "$2" = 0 ] && echo passed || echo FAILED)"
  if [ "$2" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
stage "sanitizer run" $san_status
stage "fuzz run" $fuzz_status
stage "Windows build" $win_status
stage "folder dependencies and member names" $folder_status
stage "naming rule" $names_status
bash "$here/scripts/count-lines.sh" || true
echo "$passed passed, $failed failed"
[ "$main_status" = 0 ] && [ $failed = 0 ]
