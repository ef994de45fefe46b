#!/usr/bin/env bash
# Builds Zentrix (Release, in build/) and starts it on the current display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
cmake -S "$ZENTRIX_ROOT" -B "$ZENTRIX_ROOT/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$ZENTRIX_ROOT/build" --target zentrix -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display to show Zentrix on; run it under a virtual display instead: xvfb-run -a tools/run.sh" >&2
    exit 1
fi
exec "$ZENTRIX_ROOT/build/app/zentrix"
