#!/usr/bin/env bash
# Builds the Windows console program, a 32-bit (i686) executable, with MinGW-w64, linked
# statically, into build-windows/savefile-converter.exe, and packs
# build-windows/savefile-converter-windows.zip (the program and a short how-to) for players.
# Fails unless the program is a 32-bit PE that needs no DLL beyond those Windows ships, says it
# can use 4 GiB, carries its version resource and no manifest.
#
#   tools/build-windows.sh [CMAKE_OPTION...]   (options for the configure step, e.g. -DCONVERTER_RELEASE=ON)
set -euo pipefail
cd "$(dirname "$0")/.."

triplet=i686-w64-mingw32
tools/ensure-packages.sh g++-mingw-w64-i686-posix mingw-w64-tools libz-mingw-w64-dev wine wine32:i386 \
  libdeflate-dev dpkg-dev googletest zip file
tools/build-deps.sh windows build-windows/deps >/dev/null
# A build folder configured for another toolchain (the former 64-bit one) keeps its compilers:
# it is configured afresh.
toolchain=$PWD/cmake/mingw-w64-i686.cmake
if [[ -f build-windows/CMakeCache.txt ]] &&
  ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" build-windows/CMakeCache.txt; then
  rm -rf build-windows/CMakeCache.txt build-windows/CMakeFiles
fi
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCONVERTER_WERROR=ON -DCMAKE_PREFIX_PATH="$PWD/build-windows/deps" -DCMAKE_FIND_ROOT_PATH="$PWD/build-windows/deps" "$@" >/dev/null
cmake --build build-windows -j"$(nproc)" --target savefile-converter

exe=build-windows/savefile-converter.exe
fail() {
  echo "savefile-converter.exe: $*" >&2
  exit 1
}
kind=$(file -b "$exe")
[[ "$kind" == "PE32 executable (console) Intel 80386"* ]] || fail "not a 32-bit console program: $kind"
headers=$("$triplet-objdump" -p "$exe")
# Only DLLs that every Windows has.
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
unexpected=$(grep -viE '^(kernel32|msvcrt|user32|advapi32|shell32|ws2_32|gdi32|ole32|bcrypt|ntdll)\.dll$' <<<"$dlls" || true)
[[ -z "$unexpected" ]] || fail "needs DLLs that Windows does not ship: $unexpected"
grep -q 'large address aware' <<<"$headers" || fail "is not linked --large-address-aware"
# The resource types, by number, from the top level of the resource directory: 16 is the
# version, 24 a manifest.
types=$(sed -n '/Resource Directory section/,$s/^[0-9a-f]\{3\}   Entry: ID: 0x0*\([0-9a-f]*\),.*/\1/p' <<<"$headers")
grep -qx 10 <<<"$types" || fail "has no version resource"
! grep -qx 18 <<<"$types" || fail "has a manifest resource"

package=build-windows/package
rm -rf "$package" build-windows/savefile-converter-windows.zip
mkdir -p "$package"
cp "$exe" "$package/"
sed 's/$/\r/' tools/windows-how-to.txt >"$package/HOW-TO.txt"
(cd "$package" && zip -q -X ../savefile-converter-windows.zip savefile-converter.exe HOW-TO.txt)
echo "Built $exe ($kind; DLLs: $(paste -sd' ' <<<"$dlls"); large address aware; version resource, no manifest)"
echo "and build-windows/savefile-converter-windows.zip"
