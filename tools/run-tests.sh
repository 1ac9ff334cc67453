#!/usr/bin/env bash
# Builds and runs the whole test suite three times: a plain optimised build, a build under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows build under Wine; then
# compares the Windows and Linux converters' outputs on the same saves byte for byte. Fails if
# any test fails, none ran, or any output differs.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/ensure-packages.sh
jobs=$(nproc)

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$jobs"
}

echo "== Plain build =="
run_suite build-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DCONVERTER_SANITIZE=ON
echo "== Windows build (MinGW-w64) under Wine =="
windows_start=$SECONDS
tools/build-windows.sh
cmake --build build-windows -j"$jobs" --target converter_tests
ctest --test-dir build-windows --output-on-failure --no-tests=error -j"$jobs"
tools/compare-windows-output.sh build-tests build-windows
echo "Windows build, suite and comparison took $((SECONDS - windows_start)) s."
echo "All tests passed in all three builds."
