#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 machine, builds Quorvane and runs every test: once in the
# optimised build that play.sh also uses (there the tests make and check the Debian
# package too) and once under the address, undefined-behaviour and leak sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/setup.sh test

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORVANE_TESTS=ON -DQUORVANE_BENCH=ON -DQUORVANE_SIM=ON \
  -DQUORVANE_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_SANITIZE=ON -DQUORVANE_BENCH=OFF -DQUORVANE_WERROR=ON
cmake --build build-asan -j"$jobs"
# Leaks are checked too, but for what the system libraries keep to the end (leaks.supp).
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$PWD/tests/leaks.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"
