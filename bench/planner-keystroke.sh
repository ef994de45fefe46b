#!/usr/bin/env bash
# Time of a keystroke in the address planner window with 10,000 requests
# into a /8: the plan made again and the window repainted, for a key in a
# request's size cell and a key in the parents field. A Release build, on
# the offscreen platform unless a display is given.
#   bench/planner-keystroke.sh [keystrokes]      (default 101 of each)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-bench"

source "$root/tools/common.sh"
install_missing_packages
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target planner_keystroke_bench -j "$(nproc)" >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bench/planner_keystroke_bench" "$@"
