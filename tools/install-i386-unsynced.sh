#!/usr/bin/env bash
# Installs Debian i386 packages while the mirror's i386 index of the security suite is out of step
# with its signed release file (apt then ignores that index, and every i386 package whose amd64
# twin came from the security suite cannot be installed). Used by ensure-packages.sh only after a
# normal install has failed. The index the mirror serves becomes a local source of its own; apt
# fetches nothing from it but the list, each package is downloaded from the mirror's pool and
# apt checks it against that list. The list itself cannot be checked against the signature then:
# that is the price of installing during a mirror's sync, and why this is never the first try.
#
#   tools/install-i386-unsynced.sh PACKAGE...
set -euo pipefail

mirror=http://deb.debian.org/debian-security
suite=bookworm-security
repo=/var/local/converter-i386-security
list=/etc/apt/sources.list.d/converter-i386-security.list

mkdir -p "$repo"
curl -sSf "$mirror/dists/$suite/main/binary-i386/Packages.xz" | xz -dc >"$repo/Packages"
gzip -kf "$repo/Packages"
echo "deb [trusted=yes arch=i386] file:$repo ./" >"$list"
apt-get update -q >/dev/null 2>&1 || true

# The packages apt would take from the local source are fetched into it first.
apt-get install --print-uris -y -q "$@" | sed -n "s|^'file:$repo/\([^']*\)'.*|\1|p" |
  while read -r encoded; do
    file=$repo/$(printf '%b' "${encoded//%/\\x}")
    mkdir -p "$(dirname "$file")"
    [[ -f "$file" ]] || curl -sSf -o "$file" "$mirror/$encoded"
  done
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@"
