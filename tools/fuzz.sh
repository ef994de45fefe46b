#!/usr/bin/env bash
# Runs each fuzz target for a longer while: tools/fuzz.sh [seconds per target,
# default 600]. Builds them with the fuzz preset (clang) in build-fuzz/. What a
# run finds is kept in build-fuzz/fuzz/<name>/: new inputs in corpus/, so that
# the next run goes on from there, and an input that breaks a rule as crash-*.
# Such an input, once its fault is fixed, goes into fuzz/corpus/<name>/ so that
# every test run replays it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds=${1:-600}
install_missing_packages
build="$ZENTRIX_ROOT/build-fuzz"

names=()
for seeds in "$ZENTRIX_ROOT"/fuzz/corpus/*/; do
    names+=("$(basename "$seeds")")
done
build_preset fuzz --target "${names[@]/#/fuzz_}"

failed=()
for name in "${names[@]}"; do
    work="$build/fuzz/$name"
    mkdir -p "$work/corpus"
    echo "== fuzz_$name for $seconds s"
    if ! "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$ZENTRIX_ROOT/fuzz/corpus/$name"; then
        failed+=("fuzz_$name")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Found faults: ${failed[*]} (inputs in $build/fuzz/<name>/crash-*)" >&2
    exit 1
fi
echo "No faults found in ${#names[@]} targets, $seconds s each."
