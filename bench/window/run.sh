#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the real program under Xvfb (1920x1080, so zoom 2) while it is played with
# keys held: launch to window shown, processor use and resident memory over 30 s of
# play, and the spacing of the game steps (through quorvane-pacing, the same program
# with a step recorder). Then processor use again with a gamepad attached (through
# quorvane-pad, the same program with a virtual pad): idle while the keys play, and
# playing alone. Prints a Markdown table for docs/performance.md.
#
#   bench/window/run.sh [BUILD_DIR] [SECONDS]
set -euo pipefail

build=$(readlink -f "${1:-build}")
seconds=${2:-30}
bin=$build/bin
[ -x "$bin/quorvane" ] && [ -x "$bin/quorvane-pacing" ] && [ -x "$bin/quorvane-pad" ] || {
  echo "build the quorvane, quorvane-pacing and quorvane-pad targets in $build first" >&2
  exit 1
}

if [ -z "${QUORVANE_BENCH_INNER:-}" ]; then
  exec env QUORVANE_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$0" "$build" "$seconds"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$work/config
unset QT_QPA_PLATFORM

now_ms() { date +%s%3N; }

# Starts a program and waits for its window; sets pid, window and shown_ms.
start() {
  local t0
  t0=$(now_ms)
  "$@" & pid=$!
  window=
  while [ -z "$window" ]; do
    window=$(xdotool search --onlyvisible --pid "$pid" --name '^Quorvane$' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" && status=0 || status=$?
      echo "$1 ended with status $status before its window was shown" >&2
      exit 1
    fi
    sleep 0.005
  done
  shown_ms=$(( $(now_ms) - t0 ))
  xdotool windowfocus --sync "$window"
}

stop() {
  xdotool windowfocus --sync "$window" key Escape
  wait "$pid"
}

# Processor time of a process in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# The same for each thread, as "name ticks" lines, summed by thread name.
thread_ticks() {
  for t in /proc/"$1"/task/*; do
    printf '%s %s\n' "$(tr ' ' _ < "$t/comm")" "$(awk '{ print $14 + $15 }' "$t/stat")"
  done | awk '{ sum[$1] += $2 } END { for (n in sum) print n, sum[n] }' | sort
}

# Plays for $1 seconds: the player runs left and right with Space held.
play() {
  local end=$(( $(date +%s) + $1 )) key=Right
  xdotool keydown space
  while [ "$(date +%s)" -lt "$end" ]; do
    xdotool keydown $key
    sleep 1.5
    xdotool keyup $key
    if [ $key = Right ]; then key=Left; else key=Right; fi
  done
  xdotool keyup space
}

launches=()
for _ in 1 2 3 4 5; do
  start "$bin/quorvane"
  launches+=("$shown_ms")
  stop
done
launch_sorted=$(printf '%s\n' "${launches[@]}" | sort -n | tr '\n' ' ')

# Plays with PLAY (a function) for $seconds s in the program started by the rest of the
# arguments; sets cpu (percent of one core), threads (the same by thread), hwm and rss.
measure() {
  local play=$1 c0 c1 t0 t1 hz
  shift
  start "$@"
  sleep 1
  c0=$(cpu_ticks "$pid"); thread_ticks "$pid" > "$work/threads0"; t0=$(now_ms)
  "$play" "$seconds"
  c1=$(cpu_ticks "$pid"); thread_ticks "$pid" > "$work/threads1"; t1=$(now_ms)
  hwm=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")
  rss=$(awk '/VmRSS/ { print $2 }' "/proc/$pid/status")
  stop
  hz=$(getconf CLK_TCK)
  threads=$(join "$work/threads0" "$work/threads1" | awk -v hz="$hz" -v ms=$(( t1 - t0 )) \
    '$3 > $2 { printf "%s%s %.2f%%", sep, $1, 100 * ($3 - $2) / hz / (ms / 1000); sep = ", " }')
  cpu=$(awk -v c=$(( c1 - c0 )) -v hz="$hz" -v ms=$(( t1 - t0 )) 'BEGIN { printf "%.2f", 100 * c / hz / (ms / 1000) }')
}

# The pad plays by itself; the keyboard is left alone.
let_the_pad_play() { sleep "$1"; }

measure play "$bin/quorvane"
keys_cpu=$cpu keys_threads=$threads memory="$(( hwm / 1024 )) / $(( rss / 1024 ))"
measure play "$bin/quorvane-pad" idle
idle_cpu=$cpu idle_threads=$threads
measure let_the_pad_play "$bin/quorvane-pad" play
pad_cpu=$cpu pad_threads=$threads

start "$bin/quorvane-pacing" "$work/steps"
sleep 1
play "$seconds"
stop
read -r median p99 lowest highest count < <(python3 - "$work/steps" <<'PY'
import sys
ticks = [int(line) for line in open(sys.argv[1])]
gaps = sorted((b - a) % 2**32 for a, b in zip(ticks, ticks[1:]))
pick = lambda q: gaps[min(len(gaps) - 1, int(q * len(gaps)))]
print(pick(0.5), pick(0.99), gaps[0], gaps[-1], len(gaps))
PY
)

cat <<TABLE
| measure | target | measured |
|---|---|---|
| processor use while playing (${seconds} s, keys held) | at most 2% of one core | ${keys_cpu}% |
| the same by thread | | ${keys_threads} |
| the same with a pad attached, idle | as without | ${idle_cpu}% (${idle_threads}) |
| played with the pad alone (south held, stick right and left) | as with keys | ${pad_cpu}% (${pad_threads}) |
| step spacing, median | 50 ms | ${median} ms |
| step spacing, 99th percentile | at most 53 ms | ${p99} ms |
| step spacing, shortest / longest | none under 50 ms | ${lowest} / ${highest} ms (${count} steps) |
| launch to window shown (5 runs, sorted) | at most 400 ms | ${launch_sorted% } ms |
| resident memory, peak / at the end | at most 120 MB | ${memory} MB |
TABLE
