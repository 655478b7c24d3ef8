#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures the build folder DIR (default build/) for the game alone: optimised, without
# the tests, benchmarks and headless driver, so that it needs only the packages of
# `scripts/setup.sh play`. Used by play.sh, package.sh and the package's test.
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)

cmake -S "$source" -B "${1:-build}" -DCMAKE_BUILD_TYPE=Release \
  -DQUORVANE_TESTS=OFF -DQUORVANE_BENCH=OFF -DQUORVANE_SIM=OFF
