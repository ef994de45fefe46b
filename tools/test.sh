#!/usr/bin/env bash
# Builds Zentrix with AddressSanitizer and UndefinedBehaviorSanitizer (in
# build-test/) and runs every test through CTest on the offscreen platform,
# among them a short run of each fuzz target. The fuzz targets need clang's
# libFuzzer, so this build uses clang; tools/run.sh keeps gcc. Warnings in our
# code fail this build.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
build="$ZENTRIX_ROOT/build-test"
configure_with_clang "$build" -DCMAKE_BUILD_TYPE=Debug -DZENTRIX_SANITIZE=ON -DZENTRIX_FUZZ=ON \
    -DZENTRIX_WERROR=ON -DBUILD_TESTING=ON
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "$(nproc)"
