#!/usr/bin/env bash
# Plays the demo under Xvfb as a player would and measures still frames, the logo's
# hold between its fade-in and fade-out, the title after the opening movie and the
# prologue's first line waiting for a click, the new game chosen by a click: the
# game's CPU share over each (all threads) and its minor page faults, its peak memory
# by then (VmHWM), and the time from the start of the process to its window's first
# picture; then, for comparison, the CPU share of the same window with no game behind
# it (bench/idle_window). Never run by the tests.
#
# usage: bench/still-frame.sh [BUILD_DIR [DEMO_DIR]]
#   BUILD_DIR  the build to measure (default build/release, as ./play builds it)
#   DEMO_DIR   a folder whose dat/ holds the demo (default run/, else made by mkdemo)
set -euo pipefail

# The hold lasts 2 s; a stretch measured starts once two grabs of the part of the game
# area it watches, a little apart, are equal, not black and not the last stretch's
# picture, and must end with the same. The title watches the whole area; the 20-second
# opening movie before it changes with every picture.
readonly kMeasureMs=800 kGrabGapMs=50 kTitleWaitMs=25000
# The prologue's first line is typed out well within this, and then waits.
readonly kLineWaitMs=5000
kGiveUpMs=8000

if [[ ${1:-} != --inside ]]; then
    root=$(cd "$(dirname "$0")/.." && pwd)
    build=$(cd "${1:-$root/build/release}" && pwd)
    demo=${2:-$root/run}
    source "$root/bench/demo-work.sh"
    demo_work "$build" "$demo"
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$build/bin/zkgame" "$work" \
        "$build/bench/idle_window"
    exit
fi

game=$2
idle=$4
cd "$3"
now_ms() { echo $(($(date +%s%N) / 1000000)); }
pause_ms() { sleep "$(awk -v ms="$1" 'BEGIN { print ms / 1000 }')"; }
# Nanoseconds on a CPU, summed over the process's threads.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%.0f\n", sum }'; }
# Minor page faults of the whole process: field 10 of its stat, 8 after the command.
faults() { sed 's/.*) //' /proc/"$1"/stat | awk '{ print $8 }'; }
window_of() { xwininfo -root -children | awk '/ 800x620\+/ { print $1; exit }'; }
# A part of the game area (LEFT TOP WIDTH HEIGHT) as it is on the screen: its
# checksum and whether any pixel is lit.
grab() {
    ffmpeg -loglevel error -nostdin -probesize 32 -analyzeduration 0 -f x11grab -framerate 1000 \
        -draw_mouse 0 -video_size "$3x$4" -i "$DISPLAY+$((origin_x + $1)),$((origin_y + $2))" \
        -frames:v 1 -c:v copy \
        -f rawvideo -y shot.raw
    shot=$(cksum <shot.raw)
    lit=$(tr -d '\000' <shot.raw | wc -c)
}
fail() {
    echo "still-frame: $1" >&2
    exit 1
}

# Starts the program (the rest of the arguments) and waits for its window to show;
# sets pid and window.
launch() {
    local what=$1
    shift
    SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} "$@" 2>>game.log &
    pid=$!
    window=
    until [[ -n $window ]] && xwininfo -id "$window" | grep -q IsViewable; do
        kill -0 "$pid" 2>/dev/null || fail "the $what ended before its window showed"
        [[ -n $window ]] || window=$(window_of)
        sleep 0.002
    done
}

pid=
trap 'kill "$pid" 2>/dev/null || true' EXIT
start=$(now_ms)
launch game "$game"
first=$(now_ms)
# The game area's top-left corner on the screen, below the strip.
origin=$(xwininfo -id "$window" |
    awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y + 20 }')
read -r origin_x origin_y <<<"$origin"
# A left click at (x, y) of the game area, through the X server's test extension.
click() {
    python3 - "$((origin_x + $1))" "$((origin_y + $2))" <<'EOF'
import ctypes, sys, time
x11, xtst = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
display = ctypes.c_void_p(x11.XOpenDisplay(None))
if not display:
    sys.exit("still-frame: no X display to click on")
xtst.XTestFakeMotionEvent(display, -1, int(sys.argv[1]), int(sys.argv[2]), 0)
x11.XFlush(display)
time.sleep(0.1)
# The button is held over a few frames: the game samples it once a frame.
for down in (1, 0):
    xtst.XTestFakeButtonEvent(display, 1, down, 0)
    x11.XFlush(display)
    time.sleep(0.1)
x11.XCloseDisplay(display)
EOF
}

readonly kMiddle="300 225 200 150" kWhole="0 0 800 600"
# Each part's picture at the end of the last stretch.
declare -A stretchEnd=()
# Measures a still stretch of the part watched: once the picture is still, lit and not
# the last stretch's, the game's CPU share and page faults over kMeasureMs, then its
# peak memory so far.
measure() {
    local label=$1 part=$2 last=${stretchEnd[$2]:-}
    shot= held= lit=0
    until [[ $lit -gt 0 && $shot == "$held" && $shot != "$last" ]]; do
        (($(now_ms) - first < kGiveUpMs)) || fail "no still $label within $kGiveUpMs ms"
        held=$shot
        pause_ms $kGrabGapMs
        grab $part
    done
    local cpu_from faults_from from cpu_to faults_to to peak threads
    cpu_from=$(cpu_ns "$pid")
    faults_from=$(faults "$pid")
    from=$(date +%s%N)
    pause_ms $kMeasureMs
    cpu_to=$(cpu_ns "$pid")
    faults_to=$(faults "$pid")
    to=$(date +%s%N)
    peak=$(awk '/^VmHWM/ { print $2 }' /proc/"$pid"/status)
    threads=$(ls /proc/"$pid"/task | wc -l)
    grab $part
    [[ $shot == "$held" ]] || fail "the $label changed while it was measured"
    local watched
    for watched in "$kMiddle" "$kWhole"; do
        grab $watched
        stretchEnd[$watched]=$shot
    done
    awk -v cpu=$((cpu_to - cpu_from)) -v wall=$((to - from)) -v peak="$peak" -v label="$label" \
        -v threads="$threads" -v faults=$((faults_to - faults_from)) 'BEGIN {
        printf "%s: %.1f %% of a core over %.1f s (%d threads), %.0f minor page faults a second, peak memory %.1f MB (VmHWM)\n",
            label, 100 * cpu / wall, wall / 1e9, threads, faults * 1e9 / wall, peak / 1024
    }'
}

echo "first picture: $((first - start)) ms after start"
measure "logo's hold" "$kMiddle"
# The title comes after the opening movie, and stays until a click.
kGiveUpMs=$((kGiveUpMs + kTitleWaitMs))
measure "title" "$kWhole"
click 400 340
pause_ms $kLineWaitMs
# Once waited for, the line has a few seconds more to be still.
kGiveUpMs=$(($(now_ms) - first + 3000))
measure "adventure line" "$kMiddle"
kill "$pid"
wait "$pid" 2>/dev/null || true

# The same window with no game behind it: what this machine charges for waking 60
# times a second to look for events.
launch "idle window" "$idle" 3
pause_ms 500
cpu_from=$(cpu_ns "$pid")
from=$(date +%s%N)
pause_ms $kMeasureMs
cpu_to=$(cpu_ns "$pid")
to=$(date +%s%N)
awk -v cpu=$((cpu_to - cpu_from)) -v wall=$((to - from)) 'BEGIN {
    printf "idle window, no game: %.1f %% of a core over %.1f s\n", 100 * cpu / wall, wall / 1e9
}'
wait "$pid"
