#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up as the player hears it: starts quorvane-startup under Xvfb RUNS times with
# SDL's disk driver (the mixer runs as with a sound card) and prints its line for each.
#
#   bench/window/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail

build=$(readlink -f "${1:-build}")
runs=${2:-5}
[ -x "$build/bin/quorvane-startup" ] || { echo "build the quorvane-startup target in $build first" >&2; exit 1; }
if [ -z "${QUORVANE_BENCH_INNER:-}" ]; then
  exec env QUORVANE_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$0" "$build" "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null XDG_CONFIG_HOME=$work/config
unset QT_QPA_PLATFORM
for _ in $(seq "$runs"); do
  "$build/bin/quorvane-startup" > "$work/said" 2>/dev/null & pid=$!
  for _ in $(seq 200); do [ -s "$work/said" ] && break; sleep 0.05; done
  window=$(xdotool search --onlyvisible --pid "$pid" --name '^Quorvane$' | head -1)
  xdotool windowfocus --sync "$window" key Escape
  wait "$pid"
  cat "$work/said"
done
