#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 machine and makes the Debian package of the game:
# build/quorvane_VERSION_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh package
scripts/configure-game.sh build
cmake --build build -j"$(nproc)" --target quorvane
cpack --config build/CPackConfig.cmake -B build
