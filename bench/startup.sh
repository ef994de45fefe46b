#!/usr/bin/env bash
# Start-up time and peak memory of zentrix beside a bare Qt window of the
# same size, in the same run, under a virtual display.
#   bench/startup.sh [runs]      (default 15 runs of each)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-15}
build="$root/build-bench"

if [ -z "${ZENTRIX_BENCH_INNER:-}" ]; then
    source "$root/tools/common.sh"
    install_missing_packages
    # GNU time reports the peak resident memory of each run.
    [ -x /usr/bin/time ] || { apt-get update -qq && apt-get install -y -qq time; }
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" --target startup_bench -j "$(nproc)" >/dev/null
    export ZENTRIX_BENCH_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$runs"
fi

# Settings of the measured runs stay out of the user's home.
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

# One run: milliseconds from process start to first frame, and peak RSS in KiB.
measure() {
    local start painted rss out
    out=$(mktemp)
    start=$(date +%s%N)
    painted=$(/usr/bin/time -f '%M' -o "$out" "$@")
    rss=$(tail -n 1 "$out")
    rm -f "$out"
    echo "$(( (painted - start) / 1000 )) $rss"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

zentrix_times=(); zentrix_rss=(); bare_times=(); bare_rss=(); text_times=(); text_rss=()
# A warm-up of each, so that both start from a warm file cache.
measure "$build/bench/bare_window" >/dev/null
measure "$build/bench/zentrix_startup" >/dev/null
for ((i = 0; i < runs; i++)); do
    # Interleaved, so that a slow moment of the machine hits both alike.
    read -r t m < <(measure "$build/bench/bare_window"); bare_times+=("$t"); bare_rss+=("$m")
    read -r t m < <(measure "$build/bench/zentrix_startup"); zentrix_times+=("$t"); zentrix_rss+=("$m")
    read -r t m < <(measure "$build/bench/bare_window" --with-text); text_times+=("$t"); text_rss+=("$m")
done

zt=$(printf '%s\n' "${zentrix_times[@]}" | median)
bt=$(printf '%s\n' "${bare_times[@]}" | median)
zm=$(printf '%s\n' "${zentrix_rss[@]}" | median)
bm=$(printf '%s\n' "${bare_rss[@]}" | median)
tt=$(printf '%s\n' "${text_times[@]}" | median)
tm=$(printf '%s\n' "${text_rss[@]}" | median)
awk -v zt="$zt" -v bt="$bt" -v zm="$zm" -v bm="$bm" -v tt="$tt" -v tm="$tm" -v runs="$runs" 'BEGIN {
    printf "runs of each:            %d\n", runs
    printf "start-up to first frame: zentrix %.1f ms, bare window %.1f ms, ratio %.2f (target <= 1.30)\n", zt/1000, bt/1000, zt/bt
    printf "peak resident memory:    zentrix %.1f MiB, bare window %.1f MiB, ratio %.2f (target <= 1.30)\n", zm/1024, bm/1024, zm/bm
    printf "for reference, the bare window with one line of text (the font database loaded):\n"
    printf "                         %.1f ms (zentrix %.2f times that), %.1f MiB (zentrix %.2f times that)\n", tt/1000, zt/tt, tm/1024, zm/tm
}'
