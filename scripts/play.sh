#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 desktop, builds Quorvane (optimised, without the tests) and
# starts it. Arguments are passed on to the game.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh play
scripts/configure-game.sh build
cmake --build build -j"$(nproc)" --target quorvane
exec build/bin/quorvane "$@"
