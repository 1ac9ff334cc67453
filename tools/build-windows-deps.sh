#!/usr/bin/env bash
# Cross-builds, for the Windows build, the static libraries that Debian ships for Linux only:
# libdeflate, from Debian's own source package, into <prefix>/include and <prefix>/lib.
# Usage: tools/build-windows-deps.sh <prefix> [TRIPLET]; the triplet is i686-w64-mingw32 unless
# given. Does nothing when the prefix already holds it.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$(realpath -m "$1")
triplet=${2:-i686-w64-mingw32}

# The prefix holds a static libdeflate that MinGW links into a program.
libdeflate_links() {
  [[ -f "$prefix/lib/libdeflate.a" && -f "$prefix/include/libdeflate.h" ]] || return 1
  local probe
  probe=$(mktemp -d)
  printf '#include <libdeflate.h>\nint main(void){struct libdeflate_compressor*c=libdeflate_alloc_compressor(6);libdeflate_free_compressor(c);return 0;}\n' \
    >"$probe/probe.c"
  "$triplet-gcc-posix" -static "$probe/probe.c" -I"$prefix/include" -L"$prefix/lib" -ldeflate -o "$probe/probe.exe" \
    >"$probe/log" 2>&1
  local status=$?
  rm -rf "$probe"
  return $status
}

libdeflate_links && exit 0

# Debian source packages come from the same suites as the binary ones.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  if [[ $(id -u) -ne 0 ]]; then
    echo "Source packages are not enabled. As root, add a deb-src entry, e.g.:" >&2
    echo "  sed 's/^Types: deb\$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > /etc/apt/sources.list.d/debian-src.sources" >&2
    exit 1
  fi
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >/etc/apt/sources.list.d/debian-src.sources
  apt-get update -q >/dev/null || echo "Some package lists could not be updated; trying with the others."
fi

sources="$prefix-src"
rm -rf "$sources"
mkdir -p "$sources"
(cd "$sources" && apt-get source -q libdeflate >/dev/null 2>&1)
tree=$(find "$sources" -mindepth 1 -maxdepth 1 -type d -name 'libdeflate-*' | head -n 1)
[[ -n "$tree" ]] || { echo "apt-get source libdeflate gave no source tree" >&2; exit 1; }
# Its Makefile names the static library the MSVC way for Windows targets; MinGW links the .a form.
# Its CFLAGS add to the Makefile's own; the map keeps the source folder's path out of the objects.
make -C "$tree" -j"$(nproc)" CC="$triplet-gcc-posix" AR="$triplet-ar" STATIC_LIB_SUFFIX=.a \
  CFLAGS="-ffile-prefix-map=$tree=." libdeflate.a >/dev/null
mkdir -p "$prefix/include" "$prefix/lib"
cp "$tree/libdeflate.h" "$prefix/include/"
cp "$tree/libdeflate.a" "$prefix/lib/"
libdeflate_links || { echo "the cross-built libdeflate.a does not link" >&2; exit 1; }
echo "libdeflate cross-built into $prefix"
