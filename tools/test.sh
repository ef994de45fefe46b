#!/usr/bin/env bash
# Builds Zentrix with AddressSanitizer and UndefinedBehaviorSanitizer (in
# build-test/) and runs every test through CTest on the offscreen platform.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
build="$ZENTRIX_ROOT/build-test"
cmake -S "$ZENTRIX_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZENTRIX_SANITIZE=ON -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "$(nproc)"
