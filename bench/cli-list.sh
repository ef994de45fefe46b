#!/usr/bin/env bash
# zentrix-cli beside sipcalc, in one go: listing the /28s and the /22s of
# 10.0.0.0/8 into a pipe, the peak memory of both listings (it must not grow
# with the count: the list is streamed), and the start-up of one radix call
# beside sipcalc's run on one address.
#   bench/cli-list.sh [runs]      (default 9 of each)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-9}
build="$root/build-bench"

source "$root/tools/common.sh"
install_missing_packages
# Only this benchmark needs these two, so they stay out of packages.txt.
install_extra_packages sipcalc time
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target zentrix-cli -j "$(nproc)" >/dev/null
cli="$build/cli/zentrix-cli"

# Both list every subnet: check the counts before timing anything.
for prefix in 22 28; do
    ours=$("$cli" cidr 10.0.0.0/8 --split "$prefix" | tail -n +2 | wc -l)
    theirs=$(sipcalc 10.0.0.0/8 -s "$prefix" | grep -c '^Network' || true)
    [ "$ours" -eq "$theirs" ] || {
        echo "/$prefix: zentrix-cli listed $ours subnets, sipcalc $theirs" >&2
        exit 1
    }
done

# Microseconds of one command line, its output into a pipe; the shell's own
# clock, so no helper process is timed with it.
elapsed() {
    local start end
    start=${EPOCHREALTIME/./}
    "$@" | cat >/dev/null
    end=${EPOCHREALTIME/./}
    [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "failed: $*" >&2; exit 1; }
    echo $((end - start))
}

# Peak resident memory of one run, in KiB (GNU time).
peak() {
    local out
    out=$(mktemp)
    /usr/bin/time -f '%M' -o "$out" "$@" >/dev/null
    tail -n 1 "$out"
    rm -f "$out"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

# The start-up of one short call: a number in every base.
small=(radix 255)

declare -A times
for ((i = 0; i < runs; i++)); do
    # Interleaved, so that a slow moment of the machine hits both alike.
    times[z28]+="$(elapsed "$cli" cidr 10.0.0.0/8 --split 28) "
    times[s28]+="$(elapsed sipcalc 10.0.0.0/8 -s 28) "
    times[z22]+="$(elapsed "$cli" cidr 10.0.0.0/8 --split 22) "
    times[s22]+="$(elapsed sipcalc 10.0.0.0/8 -s 22) "
    for ((j = 0; j < 10; j++)); do
        times[zsmall]+="$(elapsed "$cli" "${small[@]}") "
        times[ssmall]+="$(elapsed sipcalc 10.1.2.3/24) "
    done
done
declare -A med
for key in "${!times[@]}"; do
    med[$key]=$(tr ' ' '\n' <<<"${times[$key]}" | grep . | median)
done
m22=$(peak "$cli" cidr 10.0.0.0/8 --split 22)
m28=$(peak "$cli" cidr 10.0.0.0/8 --split 28)

awk -v z28="${med[z28]}" -v s28="${med[s28]}" -v z22="${med[z22]}" -v s22="${med[s22]}" \
    -v zs="${med[zsmall]}" -v ss="${med[ssmall]}" -v m22="$m22" -v m28="$m28" \
    -v runs="$runs" -v small="${small[*]}" 'BEGIN {
    verdict = "met"
    if (z28 > s28 || z22 > s22 || zs > 2 * ss || m28 > 1.1 * m22 || m28 > 10240) verdict = "MISSED"
    printf "runs of each:                    %d listings, %d start-ups (medians)\n", runs, runs * 10
    printf "1,048,576 subnets (/28) to pipe: zentrix-cli %.1f ms, sipcalc %.1f ms, ratio %.2f (target <= 1)\n", z28/1000, s28/1000, z28/s28
    printf "16,384 subnets (/22) to pipe:    zentrix-cli %.1f ms, sipcalc %.1f ms, ratio %.2f (target <= 1)\n", z22/1000, s22/1000, z22/s22
    printf "peak memory:                     %.1f MiB for /22, %.1f MiB for /28, ratio %.2f (target: the same, under 10 MiB)\n", m22/1024, m28/1024, m28/m22
    printf "start-up, one call:              zentrix-cli %s %.2f ms, sipcalc one address %.2f ms, ratio %.2f (target <= 2)\n", small, zs/1000, ss/1000, zs/ss
    printf "targets:                         %s\n", verdict
}'
