#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing VORN need.
# Packages already present are skipped; nothing is fetched from anywhere but Debian's archive.
set -euo pipefail

packages=(
  build-essential cmake g++ pkg-config make
  liballegro4-dev libvorbis-dev
  libgtest-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick vorbis-tools sox alsa-utils
  valgrind
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
