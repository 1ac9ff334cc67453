#!/usr/bin/env bash
# Builds the Windows console program with MinGW-w64, linked statically, into
# build-windows/savefile-converter.exe, and packs build-windows/savefile-converter-windows.zip
# (the program and a short how-to) for players. Fails if the program needs any DLL that
# Windows does not ship.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/ensure-packages.sh g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev wine wine64 \
  libdeflate-dev dpkg-dev googletest zip
tools/build-windows-deps.sh build-windows/deps >/dev/null
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DCONVERTER_WERROR=ON -DCMAKE_PREFIX_PATH="$PWD/build-windows/deps" -DCMAKE_FIND_ROOT_PATH="$PWD/build-windows/deps" >/dev/null
cmake --build build-windows -j"$(nproc)" --target savefile-converter

exe=build-windows/savefile-converter.exe
# Only DLLs that every Windows has.
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
unexpected=$(grep -viE '^(kernel32|msvcrt|user32|advapi32|shell32|ws2_32|gdi32|ole32|bcrypt|ntdll)\.dll$' <<<"$dlls" || true)
if [[ -n "$unexpected" ]]; then
  echo "savefile-converter.exe needs DLLs that Windows does not ship: $unexpected" >&2
  exit 1
fi

package=build-windows/package
rm -rf "$package" build-windows/savefile-converter-windows.zip
mkdir -p "$package"
cp "$exe" "$package/"
sed 's/$/\r/' tools/windows-how-to.txt >"$package/HOW-TO.txt"
(cd "$package" && zip -q -X ../savefile-converter-windows.zip savefile-converter.exe HOW-TO.txt)
echo "Built $exe (DLLs: $(paste -sd' ' <<<"$dlls")) and build-windows/savefile-converter-windows.zip"
