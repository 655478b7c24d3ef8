#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A long fuzzing run that keeps its corpus between runs; stops at the first crash and
# leaves the input that caused it in OUT_DIR (crash-*).
# Usage: fuzz/run-long.sh [OUT_DIR] [SECONDS]    (default build-fuzz, 3600 s)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$(dirname "$here")/build-fuzz}"
seconds="${2:-3600}"
"$here/build.sh" "$out"
mkdir -p "$out/corpus"
seeds=()
[ -d "$here/../assets/music" ] && seeds+=("$here/../assets/music")
"$out/midi_length_fuzz" -max_total_time="$seconds" -max_len=131072 -dict="$here/midi.dict" \
  -artifact_prefix="$out/" "$out/corpus" "${seeds[@]}"
