#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the two sound effects with sox, from nothing but its signal generators:
#   assets/sounds/explode.wav  a monster destroyed: a noisy burst over a falling boom
#   assets/sounds/bang.wav     a thrown keyboard hits the player: a short plastic clack
#                              on a dull thud
# Both are 16-bit PCM, mono, 22050 Hz, under half a second, peaking at -1 dBFS: the game
# sets their level in the mix. Each ends where it falls below -60 dBFS, with a short
# fade, so that no silence is left to play. -R seeds the noise and the dither with a
# fixed number, so every run writes the same bytes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../assets/sounds"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fmt=(-R -r 22050 -c 1 -b 16)
# Writes $2 from $1 less its silent tail: everything after the last 10 ms above
# -60 dBFS goes, and the end fades out over 20 ms.
trim_tail() {
  sox "${fmt[@]}" "$1" "$tmp/trimmed.wav" reverse silence 1 0.01 -60d reverse
  sox "${fmt[@]}" "$tmp/trimmed.wav" "$2" fade 0 -0 0.02
}

# explode: brown noise for the roar, white noise for the first crack, and a sine
# falling from 110 to 35 Hz for the weight; each dies away on a log curve.
sox "${fmt[@]}" -n "$tmp/roar.wav" synth 0.8 brownnoise lowpass 1800 fade l 0.01 0.8 0.7 gain -1
sox "${fmt[@]}" -n "$tmp/crack.wav" synth 0.8 whitenoise gain -6 highpass 800 fade l 0 0.8 0.76 gain -3
sox "${fmt[@]}" -n "$tmp/boom.wav" synth 0.8 sine 110-35 fade l 0.005 0.8 0.7 gain -2
sox "${fmt[@]}" -m "$tmp/roar.wav" "$tmp/crack.wav" "$tmp/boom.wav" "$tmp/mix.wav"
sox "${fmt[@]}" "$tmp/mix.wav" "$tmp/explode.wav" overdrive 8 gain -n -1
trim_tail "$tmp/explode.wav" "$out/explode.wav"

# bang: a 30 ms burst of band-passed noise for the clack of plastic keys, a
# short high partial for its ring, and a quick 220-to-70 Hz thud.
sox "${fmt[@]}" -n "$tmp/clack.wav" synth 0.03 whitenoise gain -6 sinc 1200-4500 fade t 0 0.03 0.025 pad 0 0.19
sox "${fmt[@]}" -n "$tmp/ring.wav" synth 0.06 sine 2400 fade l 0 0.06 0.058 pad 0 0.16
sox "${fmt[@]}" -n "$tmp/thud.wav" synth 0.22 sine 220-70 fade l 0.002 0.22 0.2 gain -1
# A fast compressor tames the clack's first spike, so that the thud is heard as loud.
sox "${fmt[@]}" -m "$tmp/clack.wav" "$tmp/ring.wav" "$tmp/thud.wav" "$tmp/bang.wav" \
  compand 0.0002,0.04 6:-60,-60,-30,-14,0,-6 0 -90 0.001 gain -n -1 trim 0 0.22
trim_tail "$tmp/bang.wav" "$out/bang.wav"

for f in explode bang; do
  printf '%s.wav: ' "$f"
  sox "$out/$f.wav" -n stat 2>&1 | awk '/^Length/ {printf "%s s, ", $3} /^RMS +amplitude/ {printf "RMS %s\n", $3}'
done
