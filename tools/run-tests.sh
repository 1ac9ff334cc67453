#!/usr/bin/env bash
# Builds and runs the whole test suite three times: a plain optimised build, a build under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the 32-bit Windows build under Wine (its
# console window test on a virtual display); compares the Windows and Linux converters' outputs
# on the same saves byte for byte; builds the browser edition and runs its tests in headless
# Chromium against the Linux converter's outputs; then runs every fuzz target for FUZZ_SECONDS
# seconds each (default 60; 0 skips fuzzing). Fails if any test fails, none ran, any output
# differs, or a fuzz target finds a fault.
#
#   tools/run-tests.sh [FUZZ_SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds=${1:-60}
[[ "$fuzz_seconds" =~ ^[0-9]+$ ]] || { echo "usage: tools/run-tests.sh [FUZZ_SECONDS]" >&2; exit 2; }
tools/ensure-packages.sh clang libclang-rt-14-dev xvfb xauth
jobs=$(nproc)

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$jobs"
}

echo "== Plain build =="
run_suite build-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCONVERTER_WERROR=ON
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DCONVERTER_SANITIZE=ON -DCONVERTER_WERROR=ON
echo "== Windows build (MinGW-w64) under Wine =="
windows_start=$SECONDS
tools/build-windows.sh
windows_suite=build-windows
# A kernel without IA-32 emulation runs no 32-bit program, the 32-bit Wine included: the suite
# then runs as a 64-bit build of the same sources under the 64-bit Wine. The players' 32-bit
# program is built and checked above all the same.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "This machine cannot run 32-bit programs: the Windows suite runs as a 64-bit build under 64-bit Wine."
  tools/ensure-packages.sh g++-mingw-w64-x86-64-posix wine64
  windows_suite=build-windows64
  tools/build-deps.sh windows64 "$windows_suite/deps" >/dev/null
  cmake -S . -B "$windows_suite" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCONVERTER_WERROR=ON -DCMAKE_PREFIX_PATH="$PWD/$windows_suite/deps" -DCMAKE_FIND_ROOT_PATH="$PWD/$windows_suite/deps" >/dev/null
  cmake --build "$windows_suite" -j"$jobs" --target savefile-converter
fi
cmake --build "$windows_suite" -j"$jobs" --target converter_tests
# The console window test needs a display for Wine's console windows: a virtual one.
xvfb-run -a ctest --test-dir "$windows_suite" --output-on-failure --no-tests=error -j"$jobs"
tools/compare-windows-output.sh build-tests "$windows_suite"
echo "Windows build, suite and comparison took $((SECONDS - windows_start)) s."
echo "== Browser edition (WebAssembly) in headless Chromium =="
web_start=$SECONDS
tools/ensure-packages.sh chromium
tools/build-web.sh
NATIVE_BUILD=build-tests node --test web/tests/
echo "Browser build and tests took $((SECONDS - web_start)) s."
if [[ $fuzz_seconds -gt 0 ]]; then
  echo "== Fuzzing, $fuzz_seconds s per target =="
  tools/run-fuzz.sh "$fuzz_seconds"
  echo "All tests passed in all three builds and in the browser; the fuzz targets found no fault."
else
  echo "All tests passed in all three builds and in the browser (fuzzing skipped)."
fi
