#!/usr/bin/env bash
# The bit workbench's rules on 128-bit words: every conversion (reading each
# input form, writing each view) and every operation, one call at a time,
# the median of five repetitions of each, beside the target of one
# microsecond; the floats (16 to 64 bits) and the wildcard list follow.
#   bench/bits.sh [repetitions]      (default 5)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
repetitions=${1:-5}
build="$root/build-bench"

source "$root/tools/common.sh"
install_missing_packages
# Only the benchmarks need it, so it stays out of packages.txt.
install_extra_packages libbenchmark-dev
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target bits_bench -j "$(nproc)" >/dev/null

"$build/bench/bits_bench" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /_median"$/ {
        name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
        ns = $4 + 0
        # Every field at once is what the window does per key, not one conversion.
        single = name !~ /^view all/
        if (single && ns > worst) worst = ns
        printf "%-34s %8.1f ns%s\n", name, ns, (single && ns >= 1000) ? "   (over 1 us)" : ""
    } END {
        printf "slowest single step:               %8.1f ns (target < 1000 ns each): %s\n", worst, worst < 1000 ? "met" : "MISSED"
    }'
