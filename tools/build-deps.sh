#!/usr/bin/env bash
# Builds, for a target whose system Debian ships no libraries for, the static libraries the
# program links, from Debian's own source packages, into <prefix>/include and <prefix>/lib:
#   windows  libdeflate, with MinGW-w64 (i686); zlib comes from Debian's libz-mingw-w64-dev
#   windows64  the same for 64-bit Windows (x86_64), for the Windows suite on machines that cannot
#            run 32-bit programs
#   web      zlib and libdeflate, with emscripten (WebAssembly)
# Usage: tools/build-deps.sh windows|windows64|web <prefix>. Does nothing for a library the prefix holds.
set -euo pipefail
cd "$(dirname "$0")/.."
target=$1
prefix=$(realpath -m "$2")

case "$target" in
  windows | windows64)
    libraries=(libdeflate)
    triplet=i686-w64-mingw32
    [[ $target == windows64 ]] && triplet=x86_64-w64-mingw32
    cc=$triplet-gcc-posix ar=$triplet-ar ranlib=$triplet-ranlib
    link_flags=(-static) probe_output=probe.exe
    ;;
  web)
    libraries=(zlib libdeflate)
    # Debian's Node.js modules, for emcc's JavaScript optimiser under any Node.js.
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
    cc=emcc ar=emar ranlib=emranlib
    link_flags=() probe_output=probe.js
    ;;
  *) echo "usage: tools/build-deps.sh windows|windows64|web <prefix>" >&2; exit 2 ;;
esac
# No build path or time ends up in the libraries.
cflags="-O2 -ffile-prefix-map=$prefix-src=."

header_of() { [[ $1 == zlib ]] && echo zlib.h || echo libdeflate.h; }
archive_of() { [[ $1 == zlib ]] && echo libz.a || echo libdeflate.a; }

# The prefix holds a static library that the target's compiler links into a program.
links() {
  local library=$1 probe status call
  [[ -f "$prefix/lib/$(archive_of "$library")" && -f "$prefix/include/$(header_of "$library")" ]] || return 1
  if [[ $library == zlib ]]; then
    call='z_stream s={0};return deflateInit(&s,6)!=Z_OK||deflateEnd(&s)!=Z_OK;' link=-lz
  else
    call='struct libdeflate_compressor*c=libdeflate_alloc_compressor(6);libdeflate_free_compressor(c);return 0;' link=-ldeflate
  fi
  probe=$(mktemp -d)
  printf '#include <%s>\nint main(void){%s}\n' "$(header_of "$library")" "$call" >"$probe/probe.c"
  (cd "$probe" && "$cc" "${link_flags[@]}" probe.c -I"$prefix/include" -L"$prefix/lib" $link -o "$probe_output") \
    >"$probe/log" 2>&1
  status=$?
  rm -rf "$probe"
  return $status
}

missing=()
for library in "${libraries[@]}"; do links "$library" || missing+=("$library"); done
[[ ${#missing[@]} -eq 0 ]] && exit 0

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

# The source package of the installed suites' version, or else any other version they list (a
# mirror may lack the sources of a security update).
fetch_source() {
  local library=$1 into=$2 version
  (cd "$into" && apt-get source -q "$library" >/dev/null 2>&1) && return 0
  for version in $(apt-cache showsrc "$library" | sed -n 's/^Version: //p' | sort -ru); do
    rm -rf "${into:?}"/*
    (cd "$into" && apt-get source -q "$library=$version" >/dev/null 2>&1) && return 0
  done
  echo "apt-get source $library found no source package it could fetch" >&2
  return 1
}

sources="$prefix-src"
mkdir -p "$prefix/include" "$prefix/lib"
for library in "${missing[@]}"; do
  rm -rf "$sources/$library"
  mkdir -p "$sources/$library"
  fetch_source "$library" "$sources/$library"
  tree=$(find "$sources/$library" -mindepth 1 -maxdepth 1 -type d -name "$library-*" | head -n 1)
  [[ -n "$tree" ]] || { echo "apt-get source $library gave no source tree" >&2; exit 1; }
  if [[ $library == zlib ]]; then
    # The library's own sources, without its configure script, which probes the build machine.
    (cd "$tree" &&
      for source in adler32 crc32 deflate infback inffast inflate inftrees trees zutil compress uncompr; do
        "$cc" $cflags -ffile-prefix-map="$tree"=. -c "$source.c" -o "$source.o"
      done &&
      rm -f libz.a && "$ar" rc libz.a ./*.o && "$ranlib" libz.a)
    cp "$tree/zlib.h" "$tree/zconf.h" "$prefix/include/"
    cp "$tree/libz.a" "$prefix/lib/"
  else
    # Its Makefile names the static library the MSVC way for Windows targets; MinGW links the .a form.
    make -C "$tree" -j"$(nproc)" CC="$cc" AR="$ar" CFLAGS="$cflags -ffile-prefix-map=$tree=." \
      STATIC_LIB_SUFFIX=.a libdeflate.a >/dev/null
    cp "$tree/libdeflate.h" "$prefix/include/"
    cp "$tree/libdeflate.a" "$prefix/lib/"
  fi
  links "$library" || { echo "the $target build of $library does not link" >&2; exit 1; }
  echo "$library built for $target into $prefix"
done
