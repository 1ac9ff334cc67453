#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a plain optimised build, then a build under
# AddressSanitizer and UndefinedBehaviorSanitizer. Fails if any test fails or none ran.
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
echo "All tests passed in both builds."
