#!/usr/bin/env bash
# Builds Zentrix (the release preset, in build-release/) and starts it on the
# current display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
build_preset release --target zentrix

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display to show Zentrix on; run it under a virtual display instead: xvfb-run -a tools/run.sh" >&2
    exit 1
fi
exec "$ZENTRIX_ROOT/build-release/app/zentrix"
