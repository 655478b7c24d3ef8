#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The table's fault campaign at full length: saves killed at random moments (1,000 by
# default; the tests run 200) and pairs of games saving at once (50), through
# quorvane-sim over the real store, and the timing of a save.
# Usage: bench/store/run.sh [BUILD_DIR] [KILLS] [PAIRS]
set -euo pipefail
build="${1:-build}"
kills="${2:-1000}"
pairs="${3:-50}"
QUORVANE_KILL_ROUNDS="$kills" QUORVANE_CONCURRENT_ROUNDS="$pairs" \
  "$build/bin/store_fault_tests" --gtest_filter='StoreFaults.AKilled*:StoreFaults.TwoGames*'
"$build/bin/bench_save"
