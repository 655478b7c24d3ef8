#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compiles the four songs, assets/music/musicN.abc, into assets/music/MusicN.mid
# with abc2midi (Debian package abcmidi). Fails if abc2midi reports anything
# beyond its banner (a bar of the wrong length, voices out of step, a bad
# note), or if a compiled song's length differs from the "% length-ms:" line
# that its source states, which the game's tests rely on.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
music="$here/../../assets/music"

# The game's own MIDI reader tells the lengths.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"${CXX:-c++}" -std=c++20 -O1 -I "$here/../../src" "$here/midi_length_main.cpp" "$here/../../src/sound/midi_length.cpp" \
  -o "$work/midi-length"

for n in 1 2 3 4; do
  src="$music/music$n.abc"
  out="$music/Music$n.mid"
  log=$(abc2midi "$src" -o "$out" 2>&1)
  extra=$(grep -v -e '^[0-9.]* .* abc2midi$' -e '^writing MIDI file' <<<"$log" || true)
  if [ -n "$extra" ]; then
    echo "$src:" >&2
    echo "$extra" >&2
    exit 1
  fi
  said=$(sed -n 's/^% length-ms: \([0-9]*\)$/\1/p' "$src")
  got=$("$work/midi-length" "$out")
  if [ "$said" != "$got" ]; then
    echo "$src says length-ms $said, but Music$n.mid lasts $got ms" >&2
    exit 1
  fi
  echo "Music$n.mid: $got ms"
done
