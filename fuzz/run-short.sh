#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A short fuzzing run with a fixed number of inputs, for the test suite.
# Usage: fuzz/run-short.sh OUT_DIR [RUNS]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:?usage: $0 OUT_DIR [RUNS]}"
runs="${2:-20000}"
"$here/build.sh" "$out"
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
seeds=()
[ -d "$here/../assets/music" ] && seeds+=("$here/../assets/music")
"$out/midi_length_fuzz" -runs="$runs" -seed=1 -max_len=4096 -dict="$here/midi.dict" \
  -artifact_prefix="$out/" -print_final_stats=1 "$corpus" "${seeds[@]}"
