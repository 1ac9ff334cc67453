#!/usr/bin/env bash
# Builds a release from the commit checked out (HEAD), exported into a scratch folder, into
# build-release/:
#   savefile-converter-<version>-windows.zip       the 32-bit Windows program and its how-to
#   savefile-converter-<version>-linux-x86_64.tar.gz  a static Linux program and its how-to
#   savefile-converter-<version>-web.zip           the browser edition's site (when the commit has
#                                                   tools/build-web.sh)
#   SHA256SUMS
# Two builds of one commit give the same bytes, whatever the folder, the time, the umask or the
# locale: every time stamp is the commit's time, every path in a binary is relative, every
# archive entry's owner, mode and order is fixed.
#
#   tools/release.sh           builds once
#   tools/release.sh --check   builds twice, in two scratch folders with another umask, locale
#                              and time zone, compares, and fails when a byte differs (diffoscope
#                              then names the difference); the first build becomes the release
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-release

usage() {
  echo "usage: tools/release.sh [--check]" >&2
  exit 2
}
check=false
case $# in
  0) ;;
  1) [[ $1 == --check ]] || usage; check=true ;;
  *) usage ;;
esac

packages=(zip file)
$check && packages+=(diffoscope)
tools/ensure-packages.sh "${packages[@]}"

commit=$(git rev-parse HEAD)
# Compilers, linkers and archives take every time stamp from here.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
  echo "Note: uncommitted changes are not part of the release; it is built from commit $commit."
fi

# Packs the files under <folder> into <zip>, in name order, each with the commit's time, mode
# 644 (755 for a program) and no owner: zip -X leaves out the extra fields with owners and exact
# times, and the time the entries keep is the commit's, in UTC.
pack_zip() {
  local folder=$1 zip=$2
  chmod -R u=rwX,go=rX "$folder"
  find "$folder" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
  rm -f "$zip"
  (cd "$folder" && find . -type f -printf '%P\n' | LC_ALL=C sort |
    TZ=UTC0 zip -q -X -9 -@ "$zip")
}

# Packs <folder> into <archive>.tar.gz: the folder itself is the archive's one top-level entry.
pack_tar_gz() {
  local folder=$1 archive=$2
  chmod -R u=rwX,go=rX "$folder"
  tar -C "$(dirname "$folder")" --create --format=gnu --sort=name --mtime="@$SOURCE_DATE_EPOCH" \
    --owner=0 --group=0 --numeric-owner "$(basename "$folder")" | gzip -9 -n >"$archive"
}

# The Linux program: linked statically (glibc, libstdc++, zlib, libdeflate), so that it runs on
# any x86-64 Linux kernel since 3.2 with nothing installed. It calls nothing of glibc that loads
# shared libraries at run time (no user or host name look-ups, no iconv, no locales), which the
# link would warn about.
build_linux() {
  local src=$1 build=$1/build-release-linux
  cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCONVERTER_RELEASE=ON -DCONVERTER_WERROR=ON \
    -DCONVERTER_TESTS=OFF -DCONVERTER_TOOLS=OFF >/dev/null
  local log
  log=$(cmake --build "$build" -j"$(nproc)" --target savefile-converter 2>&1) || { echo "$log" >&2; return 1; }
  if grep -q 'statically linked applications requires at runtime' <<<"$log"; then
    echo "$log" >&2
    echo "The static Linux program would need glibc's shared libraries at run time." >&2
    return 1
  fi
  local kind
  kind=$(file -b "$build/savefile-converter")
  [[ $kind == "ELF 64-bit LSB executable, x86-64"*"statically linked"* ]] ||
    { echo "The Linux program is not a static x86-64 executable: $kind" >&2; return 1; }
  echo "Linux program: $kind"
}

# The version the banner shows: the project version CMake read from the sources.
project_version() {
  sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

# Exports the commit into <scratch>/src, builds every artefact there and writes the archives
# and SHA256SUMS into <destination>.
build_release() {
  local scratch=$1 destination=$2
  rm -rf "$scratch"
  mkdir -p "$scratch/src" "$destination"
  git -C "$root" archive --format=tar "$commit" | tar -x -C "$scratch/src"
  local src=$scratch/src

  build_linux "$src"
  local version
  version=$(project_version "$src/build-release-linux")
  [[ $version =~ ^[0-9]+\.[0-9]+$ ]] || { echo "No project version in the Linux build" >&2; return 1; }
  local name=savefile-converter-$version
  "$src/build-release-linux/savefile-converter" --version | grep -qF "v.$version" ||
    { echo "The Linux program does not show version $version" >&2; return 1; }

  (cd "$src" && tools/build-windows.sh -DCONVERTER_RELEASE=ON -DCONVERTER_TESTS=OFF -DCONVERTER_TOOLS=OFF)

  local artefacts=("$name-windows.zip" "$name-linux-x86_64.tar.gz")
  rm -f "$destination/$name"-* "$destination/SHA256SUMS"
  pack_zip "$src/build-windows/package" "$destination/$name-windows.zip"

  local linux=$scratch/$name-linux-x86_64
  mkdir -p "$linux"
  cp "$src/build-release-linux/savefile-converter" "$linux/"
  cp "$src/tools/linux-how-to.txt" "$linux/HOW-TO.txt"
  pack_tar_gz "$linux" "$destination/$name-linux-x86_64.tar.gz"

  if [[ -f $src/tools/build-web.sh ]]; then
    (cd "$src" && tools/build-web.sh)
    pack_zip "$src/build-web/site" "$destination/$name-web.zip"
    artefacts+=("$name-web.zip")
  else
    echo "No tools/build-web.sh in this commit: the release has no web edition."
  fi

  (cd "$destination" && sha256sum "${artefacts[@]}" >SHA256SUMS)
}

# Builds twice, the second time in a folder of another length, with another umask, locale and
# time zone, and compares every artefact byte for byte.
check_release() {
  local first=$out/check/1 second=$out/check/second-build
  rm -rf "$out/check"
  (umask 022 && export LC_ALL=C.UTF-8 TZ=UTC0 && build_release "$first/work" "$first")
  (umask 077 && export LC_ALL=C TZ=XST-05:45 && build_release "$second/work" "$second")
  echo "== First build's SHA256SUMS"
  cat "$first/SHA256SUMS"
  echo "== Second build's SHA256SUMS"
  cat "$second/SHA256SUMS"
  local differs=false file
  for file in "$first"/SHA256SUMS "$first"/savefile-converter-*; do
    file=$(basename "$file")
    if ! cmp -s "$first/$file" "$second/$file"; then
      differs=true
      [[ $file == SHA256SUMS ]] && continue
      echo "== $file differs:"
      diffoscope --text - "$first/$file" "$second/$file" || true
    fi
  done
  if $differs; then
    echo "The two builds differ: the release is not reproducible." >&2
    return 1
  fi
  echo "The two builds are identical, byte for byte."
  publish "$first"
}

# Moves a build's archives and SHA256SUMS into build-release/.
publish() {
  local from=$1
  rm -f "$out"/savefile-converter-* "$out/SHA256SUMS"
  mv "$from"/savefile-converter-* "$from/SHA256SUMS" "$out/"
}

mkdir -p "$out"
if $check; then
  check_release
  rm -rf "$out/check"
else
  build_release "$out/work" "$out/work/artefacts"
  publish "$out/work/artefacts"
  rm -rf "$out/work"
fi
echo "Release of commit $commit in build-release/:"
(cd "$out" && cat SHA256SUMS)
