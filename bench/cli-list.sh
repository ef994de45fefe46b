#!/usr/bin/env bash
# zentrix-cli beside sipcalc and iprange, in one go: listing the /28s and the
# /22s of 10.0.0.0/8 into a pipe, the peak memory of both listings (it must
# not grow with the count: the list is streamed), and the start-up of one
# radix call beside sipcalc's run on one address; then the summary of a
# seeded list of 1,000,000 IPv4 prefixes beside iprange --optimize, and that
# list without 100,000 of its prefixes beside iprange --except: time and
# peak memory of each, measured in the same run (the targets: at most half
# of iprange's time); last, the peak memory of the facts of those million
# prefixes as JSON lines beside that of a hundred thousand of them (streamed: the
# same).
#   bench/cli-list.sh [runs]      (default 9 of each)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-9}
build="$root/build-bench"

source "$root/tools/common.sh"
install_missing_packages
# Only this benchmark needs these, so they stay out of packages.txt.
install_extra_packages sipcalc time iprange
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

# A seeded list of prefixes: random IPv4 addresses with prefixes /20 to /32,
# from the Park-Miller generator, which every awk computes exactly. Every
# tenth of them is the list to take away.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v seed=20240613 -v count=1000000 '
    function next_random() { state = (state * 16807) % 2147483647; return state }
    BEGIN {
        state = seed
        for (i = 0; i < count; i++) {
            address = (next_random() % 65536) * 65536 + next_random() % 65536
            prefix = 20 + next_random() % 13
            printf "%d.%d.%d.%d/%d\n", int(address / 16777216), int(address / 65536) % 256,
                int(address / 256) % 256, address % 256, prefix
        }
    }' >"$work/prefixes.txt"
awk 'NR % 10 == 0' "$work/prefixes.txt" >"$work/removed.txt"
head -n 100000 "$work/prefixes.txt" >"$work/hundred.txt"

# Both give the same blocks (iprange writes a /32 without its length).
same_blocks() {
    diff -q <("$cli" "$@" | tail -n +2 | awk '{print $1}') \
        <("${iprange[@]}" | sed '/\//!s/$/\/32/') >/dev/null || {
        echo "zentrix-cli $* and ${iprange[*]} give different blocks" >&2
        exit 1
    }
}
iprange=(iprange --optimize "$work/prefixes.txt")
same_blocks cidr --summarize "@$work/prefixes.txt"
iprange=(iprange "$work/prefixes.txt" --except "$work/removed.txt")
same_blocks cidr "@$work/prefixes.txt" --exclude "@$work/removed.txt"

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
    times[zsum]+="$(elapsed "$cli" cidr --summarize "@$work/prefixes.txt") "
    times[isum]+="$(elapsed iprange --optimize "$work/prefixes.txt") "
    times[zexc]+="$(elapsed "$cli" cidr "@$work/prefixes.txt" --exclude "@$work/removed.txt") "
    times[iexc]+="$(elapsed iprange "$work/prefixes.txt" --except "$work/removed.txt") "
done
declare -A med
for key in "${!times[@]}"; do
    med[$key]=$(tr ' ' '\n' <<<"${times[$key]}" | grep . | median)
done
m22=$(peak "$cli" cidr 10.0.0.0/8 --split 22)
m28=$(peak "$cli" cidr 10.0.0.0/8 --split 28)
msum=$(peak "$cli" cidr --summarize "@$work/prefixes.txt")
misum=$(peak iprange --optimize "$work/prefixes.txt")
mexc=$(peak "$cli" cidr "@$work/prefixes.txt" --exclude "@$work/removed.txt")
miexc=$(peak iprange "$work/prefixes.txt" --except "$work/removed.txt")
mjl=$(peak "$cli" cidr "@$work/prefixes.txt" --jsonl)
mjs=$(peak "$cli" cidr "@$work/hundred.txt" --jsonl)

awk -v z28="${med[z28]}" -v s28="${med[s28]}" -v z22="${med[z22]}" -v s22="${med[s22]}" \
    -v zs="${med[zsmall]}" -v ss="${med[ssmall]}" -v m22="$m22" -v m28="$m28" \
    -v zsum="${med[zsum]}" -v isum="${med[isum]}" -v zexc="${med[zexc]}" -v iexc="${med[iexc]}" \
    -v msum="$msum" -v misum="$misum" -v mexc="$mexc" -v miexc="$miexc" \
    -v mjl="$mjl" -v mjs="$mjs" \
    -v runs="$runs" -v small="${small[*]}" 'BEGIN {
    verdict = "met"
    if (z28 > s28 || z22 > s22 || zs > 2 * ss || m28 > 1.1 * m22 || m28 > 10240) verdict = "MISSED"
    if (zsum > 0.5 * isum || zexc > 0.5 * iexc || msum > 2 * misum || mexc > 2 * miexc) verdict = "MISSED"
    if (mjl > 1.25 * mjs) verdict = "MISSED"
    printf "runs of each:                    %d listings, %d start-ups (medians)\n", runs, runs * 10
    printf "1,048,576 subnets (/28) to pipe: zentrix-cli %.1f ms, sipcalc %.1f ms, ratio %.2f (target <= 1)\n", z28/1000, s28/1000, z28/s28
    printf "16,384 subnets (/22) to pipe:    zentrix-cli %.1f ms, sipcalc %.1f ms, ratio %.2f (target <= 1)\n", z22/1000, s22/1000, z22/s22
    printf "peak memory:                     %.1f MiB for /22, %.1f MiB for /28, ratio %.2f (target: the same, under 10 MiB)\n", m22/1024, m28/1024, m28/m22
    printf "start-up, one call:              zentrix-cli %s %.2f ms, sipcalc one address %.2f ms, ratio %.2f (target <= 2)\n", small, zs/1000, ss/1000, zs/ss
    printf "summary of 1,000,000 prefixes:   zentrix-cli %.1f ms %.1f MiB, iprange --optimize %.1f ms %.1f MiB, ratios %.2f time (target <= 0.5), %.2f memory (target <= 2)\n", zsum/1000, msum/1024, isum/1000, misum/1024, zsum/isum, msum/misum
    printf "those minus 100,000 of them:     zentrix-cli %.1f ms %.1f MiB, iprange --except %.1f ms %.1f MiB, ratios %.2f time (target <= 0.5), %.2f memory (target <= 2)\n", zexc/1000, mexc/1024, iexc/1000, miexc/1024, zexc/iexc, mexc/miexc
    printf "facts as JSON lines:             %.1f MiB for 1,000,000 prefixes, %.1f MiB for 100,000, ratio %.2f (target: the same)\n", mjl/1024, mjs/1024, mjl/mjs
    printf "targets:                         %s\n", verdict
}'
