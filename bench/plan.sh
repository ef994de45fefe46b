#!/usr/bin/env bash
# zentrix-cli plan at size, and beside ipcalc, in one go: 10,000 requests of
# random sizes into a /8 (target: under 50 ms) and 100,000 (under 1 s), then
# 200 requests into a /16 by zentrix-cli and by `ipcalc NETWORK -s SIZES...`
# on the same sizes, with the ratio of the two. ipcalc is a speed baseline
# only: it sizes some requests differently.
#   bench/plan.sh [runs]      (default 5 of each of ours; ipcalc runs once)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-5}
build="$root/build-bench"

source "$root/tools/common.sh"
install_missing_packages
# Only this benchmark needs ipcalc, so it stays out of packages.txt.
install_extra_packages ipcalc
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target zentrix-cli -j "$(nproc)" >/dev/null
cli="$build/cli/zentrix-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Request lines "netN HOSTS" with host counts from 1 to MAX; seeded, so every
# run plans the same requests.
requests() { # count max seed
    awk -v n="$1" -v max="$2" -v seed="$3" \
        'BEGIN { srand(seed); for (i = 1; i <= n; i++) printf "net%d %d\n", i, 1 + int(rand() * max) }'
}
requests 10000 1000 1 >"$work/10k.txt"
requests 100000 120 2 >"$work/100k.txt"
requests 200 250 3 >"$work/200.txt"
read -r -a sizes <<<"$(awk '{ printf "%s ", $2 }' "$work/200.txt")"

# Microseconds of one command line, its output into a pipe; the shell's own
# clock, so no helper process is timed with it. Exit status 1 (some requests
# did not fit) is a plan like any other here.
elapsed() {
    local start end status
    start=${EPOCHREALTIME/./}
    "$@" | cat >/dev/null
    status=${PIPESTATUS[0]}
    end=${EPOCHREALTIME/./}
    [ "$status" -le 1 ] || { echo "failed ($status): ${*:0:4} ..." >&2; exit 1; }
    echo $((end - start))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

declare -A times
for ((i = 0; i < runs; i++)); do
    times[z10k]+="$(elapsed "$cli" plan 10.0.0.0/8 --file "$work/10k.txt") "
    times[z100k]+="$(elapsed "$cli" plan 10.0.0.0/8 --file "$work/100k.txt") "
    times[z200]+="$(elapsed "$cli" plan 10.0.0.0/16 --file "$work/200.txt") "
done
declare -A med
for key in "${!times[@]}"; do
    med[$key]=$(tr ' ' '\n' <<<"${times[$key]}" | grep . | median)
done
ipcalc_time=$(elapsed ipcalc 10.0.0.0/16 -s "${sizes[@]}")

placed() { "$cli" plan "$@" --csv | tail -n +2 | wc -l; }
p10k=$(placed 10.0.0.0/8 --file "$work/10k.txt" || true)
p100k=$(placed 10.0.0.0/8 --file "$work/100k.txt" || true)

awk -v z10k="${med[z10k]}" -v z100k="${med[z100k]}" -v z200="${med[z200]}" \
    -v ip="$ipcalc_time" -v runs="$runs" -v p10k="$p10k" -v p100k="$p100k" 'BEGIN {
    verdict = "met"
    if (z10k > 50000 || z100k > 1000000) verdict = "MISSED"
    printf "runs of each:                      %d of zentrix-cli (medians), 1 of ipcalc\n", runs
    printf "10,000 requests into 10.0.0.0/8:   %.1f ms, %d placed (target < 50 ms)\n", z10k/1000, p10k
    printf "100,000 requests into 10.0.0.0/8:  %.1f ms, %d placed (target < 1000 ms)\n", z100k/1000, p100k
    printf "200 requests into 10.0.0.0/16:     zentrix-cli %.2f ms, ipcalc %.1f ms, ratio %.5f (%.0f times faster)\n", z200/1000, ip/1000, z200/ip, ip/z200
    printf "targets:                           %s\n", verdict
}'
