#!/usr/bin/env bash
# Plays the demo's opening movie in real time under Xvfb, as a player would, and
# prints how late each run's pictures came against their due time on the movie's
# clock (the game writes a line per picture when ZK_MOVIE_TIMES names a file), the
# worst, and the process's peak memory over the whole run (VmHWM, movie included).
# Never run by the tests.
#
# usage: bench/movie-lateness.sh [RUNS [BUILD_DIR [DEMO_DIR]]]
#   RUNS       how many times the movie is played (default 10)
#   BUILD_DIR  the build to measure (default build/release, as ./play builds it)
#   DEMO_DIR   a folder whose dat/ holds the demo (default run/, else made by mkdemo)
set -euo pipefail

# The movie has ended once no picture came for this long after the first; a run
# that shows none within the give-up time fails.
readonly kQuietMs=1500 kGiveUpMs=20000 kLateMs=17

if [[ ${1:-} != --inside ]]; then
    root=$(cd "$(dirname "$0")/.." && pwd)
    runs=${1:-10}
    build=$(cd "${2:-$root/build/release}" && pwd)
    demo=${3:-$root/run}
    source "$root/bench/demo-work.sh"
    demo_work "$build" "$demo"
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$build/bin/zkgame" "$work" "$runs"
    exit
fi

game=$2
cd "$3"
runs=$4
now_ms() { echo $(($(date +%s%N) / 1000000)); }
fail() {
    echo "movie-lateness: $1" >&2
    exit 1
}

within=0
worst_all=0
for ((run = 1; run <= runs; ++run)); do
    rm -f times.txt
    start=$(now_ms)
    ZK_MOVIE_TIMES=$PWD/times.txt SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} "$game" 2>game.log &
    pid=$!
    lines=0 changed=$start peak=0
    while :; do
        kill -0 "$pid" 2>/dev/null || fail "the game ended during run $run"
        hwm=$(awk '/^VmHWM/ { print $2 }' /proc/"$pid"/status)
        ((hwm > peak)) && peak=$hwm
        now=$(now_ms)
        count=0
        [[ -f times.txt ]] && count=$(wc -l <times.txt)
        if ((count != lines)); then
            lines=$count changed=$now
        elif ((lines > 0 && now - changed >= kQuietMs)); then
            break
        fi
        ((lines > 0 || now - start < kGiveUpMs)) || fail "no movie picture within $kGiveUpMs ms"
        sleep 0.05
    done
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    read -r worst late < <(awk -v limit=$kLateMs '{
        ms = ($2 - $1) / 10000
        if (ms > worst) worst = ms
        if (ms > limit) late++
    } END { printf "%.1f %d\n", worst, late }' times.txt)
    printf "run %d: %d pictures, worst %.1f ms late, %d over %d ms; peak memory %.1f MB\n" \
        "$run" "$lines" "$worst" "$late" $kLateMs "$(awk -v kb="$peak" 'BEGIN { print kb / 1024 }')"
    ((late == 0)) && within=$((within + 1))
    worst_all=$(awk -v a="$worst_all" -v b="$worst" 'BEGIN { print (b > a ? b : a) }')
done
echo "runs with every picture within $kLateMs ms: $within of $runs; worst $worst_all ms"
