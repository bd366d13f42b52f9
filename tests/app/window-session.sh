#!/usr/bin/env bash
# Starts the real program under Xvfb with openbox, plays a FLAC file, drives it from the
# keyboard, closes it, and checks that the placement was stored and is restored next time.
set -euo pipefail
program=$1
work=$(mktemp -d)
display=":$((100 + RANDOM % 800))"
fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/program.log" ] && grep -v "handleProc\|timerProc" "$work/program.log" | tail -n 20 >&2
    xwininfo -root -tree 2>/dev/null | grep -i sonexa >&2 || true
    exit 1
}
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5

mkdir -p "$work/album"
sox -n -r 44100 -c 2 "$work/album/01 first.flac" synth 20 sine 440 vol 0.1
sox -n -r 44100 -c 2 "$work/album/02 second.flac" synth 20 sine 550 vol 0.1

# wait_title <title>: prints the window id once a window has exactly that title.
wait_title() {
    local id
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] &&
            { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

cd "$work/album"
"$program" "01 first.flac" >"$work/program.log" 2>&1 &   # relative, as a shell passes it
app=$!
win=$(wait_title "Sonexa - 01 first.flac") || fail "the title never showed the file"
xdotool windowactivate --sync "$win" 2>/dev/null || true
for key in space space Right Up m m f Escape; do
    xdotool key --window "$win" "$key"
    sleep 0.3
done
xdotool windowmove --sync "$win" 200 150
xdotool windowsize --sync "$win" 700 500
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
first_geometry="$X $Y $WIDTH $HEIGHT"
xdotool key --window "$win" Next
wait_title "Sonexa - 02 second.flac" >/dev/null || fail "Page Down did not play the next file"

# A second copy started with a file hands it to this one and ends at once.
sox -n -r 44100 -c 2 "$work/handed.flac" synth 20 sine 660 vol 0.1
start=$(date +%s%3N)
"$program" "$work/handed.flac" >>"$work/program.log" 2>&1 || fail "the second copy failed"
elapsed=$(($(date +%s%3N) - start))
[ "$elapsed" -lt 3000 ] || fail "the hand-off took $elapsed ms"
wait_title "Sonexa - handed.flac" >/dev/null || fail "the handed file did not play"

xdotool windowactivate --sync "$win" 2>/dev/null || true
xdotool key alt+F4
wait "$app" && status=0 || status=$?
app=
[ "$status" -eq 0 ] || fail "exit code $status after Alt+F4"
settings="$XDG_CONFIG_HOME/Brightfold/Sonexa.ini"
[ -f "$settings" ] && grep -q MAIN_WP "$settings" || fail "no stored placement in $settings"
sleep 1

"$program" >>"$work/program.log" 2>&1 &
app=$!
win=$(wait_title "Sonexa") || fail "the second start showed no window"
sleep 0.5
kill -0 "$app" 2>/dev/null || { wait "$app"; fail "the second start ended early with $?"; }
unset X Y WIDTH HEIGHT
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$X $Y $WIDTH $HEIGHT" = "$first_geometry" ] ||
    fail "placement not restored: $X $Y $WIDTH $HEIGHT, expected $first_geometry"
kill -TERM "$app"
wait "$app" && status=0 || status=$?
app=
[ "$status" -eq 0 ] || fail "exit code $status after SIGTERM"

# close_with_panel <answer or "none">: starts a copy, closes it with Alt+F4 and prints whether
# it is still running afterwards. "none" runs a copy that has no advertisement library.
close_with_panel() {
    local copy=$program
    if [ "$1" = none ]; then
        mkdir -p "$work/bare" && cp "$program" "$work/bare/" && copy="$work/bare/$(basename "$program")"
    fi
    SONEXA_ADS_RESULT=$1 SONEXA_ADS_LOG="$work/ads.log" "$copy" "$work/handed.flac" \
        >>"$work/program.log" 2>&1 &
    app=$!
    win=$(wait_title "Sonexa - handed.flac") || fail "no window for the panel's answer $1"
    xdotool windowactivate --sync "$win" 2>/dev/null || true
    xdotool key alt+F4
    sleep 1.5
    if kill -0 "$app" 2>/dev/null; then
        echo running
        kill -KILL "$app"
    else
        wait "$app" || fail "exit code $? with the panel's answer $1"
        echo ended
    fi
    wait "$app" 2>/dev/null || true
    app=
}
[ "$(close_with_panel 2)" = running ] || fail "the panel's answer 2 did not keep the program open"
[ "$(close_with_panel 0)" = ended ] || fail "the panel's answer 0 did not let the program close"
[ "$(close_with_panel none)" = ended ] || fail "without the library the program did not close"
[ "$(grep -c '^Sonexa https://ads.brightfold.example/ads/sonexa/ads.php$' "$work/ads.log")" = 2 ] ||
    fail "the panel was not called once per close with the product name and the address"

echo "PASS: played, took keys, handed over, closed with 0, restored $first_geometry, panel obeyed"
