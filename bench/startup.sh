#!/usr/bin/env bash
# Start-up of zentrix beside a bare Qt main window of the same size with the
# same four menu titles, in the same run, under a virtual display and a
# session bus: the time from exec until the window is mapped (map_timer waits
# for the X server's map notice, so nothing polls meanwhile) and the peak
# resident memory until then, interleaved, the second-fastest (and
# second-smallest) of each; and the first switch to each other calculator,
# from its shortcut to the end of its first paint (median).
#   bench/startup.sh [runs]      (default 15 of each)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-15}
build="$root/build-bench"

if [ -z "${ZENTRIX_BENCH_INNER:-}" ]; then
    source "$root/tools/common.sh"
    install_missing_packages
    # Only this benchmark needs these: the X client library map_timer talks
    # to the display with, and a session bus.
    install_extra_packages libxcb1-dev pkg-config dbus-daemon
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" --target startup_bench -j "$(nproc)" >/dev/null
    export ZENTRIX_BENCH_INNER=1
    # -noreset: the server would reset each time its last client (a timed
    # program and the timer) leaves, and a timer that connects meanwhile finds
    # no display; on a busy machine that happens every few runs.
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" dbus-run-session -- "$0" "$runs"
fi

# Settings of the measured runs stay out of the user's home: every run is a
# first run.
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

# The second value of a column sorted ascending: the fastest but one, which
# one lucky run cannot make.
second() { sort -n | sed -n 2p; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

timer="$build/bench/map_timer"
zentrix="$build/app/zentrix"
bare="$build/bench/bare_window"
# A warm-up of each, so that both start from a warm file cache.
"$timer" "$bare" >/dev/null
"$timer" "$zentrix" >/dev/null
zentrix_runs=$(mktemp); bare_runs=$(mktemp); switch_runs=$(mktemp)
for ((i = 0; i < runs; i++)); do
    # Interleaved, so that a slow moment of the machine hits both alike.
    "$timer" "$bare" >>"$bare_runs"
    "$timer" "$zentrix" >>"$zentrix_runs"
    "$build/bench/zentrix_switch" >>"$switch_runs"
    rm -rf "${XDG_CONFIG_HOME:?}"/*
done

zt=$(cut -d' ' -f1 "$zentrix_runs" | second)
bt=$(cut -d' ' -f1 "$bare_runs" | second)
zm=$(cut -d' ' -f2 "$zentrix_runs" | second)
bm=$(cut -d' ' -f2 "$bare_runs" | second)
radix=$(awk '$1 == "RadixorCalcPanel" {print $2}' "$switch_runs" | median)
latency=$(awk '$1 == "LatencyCalcPanel" {print $2}' "$switch_runs" | median)
rm -f "$zentrix_runs" "$bare_runs" "$switch_runs"
awk -v zt="$zt" -v bt="$bt" -v zm="$zm" -v bm="$bm" -v radix="$radix" -v latency="$latency" \
    -v runs="$runs" 'BEGIN {
    printf "runs of each:               %d\n", runs
    printf "exec to window mapped:      zentrix %.1f ms, bare window %.1f ms, ratio %.2f (target <= 1.20)\n", zt, bt, zt/bt
    printf "peak resident memory:       zentrix %.1f MiB, bare window %.1f MiB, ratio %.2f (target <= 1.20)\n", zm/1024, bm/1024, zm/bm
    printf "first switch, key to paint: number-base %.1f ms, latency %.1f ms (target < 16)\n", radix, latency
}'
