#!/usr/bin/env bash
# Checks the layout of our C++ with clang-format, builds Zentrix with the test
# preset (in build-test/: clang, AddressSanitizer and UndefinedBehaviorSanitizer,
# the fuzz targets, warnings as errors) and the release preset (build-release/,
# from which the packaging test makes the Debian package), builds and tries the
# window alone (build-window/), as a machine without the command line's
# libraries would, and runs every test of the test tree through CTest on the
# offscreen platform, among them a short run of each fuzz target.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages

# Our C++ files as .clang-format lays them out; the files it would change are
# listed, and clang-format-14 -i on them fixes them.
check_format() {
    local files unformatted
    if ! files=$(git -C "$ZENTRIX_ROOT" ls-files '*.cpp' '*.h' 2>/dev/null); then
        echo "Not a git checkout: the format check needs git ls-files and is skipped."
        return 0
    fi
    unformatted=$(cd "$ZENTRIX_ROOT" && xargs -d '\n' clang-format-14 --dry-run <<<"$files" 2>&1 |
        sed -n 's/^\(.*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
    if [ -n "$unformatted" ]; then
        echo "Not laid out as .clang-format says (clang-format-14 -i <file> fixes it):" >&2
        echo "$unformatted" >&2
        return 1
    fi
}
check_format

build_preset test
build_preset release

# The window without the command line: nothing of zentrix-cli may be needed to
# configure or build the window and its tests (the DISABLE_FIND_PACKAGE flags
# stand for a machine without CLI11). Kept cheap: the default
# compiler, no optimisation, no sanitizers. Its tests run again in the test tree
# below, with the sanitizers' checks besides; here, where they take seconds,
# they show that a window-only build works: all but the long random monkey run.
window="$ZENTRIX_ROOT/build-window"
cmake -S "$ZENTRIX_ROOT" -B "$window" --no-warn-unused-cli -DZENTRIX_BUILD_CLI=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_CLI11=ON \
    -DBUILD_TESTING=ON >/dev/null
cmake --build "$window" -j "$(nproc)"
(cd "$window" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" -E monkey)

# Every test, the command line's and the package's among them. Last, so that
# the run ends on the whole suite's summary.
(cd "$ZENTRIX_ROOT" && ctest --preset test -j "$(nproc)")
