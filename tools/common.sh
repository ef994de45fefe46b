# Shared by run.sh and test.sh: installs the Debian packages in packages.txt
# that are missing, and nothing when all are present.
ZENTRIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

install_missing_packages() {
    local wanted missing=()
    wanted=$(grep -vE '^\s*(#|$)' "$ZENTRIX_ROOT/tools/packages.txt")
    for pkg in $wanted; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    echo "Installing missing packages: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# install_extra_packages <package...>: installs those of the given Debian
# packages that are missing; for what only a benchmark or script needs, and so
# stays out of packages.txt.
install_extra_packages() {
    local pkg missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# configure_with_clang <build dir> [cmake options...]: configures a tree that
# is built with clang (the fuzz targets need its libFuzzer). CMake cannot
# switch the compiler of a configured tree in place (it would start over and
# drop the options given), so a tree from another compiler starts afresh.
configure_with_clang() {
    local build=$1 compiler
    shift
    compiler=$(command -v clang++-14)
    if [ -f "$build/CMakeCache.txt" ] &&
        ! grep -q "^CMAKE_CXX_COMPILER:[A-Z]*=$compiler\$" "$build/CMakeCache.txt"; then
        rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
    fi
    cmake -S "$ZENTRIX_ROOT" -B "$build" -DCMAKE_CXX_COMPILER="$compiler" "$@" >/dev/null
}
