#!/usr/bin/env bash
# Installs the Debian packages VORN needs, by what they are needed for:
#   install-deps.sh run     what playing needs (the game's libraries)
#   install-deps.sh build   what building needs, playing included (`make run`, `make build`)
#   install-deps.sh test    what testing needs, building included (`make test`)
# Packages already present are skipped; nothing is fetched from anywhere but Debian's archive.
set -euo pipefail

run=(liballegro4.4 libvorbisfile3)
# dat (packs the pictures) and Xlib's headers come with liballegro4-dev, oggenc (encodes the
# sounds) with vorbis-tools; libpng writes the desktop icon.
build=(build-essential cmake g++ pkg-config make liballegro4-dev libvorbis-dev vorbis-tools libpng-dev)
# The unit tests and benchmarks; the X server, window driver, screenshots and display probe of the
# end-to-end tests; a small window manager and wmctrl, which sends a window's close button and
# moves the focus, for the test of the game's window; the memory check of a real session; the
# check of the desktop entry; the check of the source's formatting.
test=(libgtest-dev libbenchmark-dev xvfb xdotool imagemagick x11-utils matchbox-window-manager wmctrl valgrind
      desktop-file-utils clang-format)

case "${1:-test}" in
  run) packages=("${run[@]}") ;;
  build) packages=("${run[@]}" "${build[@]}") ;;
  test) packages=("${run[@]}" "${build[@]}" "${test[@]}") ;;
  *) echo "usage: install-deps.sh [run|build|test]" >&2; exit 2 ;;
esac

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
