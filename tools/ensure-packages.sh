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

# Packages of another architecture (such as wine32:i386) need that architecture enabled first.
foreign=()
for package in "${missing[@]}"; do
  [[ "$package" == *:* ]] || continue
  architecture=${package##*:}
  dpkg --print-foreign-architectures | grep -qx "$architecture" || foreign+=("$architecture")
done

if [[ $(id -u) -eq 0 ]]; then
  for architecture in "${foreign[@]}"; do dpkg --add-architecture "$architecture"; done
  echo "Installing missing packages: ${missing[*]}"
  # A mirror part-way through a sync fails one index or another; what the rest gives may do.
  apt-get update -q || echo "Some package lists could not be updated; trying with the others."
  if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"; then
    [[ " ${missing[*]}" == *:i386* ]] || exit 1
    tools/install-i386-unsynced.sh "${missing[@]}"
  fi
else
  echo "Missing packages. Install them with:" >&2
  for architecture in "${foreign[@]}"; do echo "  sudo dpkg --add-architecture $architecture && sudo apt-get update" >&2; done
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
