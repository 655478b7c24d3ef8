#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzzers with clang and libFuzzer into the given folder: midi_length_fuzz
# (the MIDI length reader) and table_file_fuzz (the table file's reader and writer).
# Usage: fuzz/build.sh OUT_DIR [FUZZER...]    (default both; CXX_FUZZ picks the compiler,
# default clang++)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
src="$(dirname "$here")/src"
out="${1:?usage: $0 OUT_DIR [FUZZER...]}"
shift
targets=("${@:-midi_length table_file}")
targets=(${targets[*]})
mkdir -p "$out"
build() {
  "${CXX_FUZZ:-clang++}" -std=c++20 -O1 -g \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror \
    -I "$src" "$@"
}
for target in "${targets[@]}"; do
  case "$target" in
    midi_length) build "$here/midi_length_fuzz.cpp" "$src/sound/midi_length.cpp" -o "$out/midi_length_fuzz" ;;
    table_file) build "$here/table_file_fuzz.cpp" "$src/scores/ini_file.cpp" -o "$out/table_file_fuzz" ;;
    *) echo "unknown fuzzer: $target" >&2; exit 2 ;;
  esac
done
