#!/usr/bin/env bash
# Makes sure the Debian packages the build needs are installed. As root, installs what is
# missing with apt-get; otherwise prints the exact install line and fails.
set -euo pipefail

packages=(cmake g++ make zlib1g-dev libdeflate-dev libgtest-dev "$@")
missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  echo "Installing missing packages: ${missing[*]}"
  # A mirror part-way through a sync fails one index or another; what the rest gives may do.
  apt-get update -q || echo "Some package lists could not be updated; trying with the others."
  if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"; then
    [[ " ${missing[*]}" == *:i386* ]] || exit 1
    tools/install-i386-unsynced.sh "${missing[@]}"
  fi
else
  echo "Missing packages. Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
