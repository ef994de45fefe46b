#!/usr/bin/env bash
# Rebuild time of the Subnets/Hosts table at its largest (class A, 22 subnet
# bits: 16,385 subnet rows) beside the time sipcalc takes to list the same
# 16,384 subnets, in the same run; with the time of opening the tab after a
# change, and of painting, scrolling and selecting in the rebuilt table.
#   bench/subnet-table.sh [runs]      (default 31 of each)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-31}
build="$root/build-bench"

source "$root/tools/common.sh"
install_missing_packages
# Only this benchmark needs these two, so they stay out of packages.txt.
install_extra_packages libbenchmark-dev sipcalc
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target subnet_table_bench -j "$(nproc)" >/dev/null

sipcalc_args=(10.0.0.0/8 -s 22)
listed=$(sipcalc "${sipcalc_args[@]}" | grep -c '^Network' || true)
[ "$listed" -eq 16384 ] || { echo "sipcalc listed $listed subnets, not 16384" >&2; exit 1; }

# Microseconds of one whole sipcalc process; the shell's own clock, so no
# helper process is timed with it.
sipcalc_times=()
time_sipcalc() {
    local start end
    start=${EPOCHREALTIME/./}
    sipcalc "${sipcalc_args[@]}" >/dev/null
    end=${EPOCHREALTIME/./}
    sipcalc_times+=($((end - start)))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

# Half of the listings before the benchmark and half after, so that a slow
# stretch of the machine hits both alike.
sipcalc "${sipcalc_args[@]}" >/dev/null
for ((i = 0; i < runs / 2; i++)); do time_sipcalc; done
bench_out=$(QT_QPA_PLATFORM=offscreen "$build/bench/subnet_table_bench" \
    --benchmark_repetitions="$runs" --benchmark_color=false 2>/dev/null) || {
    echo "$bench_out" >&2
    exit 1
}
for ((i = runs / 2; i < runs; i++)); do time_sipcalc; done

# The medians of the benchmark, in milliseconds, by benchmark name.
declare -A bench_ms
while read -r name ms; do
    bench_ms[$name]=$ms
done < <(awk '$1 ~ /_median$/ {
    name = $1; sub(/\/.*/, "", name)
    scale = ($3 == "ns") ? 1e-6 : ($3 == "us") ? 1e-3 : ($3 == "s") ? 1e3 : 1
    print name, $2 * scale
}' <<<"$bench_out")
for name in subnetTableRebuild subnetTableShown subnetTablePaint subnetTableScrollToEnd \
    subnetTableSelectBlock; do
    [ -n "${bench_ms[$name]:-}" ] || {
        echo "no median for $name in the benchmark's output:" >&2
        echo "$bench_out" >&2
        exit 1
    }
done

st=$(printf '%s\n' "${sipcalc_times[@]}" | median)
awk -v zt="${bench_ms[subnetTableRebuild]}" -v st="$st" -v runs="$runs" \
    -v shown="${bench_ms[subnetTableShown]}" -v paint="${bench_ms[subnetTablePaint]}" \
    -v scroll="${bench_ms[subnetTableScrollToEnd]}" -v select="${bench_ms[subnetTableSelectBlock]}" 'BEGIN {
    st /= 1000
    met = (zt <= st && zt < 8) ? "met" : "MISSED"
    printf "runs of each:            %d (medians)\n", runs
    printf "16,385-row table:        rebuilt in %.2f ms; sipcalc 10.0.0.0/8 -s 22 lists it in %.2f ms; ratio %.2f\n", zt, st, zt/st
    printf "target:                  rebuild <= sipcalc and < 8 ms: %s\n", met
    printf "tab opened after change: %.2f ms (page change, repaint of the tab, rebuild)\n", shown
    printf "in the rebuilt table:    paint %.2f ms, scroll to end %.2f ms, select all rows %.2f ms\n", paint, scroll, select
}'
