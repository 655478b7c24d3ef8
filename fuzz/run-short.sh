#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A short fuzzing run with a fixed number of inputs, for the test suite.
# Usage: fuzz/run-short.sh OUT_DIR [RUNS] [FUZZER]    (FUZZER: midi_length, table_file)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:?usage: $0 OUT_DIR [RUNS] [FUZZER]}"
runs="${2:-20000}"
target="${3:-midi_length}"
source "$here/targets.sh"
# Both test runs may build at once; each gets its own folder.
"$here/build.sh" "$out/$target" "$target"
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
"$out/$target/${target}_fuzz" -runs="$runs" -seed=1 -max_len="$max_len" -dict="$dict" \
  -artifact_prefix="$out/$target/" -print_final_stats=1 "$corpus" "${seeds[@]}"
