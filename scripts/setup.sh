#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that Quorvane needs:
#   scripts/setup.sh play      building and running the game
#   scripts/setup.sh package   that, and making the Debian package
#   scripts/setup.sh [test]    all of that, and the tools of the tests and benchmarks
# Idempotent: only missing packages are installed, and the package lists are
# refreshed only when something is missing. Runs as root, or through sudo.
set -euo pipefail

play=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev libxcb1-dev
  libsdl2-dev libsdl2-mixer-dev libasound2-dev timgm6mb-soundfont
  fonts-dejavu-core
)
# cpack's Debian generator reads the program's libraries with file and dpkg-shlibdeps.
package=(file dpkg-dev)
test=(
  nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick
  sox abcmidi python3
  appstream desktop-file-utils lintian
)

case "${1:-test}" in
  play) wanted=("${play[@]}") ;;
  package) wanted=("${play[@]}" "${package[@]}") ;;
  test) wanted=("${play[@]}" "${package[@]}" "${test[@]}") ;;
  *) echo "usage: scripts/setup.sh [play|package|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# sudo resets the environment, so apt's frontend is set through env, after sudo.
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q)
"${apt[@]}" update
"${apt[@]}" install -y --no-install-recommends "${missing[@]}"
