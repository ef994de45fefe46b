# Shared by the scripts in tools/ and bench/: installs the Debian packages in
# packages.txt that are missing (nothing when all are present), and configures
# and builds the trees of CMakePresets.json.
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

# configure_preset <preset>: configures the tree of a preset in
# CMakePresets.json. Some presets name their compiler. Over a tree configured
# with another one, CMake starts the cache afresh but keeps only the new
# compiler, dropping the preset's other settings; such a tree is configured
# once more from nothing with all of them.
configure_preset() {
    local preset=$1 errors status=0
    errors=$(cd "$ZENTRIX_ROOT" && cmake --preset "$preset" 2>&1 >/dev/null) || status=$?
    if grep -q 'require your cache to be deleted' <<<"$errors"; then
        echo "The $preset tree was configured with another compiler: configuring it afresh."
        (cd "$ZENTRIX_ROOT" && cmake --preset "$preset" --fresh >/dev/null)
        return
    fi
    [ -z "$errors" ] || printf '%s\n' "$errors" >&2
    return "$status"
}

# build_preset <preset> [cmake --build options...]: configures and builds it.
build_preset() {
    local preset=$1
    shift
    configure_preset "$preset"
    (cd "$ZENTRIX_ROOT" && cmake --build --preset "$preset" -j "$(nproc)" "$@")
}
