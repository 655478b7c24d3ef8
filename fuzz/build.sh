#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the MIDI length fuzzer with clang and libFuzzer into the given folder.
# Usage: fuzz/build.sh OUT_DIR    (CXX_FUZZ picks the compiler, default clang++)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
src="$(dirname "$here")/src"
out="${1:?usage: $0 OUT_DIR}"
mkdir -p "$out"
"${CXX_FUZZ:-clang++}" -std=c++20 -O1 -g \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror \
  -I "$src" "$here/midi_length_fuzz.cpp" "$src/audio/midi_length.cpp" \
  -o "$out/midi_length_fuzz"
