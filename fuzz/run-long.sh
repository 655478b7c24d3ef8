#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A long fuzzing run that keeps its corpus between runs; stops at the first crash and
# leaves the input that caused it in OUT_DIR (crash-*).
# Usage: fuzz/run-long.sh [OUT_DIR] [SECONDS] [FUZZER]    (default build-fuzz, 3600 s,
# midi_length; FUZZER: midi_length, table_file)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$(dirname "$here")/build-fuzz}"
seconds="${2:-3600}"
target="${3:-midi_length}"
source "$here/targets.sh"
"$here/build.sh" "$out" "$target"
mkdir -p "$out/corpus-$target"
"$out/${target}_fuzz" -max_total_time="$seconds" -max_len=131072 -dict="$dict" \
  -artifact_prefix="$out/" "$out/corpus-$target" "${seeds[@]}"
