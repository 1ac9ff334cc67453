#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a plain optimised build, then a build under
# AddressSanitizer and UndefinedBehaviorSanitizer; then runs every fuzz target for
# FUZZ_SECONDS seconds each (default 60; 0 skips fuzzing). Fails if any test fails, none ran,
# or a fuzz target finds a fault.
#
#   tools/run-tests.sh [FUZZ_SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds=${1:-60}
[[ "$fuzz_seconds" =~ ^[0-9]+$ ]] || { echo "usage: tools/run-tests.sh [FUZZ_SECONDS]" >&2; exit 2; }
tools/ensure-packages.sh clang libclang-rt-14-dev
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
if [[ $fuzz_seconds -gt 0 ]]; then
  echo "== Fuzzing, $fuzz_seconds s per target =="
  tools/run-fuzz.sh "$fuzz_seconds"
  echo "All tests passed in both builds; the fuzz targets found no fault."
else
  echo "All tests passed in both builds (fuzzing skipped)."
fi
