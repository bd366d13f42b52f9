#!/usr/bin/env bash
# Start-up and playback figures of the real program under Xvfb:
#   time from exec to the window being mapped and to the Playing event (median of N second
#   starts, after one warm-up start of a fresh profile), resident memory after 13 s of
#   playback, and the CPU time the program uses over 30 s of playback.
# Usage: bench/window-start.sh [build/sonexa] [runs]   (needs Xvfb, xdotool, sox)
set -euo pipefail
program=$(realpath "${1:-build/sonexa}")
runs=${2:-10}
work=$(mktemp -d)
trap 'kill ${xvfb:-} 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
display=":$((100 + RANDOM % 800))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display QT_QPA_PLATFORM=xcb
sleep 1
sox -n -r 44100 -c 2 "$work/tone.flac" synth 60 sine 440 vol 0.1

now_ms() { date +%s%3N; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# start_once: prints "<ms to window> <ms to Playing>" and leaves the program running as $app.
start_once() {
    local t0 log=$work/run.log
    t0=$(now_ms)
    QT_LOGGING_RULES="sonexa.debug=true" "$program" "$work/tone.flac" >"$log" 2>&1 &
    app=$!
    # Polled by hand: xdotool's own --sync waits in half-second steps.
    until xdotool search --onlyvisible --name '^(Media Player|Sonexa.*)$' >/dev/null 2>&1; do
        sleep 0.005
    done
    local shown=$(($(now_ms) - t0))
    until grep -q "libvlc_MediaPlayerPlaying" "$log"; do sleep 0.002; done
    echo "$shown $(($(now_ms) - t0))"
}

stop_app() { kill -TERM "$app"; wait "$app" || true; }

start_once >/dev/null && stop_app # warm-up: a fresh profile
: >"$work/times"
for _ in $(seq "$runs"); do
    start_once >>"$work/times"
    stop_app
done
printf 'exec to window: median %s ms (%s runs)\n' "$(cut -d' ' -f1 "$work/times" | median)" "$runs"
printf 'exec to Playing: median %s ms (%s runs)\n' "$(cut -d' ' -f2 "$work/times" | median)" "$runs"

start_once >/dev/null
sleep 13
printf 'resident after 13 s of playback: %s MiB\n' \
    "$(awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$app/status")"
ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
before=$(ticks)
sleep 30
after=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" \
    'BEGIN {printf "CPU over 30 s of playback: %.2f%% of one core\n", 100 * t / hz / 30}'
stop_app
